// Recording the renames of an operation in the folder's history, and undoing the last
// operation of a folder that is still intact on disk: renames go back through the two passes
// and the journal, pictures moved out come back verified, a turn is turned back, a deleted
// picture comes back from the Trash. The undo is recorded too, so a second undo redoes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/files/fileoperations.h"
#include "core/history/history.h"
#include "core/naming/picturelist.h"

namespace lumaro {

// The file renames of the pairs an operation made, every file of each picture.
std::vector<FileRename> FileRenamesOfPairs(const std::vector<RenamePair>& pairs);

// Records the renames that took place as one operation of `folder`'s history.
void RecordRenames(OperationKind kind, const std::string& folder,
                   const std::vector<RenamePair>& done);

struct UndoPlan {
    enum class Status {
        Ready,    // `operation` can be undone
        Nothing,  // the history holds no operation (kMessageNothingToUndo)
        Changed,  // no operation is intact: `changedName` is no longer as the last one left it
        Lossy,    // the last intact operation is a turn that was not lossless
    };
    Status status = Status::Nothing;
    HistoryOperation operation;  // the operation to undo
    int number = 0;              // its place in the history, 1 for the most recent
    // Each file's move, "present -> after the undo", named as NamesOf names them.
    std::vector<FileRename> moves;
    std::string changedName;  // Changed: the file of the most recent operation that changed

    bool ready() const { return status == Status::Ready; }
};

// What UndoLastOperation would do, found without touching a file.
UndoPlan PlanUndo(const std::string& folder);

// The Trash lies beyond the core: the caller lends its two moves. Each returns an empty
// error text on success.
struct TrashHooks {
    // Moves `path` to the Trash; sets the path it now has inside it.
    std::function<std::string(const std::string& path, std::string& pathInTrash)> toTrash;
    // Puts the file at `pathInTrash` back at `path`, never over another file.
    std::function<std::string(const std::string& pathInTrash, const std::string& path)> fromTrash;
};

struct UndoResult {
    UndoPlan plan;
    int undoneCount = 0;                // files back as they were
    std::vector<FileRename> done;       // each of them, by its name before and after the undo
    std::vector<std::string> failures;  // "name (reason)" for each file that stayed
    bool folderBusy = false;            // another program is changing the folder: nothing was done
};

// Undoes the operation PlanUndo finds, when it is ready, under the folder's lock; otherwise
// touches nothing.
UndoResult UndoLastOperation(const std::string& folder, const TrashHooks& trash = {});

}  // namespace lumaro
