// Stepping back and forth through a folder's history as every editor does: an undo takes the newest
// operation not yet undone whose files are still as it left them, a redo takes back the last undo,
// and a new operation ends what can be redone. Renames go back through the two passes and the
// journal, pictures moved out come back verified, a turn is turned back, a deleted picture comes
// back from the Trash. A picture and its companions go back together: where the picture's name is
// taken again, the whole group takes one free name (" (2)"), or stays in the Trash, reported.
#pragma once

#include <string>
#include <vector>

#include "core/files/fileoperations.h"
#include "core/history/history.h"
#include "operations/outcome.h"

namespace lumaro {

// A picture and its companions as an undo or redo moves them: files of the record it
// reverses, the picture first, and the base name they take (" (2)" when their own is taken).
struct UndoGroup {
    std::vector<size_t> files;       // places in the reversed record's files
    std::string fromBase;            // the base they bear now
    std::string toBase;              // the base they had before the reversed record
    std::string targetBase;          // the base they will bear: toBase, or a free name after it
    std::vector<std::string> rests;  // each file's name after the base, the picture's first
    bool kept = false;               // stays where it is (in the Trash: its name is taken)
};

struct UndoPlan {
    enum class Status {
        Ready,    // `operation` can be undone (or redone)
        Nothing,  // no operation to undo, or no undo to take back
        Changed,  // no operation is intact: `changedName` is no longer as the last one left it
        Lossy,    // the last intact operation is a turn that was not lossless
    };
    Status status = Status::Nothing;
    bool redo = false;
    HistoryOperation operation;  // the operation undone or redone, as first recorded
    int number = 0;              // its place in the history, 1 for the most recent
    HistoryOperation reversed;   // the record whose moves are reversed: its last step
    std::vector<UndoGroup> groups;
    // Each file's move, "present -> after", named as NamesOf names them: a turn names its file
    // on both sides, a file going to the Trash has no name after. Kept groups are left out.
    std::vector<FileRename> moves;
    std::vector<OutcomeFile> kept;     // each group that stays where it is: its picture, and why
    std::vector<std::string> renamed;  // "old name -> free name" of groups whose name is taken
    int angle = 0;                     // a turn: the angle it turns by, clockwise
    std::string changedName;  // Changed: the file of the most recent operation that changed

    bool ready() const { return status == Status::Ready; }
};

// What UndoLastOperation and RedoLastUndo would do, found without touching a file.
UndoPlan PlanUndo(const std::string& folder);
UndoPlan PlanRedo(const std::string& folder);

struct UndoResult {
    UndoPlan plan;
    int undoneCount = 0;                // files back as they were
    std::vector<FileRename> done;       // each of them, by its name before and after the undo
    std::vector<OutcomeFile> failures;  // each file that stayed, and why; the plan's kept first
    bool folderBusy = false;            // another program is changing the folder: nothing was done
};

// Carries out the plan PlanUndo (PlanRedo) makes now under the folder's lock, when it is ready,
// and records it;
// otherwise touches nothing. With `asked`, the plan a question or a dry run showed: a folder
// that changed since then gets another plan, and nothing is done (status Changed).
UndoResult UndoLastOperation(const std::string& folder, const UndoPlan* asked = nullptr);
UndoResult RedoLastUndo(const std::string& folder, const UndoPlan* asked = nullptr);

}  // namespace lumaro
