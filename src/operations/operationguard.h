// What every operation does before it changes a file: it takes the lock of the folders it
// changes, held to its end, and checks that their histories can be written.
#pragma once

#include <string>
#include <vector>

#include "core/locking/folderlock.h"
#include "operations/outcome.h"

namespace lumaro {

// How the user lets an operation run.
struct RunOptions {
    // Go on where a folder's history cannot be written: the window asked and the user said
    // yes, or the command line was given --no-history.
    bool goOnWithoutHistory = false;
};

class OperationGuard {
public:
    // Locks `folders` and checks the histories of `recorded` (those the operation records in).
    OperationGuard(const std::vector<std::string>& folders,
                   const std::vector<std::string>& recorded, const RunOptions& options);

    // Whether the operation must change nothing; refusal() then says why (FolderBusy, or
    // HistoryUnwritable with the state folder and the reason as its details).
    bool refused() const { return refusal_.kind != OutcomeKind::Done; }
    const Outcome& refusal() const { return refusal_; }

private:
    FolderLock lock_;
    Outcome refusal_;
};

}  // namespace lumaro
