// Reasons of the core's results as an outcome's files (see filereasons.h).
#include "operations/filereasons.h"

#include <algorithm>
#include <cerrno>

#include "core/settings/messagekeys.h"

namespace lumaro {

void TakeReason(const FileStepResult& step, OutcomeFile& file) {
    switch (step.refusal) {
        case FileRefusal::OtherNames:
            file.messageKey = kMessageFileHasOtherNames;
            return;
        case FileRefusal::OwnerNotKept:
            file.messageKey = kMessageOwnerNotKept;
            return;
        case FileRefusal::NotWritable:  // the system's own words say it: permission denied
        case FileRefusal::None:
            file.error = step.error ? step.error : EIO;
            return;
    }
}

void TakeReason(const TrashOutcome& trash, OutcomeFile& file) {
    switch (trash.refusal) {
        case TrashRefusal::NameNotUtf8:
            file.messageKey = kMessageNameNotUtf8ForTrash;
            return;
        case TrashRefusal::NoSuchFile:
            file.error = ENOENT;
            return;
        case TrashRefusal::TrashUnusable:
            file.messageKey = kMessageTrashUnusable;
            return;
        case TrashRefusal::FolderBusy:
            file.messageKey = kMessageFolderBusy;
            return;
        case TrashRefusal::NameTaken:
            file.messageKey = kMessageNameTaken;
            return;
        case TrashRefusal::None:
            file.error = trash.error ? trash.error : EIO;
            return;
    }
}

void TakeReason(const TransferOutcome& moved, OutcomeFile& file) {
    using Status = TransferOutcome::Status;
    file.name = moved.source;
    file.error = moved.error;
    if (moved.status == Status::SourceKept) file.newName = moved.target;
    if (moved.status == Status::SourceChanged) file.messageKey = kMessageChangedWhileCopied;
    if (moved.status == Status::FolderBusy) file.messageKey = kMessageFolderBusy;
    if (!file.kept()) file.error = moved.status == Status::SourceMissing ? ENOENT : EIO;
}

void MarkSomeKept(Outcome& outcome, int messageKey) {
    if (std::none_of(outcome.files.begin(), outcome.files.end(),
                     [](const OutcomeFile& file) { return file.kept(); }))
        return;
    outcome.kind = OutcomeKind::SomeKept;
    outcome.messageKey = messageKey;
}

namespace {

int keyOf(TurnPictureResult::Why why) {
    using Why = TurnPictureResult::Why;
    switch (why) {
        case Why::Heif:
            return kMessageHeifNotTurned;
        case Why::SeveralPictures:
            return kMessageSeveralPicturesInFile;
        case Why::TypeNotWritable:
            return kMessageTypeNotWritable;
        case Why::Damaged:
        case Why::None:
            break;
    }
    return kMessagePictureDataDamaged;
}

}  // namespace

OutcomeFile TurnedFile(const std::string& path, const TurnPictureResult& result) {
    using Status = TurnPictureResult::Status;
    OutcomeFile file;
    file.name = path;
    switch (result.status) {
        case Status::Turned:
            file.newName = path;
            file.encodedAgain = !result.lossless;
            break;
        case Status::FolderBusy:
            file.messageKey = kMessageFolderBusy;
            break;
        case Status::Unreadable:
        case Status::NotWritten:
            if (!result.file.ok() || result.file.refused()) {
                TakeReason(result.file, file);
                break;
            }
            file.messageKey = keyOf(result.why);
            break;
        case Status::NotJpeg:
        case Status::CannotTurn:
            file.messageKey = keyOf(result.why);
            break;
    }
    return file;
}

}  // namespace lumaro
