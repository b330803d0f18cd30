// Correcting the dates of one file on disk: read whole, its date fields shifted in memory,
// written back through the atomic writer as the very same file (owner, permissions and
// modification time kept), or left whole with the reason why not.
#pragma once

#include <cstdint>
#include <string>

#include "core/datefields/datefields.h"
#include "core/files/filestep.h"

namespace lumaro {

struct ShiftFileResult {
    enum class Status {
        Shifted,
        Unreadable,     // `file` says which step failed
        UnknownLayout,  // not a picture or video whose dates this program can find
        NoDateField,    // a known layout, but no date to move
        OutOfRange,     // a date is no calendar date, or would leave what its field holds
        NotWritten,     // `file` says which step failed or why it was refused
    };
    Status status = Status::Shifted;
    FileStepResult file{};
    size_t fieldCount = 0;  // the fields moved, or that would move

    bool ok() const { return status == Status::Shifted; }
};

// Shifts the dates of the file at `path` by `seconds` (at most kLongestShift either way).
// With `write` false nothing is written: the result says what a write would give, a file the
// user may not write or with other names (hard links) included.
ShiftFileResult ShiftFileDates(const std::string& path, int64_t seconds, bool write);

// The message key of why the file was left as it was (kMessageNoDateLayout...); -1 for the
// statuses whose reason is the system's error.
int ShiftRefusalKey(ShiftFileResult::Status status);

}  // namespace lumaro
