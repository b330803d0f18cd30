// Composing a new name from a number and a caption, and proposing the new names of a rename.
#include "core/renaming/composename.h"

#include <algorithm>

#include "core/naming/numberedname.h"
#include "core/renaming/renamepasses.h"

namespace lumaro {

std::string ComposeName(std::string_view oldName, std::string_view caption) {
    // No non-digit from position 1 on: the number part is empty.
    const size_t numberEnd = NumberPartEnd(oldName);
    std::string name(oldName.substr(0, numberEnd == std::string_view::npos ? 0 : numberEnd));
    name += caption.empty() ? kNoCaptionEnding : kCaptionSeparator;
    name += caption;
    return name;
}

CaptionCheck ValidateCaption(std::string_view caption) {
    if (caption.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos) {
        return CaptionCheck::NotInFileName;
    }
    return CaptionCheck::Ok;
}

std::vector<int> ValidSelection(const PictureList& list, const std::vector<int>& selection) {
    std::vector<int> valid;
    valid.reserve(selection.size());
    for (int index : selection) {
        if (index >= 0 && static_cast<size_t>(index) < list.avant.size()) valid.push_back(index);
    }
    std::sort(valid.begin(), valid.end());
    valid.erase(std::unique(valid.begin(), valid.end()), valid.end());
    return valid;
}

RenameProposal ProposeRename(const PictureList& list, const std::vector<int>& selection,
                             std::string_view caption) {
    RenameProposal proposal;
    proposal.check = ValidateCaption(caption);
    if (proposal.check != CaptionCheck::Ok) return proposal;
    proposal.numberOnly = caption.empty();
    const std::vector<int> indices = ValidSelection(list, selection);
    proposal.pairs.reserve(indices.size());
    for (int index : indices) {
        const PictureEntry& entry = list.avant[index];
        std::string name = ComposeName(entry.base, caption);
        // The next load would strip the caption of this picture and of every later one.
        if (IsNumbered(entry.base) && !IsNumbered(name)) {
            proposal.refusedNames.push_back(entry.fileName());
        }
        proposal.pairs.push_back({entry, std::move(name)});
    }
    if (!proposal.refusedNames.empty()) {
        proposal.check = CaptionCheck::WouldUnnumber;
        proposal.pairs.clear();
        return proposal;
    }
    if (!indices.empty()) {
        proposal.firstNewName = proposal.pairs.front().toBase;
        if (indices.size() > 1) proposal.lastNewName = proposal.pairs.back().toBase;
        proposal.lastProposalIndex = indices.back();
    }
    return proposal;
}

void StoreRenameProposal(PictureList& list, const RenameProposal& proposal,
                         const std::vector<int>& selection) {
    list.selectedIndices = ValidSelection(list, selection);
    list.setUndoPairs(proposal.pairs);
}

void CancelRename(PictureList& list, const ListProgress& progress) {
    list.selectedIndices.clear();
    list.allSelected = false;
    list.clearUndoPairs();
    RelistByName(list, progress);
}

}  // namespace lumaro
