// Turning a JPEG file on disk: read whole, turned, and replaced only by the complete new content.
#include "core/turning/turnpicture.h"

#include "core/files/atomicwrite.h"
#include "core/files/readfile.h"
#include "core/locking/folderlock.h"
#include "core/picturefile/heifcontent.h"
#include "core/picturefile/jpegsegments.h"
#include "core/turning/jpegturn.h"

namespace lumaro {

namespace {

using Status = TurnPictureResult::Status;
using Why = TurnPictureResult::Why;

TurnPictureResult turnOrPlan(const std::string& path, int angle, bool write) {
    std::string bytes;
    const FileStepResult read = ReadWholeFile(path, bytes);
    if (!read.ok()) return {.status = Status::Unreadable, .file = read};
    // A HEIF picture could only be encoded again, losing more of it at every turn.
    if (LooksLikeHeif(bytes)) return {.status = Status::CannotTurn, .why = Why::Heif};
    if (!LooksLikeJpeg(bytes)) return {.status = Status::NotJpeg};
    JpegTurnResult turned = TurnJpeg(bytes, angle);
    bytes.clear();
    bytes.shrink_to_fit();
    if (!turned.ok) return {.status = Status::CannotTurn, .why = Why::Damaged};
    if (!write) return {.status = Status::Turned, .lossless = turned.lossless};
    const FileStepResult written = WriteFileAtomically(path, turned.jpeg, kReplaceAsTheSameFile);
    if (!written.ok()) return {.status = Status::NotWritten, .file = written};
    return {.status = Status::Turned, .lossless = turned.lossless};
}

}  // namespace

TurnPictureResult TurnPicture(const std::string& path, int angle) {
    const FolderLock lock(FolderOfPath(path));
    if (lock.busy()) return {.status = Status::FolderBusy};
    return turnOrPlan(path, angle, true);
}

TurnPictureResult PlanTurnPicture(const std::string& path, int angle) {
    return turnOrPlan(path, angle, false);
}

}  // namespace lumaro
