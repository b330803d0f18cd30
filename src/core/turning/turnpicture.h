// Turning a picture file on disk by 90, 180 or 270 degrees. JPEG files are turned here,
// losslessly where they allow it; other types are turned by the caller, which then hands the
// new content to WriteFileAtomically. The original is replaced only by a complete new file.
#pragma once

#include <string>

#include "core/files/filestep.h"

namespace lumaro {

struct TurnPictureResult {
    // FolderBusy: another program is changing the picture's folder; the file was not read.
    enum class Status { Turned, NotJpeg, Unreadable, CannotTurn, NotWritten, FolderBusy };
    // Why the picture itself could not be turned (CannotTurn, or Unreadable with no file error).
    enum class Why {
        None,
        Heif,             // could only be encoded again, losing more of it at every turn
        Damaged,          // its data cannot be decoded or turned
        SeveralPictures,  // pages or frames after the first would be lost
        TypeNotWritable,  // no encoder writes its type
    };
    Status status = Status::Turned;
    bool lossless = false;
    FileStepResult file{};  // Unreadable, NotWritten: the step of reading or writing that failed
    Why why = Why::None;

    bool ok() const { return status == Status::Turned; }
};

// Turns the picture under the lock of its folder.
TurnPictureResult TurnPicture(const std::string& path, int angle);
// What TurnPicture would give, found by turning in memory only: the file is not written.
TurnPictureResult PlanTurnPicture(const std::string& path, int angle);

}  // namespace lumaro
