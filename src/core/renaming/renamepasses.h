// Renames a set of pictures in two passes through temporary names, so that a new name that is
// still another picture's old name (numbers shifted by a renumbering or a move) never meets
// it. Apply, cancel apply and the acceptance of moves all rename through here, and the whole
// plan stays in the folder's rename journal until the last rename is done.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/files/fileoperations.h"
#include "core/naming/picturelist.h"
#include "core/naming/picturelisting.h"

namespace lumaro {

struct RenamePassesResult {
    // The renames that took place, a picture that already bore its new name included; each
    // pair carries its companions, renamed with it.
    std::vector<RenamePair> done;
    // The pictures that kept their names, by the row of the file that could not be renamed (the
    // picture's or a companion's: the picture then kept its name with every companion). A file
    // that could neither take its new name nor go back to its old one stays on its temporary
    // name: a second row says so.
    std::vector<RenameFailure> failures;
    // Another program is changing the folder: nothing was renamed.
    bool folderBusy = false;
    // kMessageReadOnlyDisk when the folder's disk is read-only: nothing was renamed, no journal
    // written, and every picture is among the failures with that errno; else 0.
    int messageKey = 0;
};

// Pictures whose folder cannot be changed at all (CheckFolderWritable's errno `refusal`): each
// keeps its name, one failure row per pair.
std::vector<RenameFailure> RefusedRenames(const std::vector<RenamePair>& pairs, int refusal);
// kMessageReadOnlyDisk for a read-only disk, else 0 (the failure rows say the rest).
int RefusalMessage(int refusal);

// Renames every pair from `folder` + from.fileName() to `folder` + toFileName(), in the order
// given. The groups that CheckGroupRenames keeps are left as they are, its rows first among the
// failures. First pass: each picture goes to a temporary name that is neither a new name of the
// set nor an existing file; second pass: only the pictures that reached a temporary name take
// their new names, and one that cannot goes back to its old name. Each picture's companions
// go along at every step, all or none. No rename ever replaces a file. `progress` is called for
// each pass afresh, from 0 to the number of pairs. The folder's lock is held throughout.
RenamePassesResult RenameInTwoPasses(const std::string& folder,
                                     const std::vector<RenamePair>& pairs,
                                     const ListProgress& progress = {});

// Temporary base name for the new base name `newBase`: an "x" in place of the first character
// after its number ("0004x b" for "0004  b"), so that it is never a numbered name; later
// attempts add the attempt number after the "x" ("0004x2 b").
std::string TemporaryNameFor(std::string_view newBase, int attempt = 0);

// Every operation that renamed ends here: the list is read again from the disk in name order.
void RelistByName(PictureList& list, const ListProgress& progress = {});

}  // namespace lumaro
