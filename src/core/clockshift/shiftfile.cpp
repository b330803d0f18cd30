// One file's dates shifted on disk, or left whole.
#include "core/clockshift/shiftfile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/clockshift/shiftdates.h"
#include "core/files/atomicwrite.h"
#include "core/files/readfile.h"
#include "core/settings/messagekeys.h"

namespace lumaro {

namespace {

ShiftFileResult failed(ShiftFileResult::Status status, FileStepResult step = {}) {
    ShiftFileResult result;
    result.status = status;
    result.file = std::move(step);
    return result;
}

// What the atomic writer would refuse or fail at, found without writing: a file with other
// names, a file the user may not write, a folder where no file can be made.
FileStepResult checkWritable(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return {errno, "open"};
    if (st.st_nlink > 1)
        return {EMLINK, "the file has other names (hard links)", FileRefusal::OtherNames};
    if (access(path.c_str(), W_OK) != 0)
        return {errno, "you may not write this file", FileRefusal::NotWritable};
    // The new content goes to a file made beside it.
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    if (access(folder.c_str(), W_OK | X_OK) != 0) return {errno, "create a file in the folder"};
    return {};
}

std::string fileNameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

}  // namespace

ShiftFileResult ShiftFileDates(const std::string& path, int64_t seconds, bool write) {
    using Status = ShiftFileResult::Status;
    std::string bytes;
    if (FileStepResult read = ReadWholeFile(path, bytes); !read.ok())
        return failed(Status::Unreadable, std::move(read));
    const FileDates dates = FindDateFields(bytes, fileNameOf(path));
    if (dates.layout == DateLayout::Unknown) return failed(Status::UnknownLayout);
    if (dates.fields.empty()) return failed(Status::NoDateField);
    if (!ShiftDatesInBytes(bytes, dates, seconds)) return failed(Status::OutOfRange);
    FileStepResult written =
        write ? WriteFileAtomically(path, bytes, kReplaceAsTheSameFile) : checkWritable(path);
    if (!written.ok()) return failed(Status::NotWritten, std::move(written));
    ShiftFileResult result;
    result.fieldCount = dates.fields.size();
    return result;
}

int ShiftRefusalKey(ShiftFileResult::Status status) {
    switch (status) {
        case ShiftFileResult::Status::UnknownLayout:
            return kMessageNoDateLayout;
        case ShiftFileResult::Status::NoDateField:
            return kMessageNoDateField;
        case ShiftFileResult::Status::OutOfRange:
            return kMessageDateOutOfRange;
        default:
            return -1;
    }
}

}  // namespace lumaro
