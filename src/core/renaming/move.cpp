// Moving a block of pictures by steps or behind a number, and accepting or cancelling the moves.
#include "core/renaming/move.h"

#include <algorithm>
#include <cerrno>
#include <unordered_map>

#include "core/locking/folderlock.h"
#include "core/naming/numberedname.h"
#include "core/renaming/composename.h"
#include "core/renaming/renamepasses.h"
#include "core/settings/messagekeys.h"

namespace lumaro {

namespace {

bool contiguous(const PictureList& list, const std::vector<int>& block) {
    const long long first = ReadAsNumber(list.avant[block.front()].base);
    for (size_t k = 0; k < block.size(); ++k) {
        const long long step = static_cast<long long>(k);
        if (block[k] != block.front() + static_cast<int>(k)) return false;
        if (ReadAsNumber(list.avant[block[k]].base) != first + step) return false;
    }
    return true;
}

// Puts the block of `count` entries at `from` so that it starts at `to`; the entries between
// shift by `count` places to fill the gap.
void placeBlock(std::vector<PictureEntry>& entries, int from, int count, int to) {
    const auto at = [&](int index) { return entries.begin() + index; };
    if (to < from) std::rotate(at(to), at(from), at(from + count));
    if (to > from) std::rotate(at(from), at(from + count), at(to + count));
}

MoveBlockResult describe(PictureList& list, int first, bool moved) {
    const int count = static_cast<int>(list.selectedIndices.size());
    const int total = static_cast<int>(list.avant.size());
    MoveBlockResult result;
    result.moved = moved;
    for (int k = 0; k < count; ++k) result.selection.push_back(first + k);
    list.selectedIndices = result.selection;
    result.blockFirst = first;
    result.blockLast = first + count - 1;
    result.before = first > 0 ? first - 1 : -1;
    result.after = first + count < total ? first + count : -1;
    result.towardStartEnabled = first > 0;
    result.towardEndEnabled = first + count < total;
    result.topIndex = list.topIndex;
    return result;
}

// Moves the stored block so that it starts at `to` (kept within the list).
MoveBlockResult moveTo(PictureList& list, int to) {
    if (list.selectedIndices.empty()) return {};
    const int from = list.selectedIndices.front();
    const int count = static_cast<int>(list.selectedIndices.size());
    to = std::clamp(to, 0, static_cast<int>(list.avant.size()) - count);
    placeBlock(list.avant, from, count, to);
    list.topIndex = to == 0 ? 0 : std::max(0, list.topIndex + (to - from));
    return describe(list, to, to != from);
}

// The place of the picture numbered `target`, or else of the one with the largest number
// below it; -1 when there is none.
int placeOfNumber(const PictureList& list, long long target) {
    int best = -1;
    long long bestNumber = -1;
    for (size_t i = 0; i < list.avant.size(); ++i) {
        if (!IsNumbered(list.avant[i].base)) continue;
        const long long number = ReadAsNumber(list.avant[i].base);
        if (number == target) return static_cast<int>(i);
        if (number < target && number > bestNumber) {
            best = static_cast<int>(i);
            bestNumber = number;
        }
    }
    return best;
}

// Accepted or cancelled, a sequence ends with the list as the disk holds it.
void endSequence(PictureList& list, bool& moveInProgress, const ListProgress& progress) {
    list.clearUndoPairs();
    list.selectedIndices.clear();
    list.allSelected = false;
    moveInProgress = false;
    RelistByName(list, progress);
}

// The order kept before the first move holds exactly the pictures of the list.
bool snapshotMatches(const PictureList& list) {
    if (list.olds.size() != list.avant.size()) return false;
    std::vector<std::string> before;
    std::vector<std::string> now;
    before.reserve(list.olds.size());
    now.reserve(list.avant.size());
    for (const PictureEntry& entry : list.olds) before.push_back(entry.fileName());
    for (const PictureEntry& entry : list.avant) now.push_back(entry.fileName());
    std::sort(before.begin(), before.end());
    std::sort(now.begin(), now.end());
    return before == now;
}

}  // namespace

BeginMoveResult BeginMove(PictureList& list, const std::vector<int>& selection,
                          bool& moveInProgress, int firstVisibleLine) {
    BeginMoveResult result;
    list.selectedIndices = ValidSelection(list, selection);
    if (list.selectedIndices.empty()) {
        result.check = MoveCheck::NothingSelected;
        return result;
    }
    if (!contiguous(list, list.selectedIndices)) {
        result.check = MoveCheck::NotContiguous;
        return result;
    }
    for (const PictureEntry& entry : list.avant) {
        if (!IsNumbered(entry.base)) result.unnumberedNames.push_back(entry.fileName());
    }
    if (!result.unnumberedNames.empty()) {
        result.check = MoveCheck::NotNumbered;
        return result;
    }
    if (!moveInProgress) {
        moveInProgress = true;
        result.startedSequence = true;
        list.clearUndoPairs();
        list.olds = list.avant;
        list.topIndex = firstVisibleLine;
    }
    return result;
}

MoveBlockResult MoveBlock(PictureList& list, int displacement) {
    if (list.selectedIndices.empty()) return {};
    if (displacement == 0) return moveTo(list, 0);
    return moveTo(list, list.selectedIndices.front() + displacement);
}

TargetRange TargetMoveRange(const PictureList& list) {
    TargetRange range;
    bool any = false;
    for (const PictureEntry& entry : list.avant) {
        if (!IsNumbered(entry.base)) continue;
        const long long number = ReadAsNumber(entry.base);
        range.first = any ? std::min(range.first, number) : number;
        range.last = any ? std::max(range.last, number) : number;
        any = true;
    }
    range.firstText = FormatNumber(range.first, list.numberWidth);
    range.lastText = FormatNumber(range.last, list.numberWidth);
    return range;
}

TargetAnswer CheckTargetAnswer(std::string_view text, const TargetRange& range) {
    if (text.empty()) return TargetAnswer::Cancelled;
    if (!IsDigitsOnly(text)) return TargetAnswer::NotDigits;
    const long long value = ReadAsNumber(text);
    if (value != 0 && (value < range.first || value > range.last)) return TargetAnswer::OutOfRange;
    return TargetAnswer::Accepted;
}

MoveBlockResult MoveToTarget(PictureList& list, long long target) {
    if (list.selectedIndices.empty()) return {};
    if (target == 0) return moveTo(list, 0);
    const int from = list.selectedIndices.front();
    const int count = static_cast<int>(list.selectedIndices.size());
    // The block's own numbers are judged by the block, not by the first picture bearing them:
    // another picture outside the block may carry the same number.
    const long long firstNumber = ReadAsNumber(list.avant[from].base);
    const long long lastNumber = ReadAsNumber(list.avant[from + count - 1].base);
    if (target >= firstNumber && target <= lastNumber) return describe(list, from, false);
    const int place = placeOfNumber(list, target);
    if (place < 0 || (place >= from && place < from + count)) return describe(list, from, false);
    // Right after that picture, counted once the block has left its place.
    return moveTo(list, from < place ? place - count + 1 : place + 1);
}

bool MoveSequenceHolds(const PictureList& list, bool moveInProgress) {
    return moveInProgress && snapshotMatches(list);
}

std::vector<RenamePair> AcceptMovePlan(const PictureList& list,
                                       std::vector<RenameFailure>& failures) {
    std::vector<RenamePair> pairs;
    const size_t count = std::min(list.avant.size(), list.olds.size());
    for (size_t i = 0; i < count; ++i) {
        const PictureEntry& now = list.avant[i];
        const PictureEntry& before = list.olds[i];
        if (now == before) continue;
        const int placeWidth = NumberPrefixWidth(before.base);
        const int ownWidth = NumberPrefixWidth(now.base);
        if (placeWidth < 1 || ownWidth < 1) {  // renamed behind our back since the move began
            failures.push_back(
                {now.fileName(), now.fileName(), {RenameResult::Status::Failed, EINVAL}});
            continue;
        }
        pairs.push_back({now, before.base.substr(0, placeWidth) + now.base.substr(ownWidth)});
    }
    return pairs;
}

AcceptMoveResult AcceptMove(PictureList& list, bool& moveInProgress, const ListProgress& progress) {
    AcceptMoveResult result;
    const FolderLock lock(list.currentFolder);
    if (lock.busy()) {
        result.folderBusy = true;
        result.messageKey = kMessageFolderBusy;
        return result;
    }
    if (!MoveSequenceHolds(list, moveInProgress)) {
        result.messageKey = kMessageMoveOutdated;
        CancelMove(list, moveInProgress, progress);
        return result;
    }
    const std::vector<RenamePair> pairs = AcceptMovePlan(list, result.failures);
    RenamePassesResult passes = RenameInTwoPasses(list.currentFolder, pairs, progress);
    result.renamedCount = static_cast<int>(passes.done.size());
    result.failures.insert(result.failures.end(), passes.failures.begin(), passes.failures.end());
    result.done = std::move(passes.done);
    if (passes.messageKey != 0) result.messageKey = passes.messageKey;
    endSequence(list, moveInProgress, progress);
    return result;
}

void CancelMove(PictureList& list, bool& moveInProgress, const ListProgress& progress) {
    endSequence(list, moveInProgress, progress);
}

void DropMoveSequence(PictureList& list, bool& moveInProgress) {
    if (!moveInProgress) return;
    moveInProgress = false;
    if (snapshotMatches(list)) {
        std::unordered_map<std::string, int> placeBefore;
        for (size_t i = 0; i < list.olds.size(); ++i) {
            placeBefore.emplace(list.olds[i].fileName(), static_cast<int>(i));
        }
        std::vector<int> places;
        for (int index : ValidSelection(list, list.selectedIndices)) {
            places.push_back(placeBefore.at(list.avant[index].fileName()));
        }
        std::sort(places.begin(), places.end());
        list.avant = list.olds;
        list.selectedIndices = places;
    }
    list.clearUndoPairs();
}

}  // namespace lumaro
