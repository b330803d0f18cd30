// Taking the folders' lock and checking their histories before an operation changes a file.
#include "operations/operationguard.h"

#include "core/history/history.h"
#include "core/settings/messagekeys.h"

namespace lumaro {

OperationGuard::OperationGuard(const std::vector<std::string>& folders,
                               const std::vector<std::string>& recorded, const RunOptions& options)
    : lock_(folders) {
    if (lock_.busy()) {
        refusal_.kind = OutcomeKind::FolderBusy;
        refusal_.messageKey = kMessageFolderBusy;
        return;
    }
    if (options.goOnWithoutHistory) return;
    for (const std::string& folder : recorded) {
        const HistoryAccess access = CheckHistoryWritable(folder);
        if (access.writable) continue;
        refusal_.kind = OutcomeKind::HistoryUnwritable;
        refusal_.messageKey = kMessageHistoryNotWritable;
        refusal_.details = {access.stateFolder, access.reason};
        return;
    }
}

}  // namespace lumaro
