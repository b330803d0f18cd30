// Reasons of the core's results as an outcome's files (see filereasons.h).
#include "operations/filereasons.h"

#include <cerrno>

#include "core/names/refusedcharacters.h"
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
    if (moved.status == Status::NameRefused) TakeRefusedName(moved.target, file);
    if (file.error == 0 && file.messageKey < 0)
        file.error = moved.status == Status::SourceMissing ? ENOENT : EIO;
}

void TakeReason(const ShiftFileResult& shift, OutcomeFile& file) {
    file.messageKey = ShiftRefusalKey(shift.status);
    if (file.messageKey < 0) TakeReason(shift.file, file);
}

void MarkSomeKept(Outcome& outcome, int messageKey) {
    if (outcome.files.empty()) return;
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

void TakeReason(const TurnPictureResult& turn, OutcomeFile& file) {
    using Status = TurnPictureResult::Status;
    if (turn.status == Status::FolderBusy) {
        file.messageKey = kMessageFolderBusy;
    } else if (!turn.file.ok() || turn.file.refused()) {
        TakeReason(turn.file, file);
    } else {
        file.messageKey = keyOf(turn.why);
    }
}

void TakeRefusedName(const std::string& name, OutcomeFile& file) {
    if (const std::optional<char> refused = RefusedCharacterIn(name)) {
        file.messageKey = kMessageCharacterRefused;
        file.detail = CharacterText(*refused);
    }
}

OutcomeFile KeptFile(const std::string& name) {
    OutcomeFile file;
    file.name = name;
    return file;
}

}  // namespace lumaro
