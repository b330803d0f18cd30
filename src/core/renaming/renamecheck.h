// What a set of picture renames would meet in its folder, found before the first rename: a
// folder that refuses changes, a new name longer than its file system allows or holding a
// character it refuses, a new name that a file bears which the set does not rename away (in
// a folder that ignores letter case, in any letter case). Every rename of pictures asks it first
// and leaves the groups it keeps untouched; dry runs print its verdict, so both always agree.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/files/fileoperations.h"
#include "core/names/namematch.h"
#include "core/naming/picturelist.h"

namespace lumaro {

struct RenameCheck {
    std::vector<RenamePair> go;  // the pairs that would be renamed, in the order given
    // The groups (a picture with its companions) that would keep their names, one row each,
    // naming the file that stops the group and why, in the order of the pairs.
    std::vector<RenameFailure> kept;
};

// Whether a file of the folder bears `fileName` before the set renames anything. Unset: looked
// up on disk; a plan that renames before the set (a dry run's planned load) answers for it.
using NameTakenBefore = std::function<bool(const std::string& fileName)>;

// The names of `folder` once `renames` (planned, not made) are done: their old names are free,
// their new names taken, and every other name as it is on disk; compared as the folder does.
NameTakenBefore NamesAfter(const std::string& folder, const std::vector<FileRename>& renames);

// How `folder` compares names, asked with the old names of `pairs` (one or two lookups).
NameMatch NameMatchForRenames(const std::string& folder, const std::vector<RenamePair>& pairs);

// Checks `pairs` (pictures of `folder`, which ends with '/', each with its companions) as one
// set renamed through temporary names: a group is kept, all its files, when the folder cannot
// be written, when one of its new names is longer than the folder allows or holds a character
// its file system refuses (NameRefused), or when a new name is borne by a file that no renamed
// group leaves, a group kept by this very check included. Names are compared with `match`
// (asked of the folder when unset): where letter case is ignored, a picture that changes only
// the case of its name leaves the name it takes. A pair that already bears its new name
// renames nothing and is never kept.
RenameCheck CheckGroupRenames(const std::string& folder, const std::vector<RenamePair>& pairs,
                              const NameTakenBefore& takenBefore = {},
                              std::optional<NameMatch> match = std::nullopt);

}  // namespace lumaro
