// What every run of an operation is given, and what it makes sure of before it changes a file:
// the folder's history can be written, and no other program is changing the folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/listing/folderlisting.h"
#include "core/locking/folderlock.h"
#include "operations/outcome.h"

namespace lumaro {

struct RunOptions {
    // The user chose to go on without a history: it is not checked, and an operation it cannot
    // record is simply missing from it.
    bool historyWaived = false;
    ListProgress progress;  // each pass of long work, afresh
};

// Whether the history of `folder` can be written now: Done, or HistoryUnwritable whose one
// file is the state folder, with the errno that refuses it (or kMessageNoHomeFolder).
Outcome CheckHistory(const std::string& folder);

// Another program is changing the folder: nothing was changed (kMessageFolderBusy).
Outcome FolderBusyOutcome();

// Refused (kMessageReadOnlyDisk, EROFS, the folder as its detail) when the disk that holds one of
// `folders` is read-only (a card with its lock switch on, a read-only mount): said before any
// file is touched. None when every disk can be written.
std::optional<Outcome> ReadOnlyRefusal(const std::vector<std::string>& folders);

// The folder of each of `paths` of files, in their order.
std::vector<std::string> FoldersOf(const std::vector<std::string>& paths);

// Whether a run stopped at its first checks (a busy folder, a history that cannot be written),
// before it read or changed anything.
bool StoppedBeforeRunning(const Outcome& outcome);

// Held by a run from its first check to its end: the history checked, then the lock of the
// folders taken, so that the plan, the renames and the record see one state of the folder.
class FolderRun {
public:
    FolderRun(const std::vector<std::string>& folders, const RunOptions& options);
    FolderRun(const std::string& folder, const RunOptions& options)
        : FolderRun(std::vector<std::string>{folder}, options) {}

    // FolderBusy or HistoryUnwritable, nothing changed; none when the run may go on.
    const std::optional<Outcome>& refusal() const { return refusal_; }

private:
    FolderLock lock_;
    std::optional<Outcome> refusal_;
};

}  // namespace lumaro
