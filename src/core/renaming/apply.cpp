// Applying a rename or a renumbering to the files on disk, and cancelling an application.
#include "core/renaming/apply.h"

#include <algorithm>

#include "core/locking/folderlock.h"
#include "core/naming/numberedname.h"
#include "core/renaming/renamepasses.h"

namespace lumaro {

namespace {

std::vector<RenamePair> pendingPairs(const PictureList& list) {
    const std::vector<std::string>& apres = list.apres.items();
    const size_t count = std::min(apres.size(), list.olds.size());
    std::vector<RenamePair> pairs;
    pairs.reserve(count);
    for (size_t i = 0; i < count; ++i) pairs.push_back({list.olds[i], apres[i]});
    return pairs;
}

// Numbers moving down are renamed from the start, numbers moving up from the end.
void orderForApply(std::vector<RenamePair>& pairs) {
    if (pairs.empty()) return;
    if (ReadAsNumber(pairs.front().toBase) > ReadAsNumber(pairs.front().from.base)) {
        std::reverse(pairs.begin(), pairs.end());
    }
}

void dropSelection(PictureList& list) {
    list.selectedIndices.clear();
    list.allSelected = false;
}

}  // namespace

std::vector<RenamePair> ApplyPlan(const PictureList& list) {
    std::vector<RenamePair> pairs = pendingPairs(list);
    orderForApply(pairs);
    return pairs;
}

std::vector<RenamePair> CancelApplyPlan(const PictureList& list) {
    std::vector<RenamePair> back;
    const std::vector<std::string>& apres = list.apres.items();
    const size_t count = std::min(apres.size(), list.olds.size());
    back.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const PictureEntry& old = list.olds[i];
        back.push_back({PictureEntry{apres[i], old.extension, old.companions}, old.base});
    }
    orderForApply(back);
    return back;
}

ApplyResult Apply(PictureList& list, const ApplyOptions& options) {
    ApplyResult result;
    const FolderLock lock(list.currentFolder);
    result.folderBusy = lock.busy();
    if (result.folderBusy) return result;
    const std::vector<RenamePair> pairs = ApplyPlan(list);
    RenamePassesResult passes = RenameInTwoPasses(list.currentFolder, pairs, options.progress);
    result.renamedCount = static_cast<int>(passes.done.size());
    result.failures = std::move(passes.failures);
    result.messageKey = passes.messageKey;
    RelistByName(list, options.progress);
    dropSelection(list);
    list.setUndoPairs(passes.done);
    result.done = std::move(passes.done);
    const int next = options.lastProposalIndex + 1;
    if (!options.lastWasRenumber && options.lastProposalIndex >= 0 &&
        static_cast<size_t>(next) < list.avant.size()) {
        result.nextSelection = next;
    }
    return result;
}

CancelApplyResult CancelApply(PictureList& list, const ListProgress& progress) {
    CancelApplyResult result;
    const FolderLock lock(list.currentFolder);
    result.folderBusy = lock.busy();
    if (result.folderBusy) return result;
    RenamePassesResult passes =
        RenameInTwoPasses(list.currentFolder, CancelApplyPlan(list), progress);
    result.failures = std::move(passes.failures);
    result.done = std::move(passes.done);
    result.messageKey = passes.messageKey;
    RelistByName(list, progress);
    list.clearUndoPairs();
    dropSelection(list);
    return result;
}

}  // namespace lumaro
