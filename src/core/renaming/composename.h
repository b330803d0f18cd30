// Composing new names for the selected pictures: each keeps its number and takes the caption
// typed by the user. The result is a proposal of (old, new) pairs kept in the picture list's
// hidden lists; nothing on disk changes until it is applied.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/listing/folderlisting.h"
#include "core/naming/picturelist.h"

namespace lumaro {

// The name of a picture with a new caption: its number part (the characters before the first
// non-digit from position 1 on), then "  " and the caption, or "--" when the caption is empty.
// "0012  IMG_3456" with "Nord" gives "0012  Nord"; "0013--" with "" gives "0013--".
std::string ComposeName(std::string_view oldName, std::string_view caption);

enum class CaptionCheck {
    Ok,
    NotInFileName,  // holds '/' or a NUL byte: it cannot be part of a file name
    WouldUnnumber,  // a numbered picture would get a name that is not numbered ("--" early)
};

// Checks only what any caption must satisfy; WouldUnnumber depends on the names, see below.
CaptionCheck ValidateCaption(std::string_view caption);

struct RenameProposal {
    CaptionCheck check = CaptionCheck::Ok;
    std::vector<RenamePair> pairs;          // in ascending list order; empty unless Ok
    std::vector<std::string> refusedNames;  // WouldUnnumber: the file names concerned
    bool numberOnly = false;   // empty caption: ask the user before storing the proposal
    std::string firstNewName;  // for `textb_1N`
    std::string lastNewName;   // for `textb_2N`; empty when a single picture is renamed
    int lastProposalIndex = -1;
};

// Composes the new names of the pictures at `selection` (indices of `list.avant`, any order;
// those out of range are ignored). Touches nothing: the caller asks kMessageContinueWithoutCaption
// when `numberOnly`, records the caption in its caption list, then calls StoreRenameProposal.
RenameProposal ProposeRename(const PictureList& list, const std::vector<int>& selection,
                             std::string_view caption);

// Keeps the proposal in `apres`/`olds` (dropping any undo information) and the selection in
// `selectedIndices`.
void StoreRenameProposal(PictureList& list, const RenameProposal& proposal,
                         const std::vector<int>& selection);

// Drops a pending rename or renumbering: no selection, no proposal, the list read again by
// name. Nothing on disk changes.
void CancelRename(PictureList& list, const ListProgress& progress = {});

// Indices of `selection` that lie within `list.avant`, ascending, each once.
std::vector<int> ValidSelection(const PictureList& list, const std::vector<int>& selection);

}  // namespace lumaro
