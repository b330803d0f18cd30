// One step through a folder's history, for the window's Ctrl+Z and Ctrl+Shift+Z and for
// lumaro-cli undo and redo alike: the undo of the newest operation still intact and not
// undone, or the redo of the last undo. Its plan is what the question or the dry run shows;
// its run does that plan, or nothing when the folder no longer gives it.
#pragma once

#include <functional>
#include <string>

#include "operations/folderrun.h"
#include "operations/outcome.h"
#include "operations/picturechanges.h"
#include "operations/undo/undo.h"

namespace lumaro {

class UndoStep {
public:
    enum class Direction { Undo, Redo };
    UndoStep(std::string folder, Direction direction);

    // What the step would do, found without touching a file: each file's move, as NamesOf
    // names it, and each group that would stay where it is (SomeKept, kMessageUndoFailed).
    // Refused when there is nothing to undo or redo, when the files changed (the file as its
    // one detail), when the turn to take back lost pixels or when the folder's disk is
    // read-only (kMessageReadOnlyDisk).
    PicturePlan plan();
    // The plan found by plan(): the operation it reverses, which the question names, and the
    // pictures that come back under another name (kMessageUndoOtherNames).
    const UndoPlan& planned() const { return plan_; }
    // Carries out the plan plan() found (one found now when none was) under the folder's lock,
    // and records it. Refused, changing nothing, when the folder no longer gives that plan;
    // SomeKept (kMessageUndoFailed) with each file that stayed, and why. `beforeChanges` is
    // called once the folder is held, before any file is touched.
    Outcome run(const RunOptions& options = {}, const std::function<void()>& beforeChanges = {});
    // The files the last run moved, as NamesOf names them.
    const std::vector<ChangedFile>& changed() const { return changed_; }

private:
    std::string folder_;
    Direction direction_;
    UndoPlan plan_;
    bool planned_ = false;
    std::vector<ChangedFile> changed_;
};

}  // namespace lumaro
