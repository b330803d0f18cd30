// Pictures that kept their names as an outcome's files, and the files a set of renames changes.
#include "operations/renameoutcome.h"

#include "core/settings/messagekeys.h"
#include "operations/filereasons.h"

namespace lumaro {

std::vector<OutcomeFile> KeptFiles(const std::vector<RenameFailure>& failures) {
    std::vector<OutcomeFile> files;
    files.reserve(failures.size());
    for (const RenameFailure& failure : failures) {
        files.push_back({failure.fromName, failure.toName, failure.result.error});
        if (failure.result.status == RenameResult::Status::NameRefused)
            TakeRefusedName(failure.toName, files.back());
    }
    return files;
}

Outcome RenamesOutcome(const std::vector<RenameFailure>& failures, int refusal) {
    Outcome outcome;
    if (refusal != 0) {
        outcome.kind = OutcomeKind::Refused;
        outcome.messageKey = refusal;
        return outcome;
    }
    if (failures.empty()) return outcome;
    outcome.kind = OutcomeKind::SomeKept;
    outcome.messageKey = kMessageRenamesFailed;
    outcome.files = KeptFiles(failures);
    return outcome;
}

std::vector<FileRename> FilesRenamedBy(const std::vector<RenamePair>& pairs) {
    std::vector<FileRename> files;
    for (const RenamePair& pair : pairs) {
        if (pair.toBase == pair.from.base) continue;
        for (FileRename& file : FileRenamesOf(pair)) files.push_back(std::move(file));
    }
    return files;
}

std::string_view DetailSeparator(int messageKey) {
    return messageKey == kMessageNoFilesOfType || messageKey == kMessageCannotCreateFolder ? " "
                                                                                           : "\n";
}

}  // namespace lumaro
