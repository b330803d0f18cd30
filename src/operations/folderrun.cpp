// The checks every run makes first: a history that can be written, a folder nobody else changes.
#include "operations/folderrun.h"

#include <cerrno>

#include "core/disks/filesystem.h"
#include "core/history/history.h"
#include "core/settings/messagekeys.h"

namespace lumaro {

Outcome CheckHistory(const std::string& folder) {
    const HistoryAccess access = CheckHistoryWritable(folder);
    if (access.writable) return {};
    Outcome refused;
    refused.kind = OutcomeKind::HistoryUnwritable;
    refused.messageKey = kMessageHistoryNotWritable;
    refused.error = access.error;
    refused.files.push_back(
        {access.stateFolder, {}, access.error, access.error == 0 ? kMessageNoHomeFolder : -1});
    return refused;
}

Outcome FolderBusyOutcome() {
    Outcome busy;
    busy.kind = OutcomeKind::FolderBusy;
    busy.messageKey = kMessageFolderBusy;
    return busy;
}

std::optional<Outcome> ReadOnlyRefusal(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        if (CheckFolderWritable(folder) != EROFS) continue;
        Outcome refused;
        refused.kind = OutcomeKind::Refused;
        refused.messageKey = kMessageReadOnlyDisk;
        refused.error = EROFS;
        refused.details = {folder};
        return refused;
    }
    return std::nullopt;
}

std::vector<std::string> FoldersOf(const std::vector<std::string>& paths) {
    std::vector<std::string> folders;
    folders.reserve(paths.size());
    for (const std::string& path : paths) folders.push_back(FolderOfPath(path));
    return folders;
}

bool StoppedBeforeRunning(const Outcome& outcome) {
    return outcome.kind == OutcomeKind::FolderBusy ||
           outcome.kind == OutcomeKind::HistoryUnwritable;
}

FolderRun::FolderRun(const std::vector<std::string>& folders, const RunOptions& options) {
    if (!options.historyWaived) {
        for (const std::string& folder : folders) {
            Outcome history = CheckHistory(folder);
            if (history.done()) continue;
            refusal_ = std::move(history);
            return;
        }
    }
    lock_ = FolderLock(folders);
    if (lock_.busy()) refusal_ = FolderBusyOutcome();
}

}  // namespace lumaro
