// Applying a pending rename or renumbering to the files, and giving the applied names back:
// each planned without touching a file (what a dry run prints), and run under the folder's
// lock, its renames recorded as one operation of the folder's history.
#pragma once

#include "core/renaming/apply.h"
#include "core/renaming/renamecheck.h"
#include "operations/folderrun.h"
#include "operations/renameoutcome.h"

namespace lumaro {

class ApplyOperation {
public:
    // `list` holds the proposal; `options` tell a renumbering and the last picture renamed (the
    // progress is the run's).
    ApplyOperation(PictureList& list, const ApplyOptions& options)
        : list_(list), options_(options) {}

    // The renames run() would make, checked as it checks them; `takenBefore` answers for the
    // names of the folder when another plan renames first (a dry run's planned load).
    NamingPlan plan(const NameTakenBefore& takenBefore = {}) const;
    Outcome run(const RunOptions& options = {});
    // After a run: the entry to select next, ready for its own caption; -1 when there is none.
    int nextSelection() const { return nextSelection_; }

private:
    PictureList& list_;
    ApplyOptions options_;
    int nextSelection_ = -1;
};

// Gives the pictures of the last apply (`list.apres`) their old names (`list.olds`) again.
class CancelApplyOperation {
public:
    explicit CancelApplyOperation(PictureList& list) : list_(list) {}

    NamingPlan plan() const;
    Outcome run(const RunOptions& options = {});

private:
    PictureList& list_;
};

}  // namespace lumaro
