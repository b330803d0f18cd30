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

TurnPictureResult turnOrPlan(const std::string& path, int angle, bool write) {
    using Status = TurnPictureResult::Status;
    std::string bytes;
    const FileStepResult read = ReadWholeFile(path, bytes);
    if (!read.ok()) return {Status::Unreadable, false, DescribeFileStep(read)};
    // A HEIF picture could only be encoded again, losing more of it at every turn.
    if (LooksLikeHeif(bytes)) {
        return {Status::CannotTurn, false, "HEIF pictures cannot be turned without loss"};
    }
    if (!LooksLikeJpeg(bytes)) return {Status::NotJpeg, false, "not a JPEG file"};
    JpegTurnResult turned = TurnJpeg(bytes, angle);
    bytes.clear();
    bytes.shrink_to_fit();
    if (!turned.ok) return {Status::CannotTurn, false, turned.error};
    if (!write) return {Status::Turned, turned.lossless, {}};
    const FileStepResult written = WriteFileAtomically(path, turned.jpeg, kReplaceAsTheSameFile);
    if (!written.ok()) return {Status::NotWritten, false, DescribeFileStep(written)};
    return {Status::Turned, turned.lossless, {}};
}

}  // namespace

TurnPictureResult TurnPicture(const std::string& path, int angle) {
    const FolderLock lock(FolderOfPath(path));
    if (lock.busy()) {
        return {TurnPictureResult::Status::FolderBusy, false,
                "another Lumaro is changing this folder"};
    }
    return turnOrPlan(path, angle, true);
}

TurnPictureResult PlanTurnPicture(const std::string& path, int angle) {
    return turnOrPlan(path, angle, false);
}

}  // namespace lumaro
