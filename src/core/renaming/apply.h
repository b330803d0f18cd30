// Applying a pending proposal (a rename or a renumbering) to the files on disk, and undoing
// it. The (old, new) pairs left in the picture list afterwards are the undo information. The
// history records them in operations/applyoperation.h.
#pragma once

#include <vector>

#include "core/files/fileoperations.h"
#include "core/listing/folderlisting.h"
#include "core/naming/picturelist.h"

namespace lumaro {

struct ApplyOptions {
    bool lastWasRenumber = false;  // a renumbering never moves on to the next picture
    int lastProposalIndex = -1;    // index of the last picture of the rename
    ListProgress progress;         // each rename pass, then the listing
};

struct ApplyResult {
    int renamedCount = 0;                 // pictures that now bear their new names
    std::vector<RenamePair> done;         // the renames that took place
    std::vector<RenameFailure> failures;  // shown once, at the end; empty when all went well
    // After a rename: the entry to select next, with the focus in the caption box (the
    // selection then drops the undo information); -1 when there is none.
    int nextSelection = -1;
    // Another program is changing the folder: nothing was renamed, the proposal is pending.
    bool folderBusy = false;
    int messageKey = 0;  // kMessageReadOnlyDisk: nothing was renamed (every pair a failure)
};

// Renames every picture of `list.olds` to its partner in `list.apres`, in two passes through
// temporary names: ascending when the first new number is not above the first old one, else
// descending. Then the list is read again by name, the selection dropped, and the pairs that
// took place are kept as the undo information. All under the folder's lock.
ApplyResult Apply(PictureList& list, const ApplyOptions& options = {});

// The renames Apply would make, in its order, for a dry run that must show the very same.
std::vector<RenamePair> ApplyPlan(const PictureList& list);
// The renames CancelApply would make, in its order.
std::vector<RenamePair> CancelApplyPlan(const PictureList& list);

struct CancelApplyResult {
    std::vector<RenamePair> done;         // the renames that took place
    std::vector<RenameFailure> failures;  // pictures that kept their applied names
    bool folderBusy = false;              // as for Apply: nothing renamed, the list as it was
    int messageKey = 0;                   // as for Apply
};

// Gives every picture of `list.apres` its old name from `list.olds` again, through temporary
// names as well, reads the list again and drops the undo information and the selection.
CancelApplyResult CancelApply(PictureList& list, const ListProgress& progress = {});

}  // namespace lumaro
