// Accepting the moves of a block of pictures: every picture whose place changed takes the
// number of its place. Planned without touching a file (what a dry run prints), and run under
// the folder's lock, its renames recorded as one operation of the folder's history.
#pragma once

#include "core/renaming/move.h"
#include "core/renaming/renamecheck.h"
#include "operations/folderrun.h"
#include "operations/renameoutcome.h"

namespace lumaro {

class AcceptMoveOperation {
public:
    // `list` and `moveInProgress` as the moves (core/renaming/move.h) left them.
    AcceptMoveOperation(PictureList& list, bool& moveInProgress)
        : list_(list), moveInProgress_(moveInProgress) {}

    // The renames run() would make; refused (kMessageMoveOutdated) when no sequence holds.
    // `takenBefore` answers for the folder's names when another plan renames first.
    NamingPlan plan(const NameTakenBefore& takenBefore = {}) const;
    // Renames and ends the sequence; an outdated sequence is given up, nothing renamed.
    Outcome run(const RunOptions& options = {});

private:
    PictureList& list_;
    bool& moveInProgress_;
};

}  // namespace lumaro
