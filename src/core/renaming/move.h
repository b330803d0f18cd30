// Moving a block of pictures in the list (one place, ten places, to the start or behind a
// given number) and accepting the moves, which gives every picture the number of the place
// it now holds. Until then only the order of `list.avant` changes; `list.olds` keeps the
// order before the first move of the sequence.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/files/fileoperations.h"
#include "core/listing/folderlisting.h"
#include "core/naming/picturelist.h"
#include "core/settings/messagekeys.h"

namespace lumaro {

enum class MoveCheck {
    Ok,
    NothingSelected,
    NotContiguous,  // kMessageNotContiguous, title kMessageSelection
    NotNumbered,    // the list holds a picture without number: places cannot be renumbered
};

struct BeginMoveResult {
    MoveCheck check = MoveCheck::Ok;
    bool startedSequence = false;  // first move of a sequence: enable `cb_AnnulerDeplacer`
    std::vector<std::string> unnumberedNames;  // NotNumbered: the file names concerned

    bool ok() const { return check == MoveCheck::Ok; }
    int messageKey() const { return check == MoveCheck::NotContiguous ? kMessageNotContiguous : 0; }
    int titleKey() const { return check == MoveCheck::NotContiguous ? kMessageSelection : 0; }
};

// Checks the block before any move: contiguous both in numbers and in places. On the first
// move of a sequence keeps the present order in `list.olds` (dropping undo information) and
// `firstVisibleLine` in `list.topIndex`, and sets `moveInProgress`.
BeginMoveResult BeginMove(PictureList& list, const std::vector<int>& selection,
                          bool& moveInProgress, int firstVisibleLine);

// What the window shows after a move: the block in slot 3 (one picture) or slots 4 and 5,
// its neighbours in slots 1 and 2.
struct MoveBlockResult {
    bool moved = false;               // false: the block stayed where it was
    std::vector<int> selection;       // the block's places, to select again
    int blockFirst = -1;              // slot 3 when the block is one picture, else slot 4
    int blockLast = -1;               // slot 5 when the block has several pictures
    int before = -1;                  // slot 1: the entry before the block; -1 clears the slot
    int after = -1;                   // slot 2: the entry after the block; -1 clears the slot
    bool towardStartEnabled = false;  // `pictbttn_ToStart1` and `pictbttn_ToStart10`
    bool towardEndEnabled = false;    // `pictbttn_ToEnd1` and `pictbttn_ToEnd10`
    int topIndex = 0;                 // first visible line to restore
};

// Moves the block `list.selectedIndices` (as BeginMove stored it) by `displacement` places:
// 0 to the start, negative toward the start, positive toward the end, never past either end.
// Updates `avant`, `selectedIndices` and `topIndex`.
MoveBlockResult MoveBlock(PictureList& list, int displacement);

// The numbers the targeted move accepts besides 0: from the smallest to the largest number of
// the numbered names of the list, and their texts with `list.numberWidth` digits.
struct TargetRange {
    long long first = 0;
    long long last = 0;
    std::string firstText;
    std::string lastText;
};
TargetRange TargetMoveRange(const PictureList& list);

enum class TargetAnswer {
    Accepted,
    Cancelled,   // empty text
    NotDigits,   // kMessageDigitsOnly: the dialog stays open
    OutOfRange,  // kMessageValueOutOfRange: the dialog stays open
};
TargetAnswer CheckTargetAnswer(std::string_view text, const TargetRange& range);

// Moves the block right after the picture numbered `target` (0: to the start). When the
// block bears that number, or when the block already sits there, the block stays put. A
// number that no picture bears places the block after the picture with the largest smaller
// number.
MoveBlockResult MoveToTarget(PictureList& list, long long target);

struct AcceptMoveResult {
    int renamedCount = 0;
    std::vector<RenamePair> done;         // the renames that took place
    std::vector<RenameFailure> failures;  // shown once, at the end
    // kMessageMoveOutdated: refused, nothing renamed, the sequence given up (CancelMove);
    // kMessageReadOnlyDisk: the same, the disk being read-only (every pair a failure).
    int messageKey = 0;
    // Another program is changing the folder (kMessageFolderBusy): nothing renamed, the
    // sequence still pending.
    bool folderBusy = false;
};

// Gives each picture whose place changed the number its place had before the moves, keeping
// its own caption; renames in two passes through temporary names, reads the list again by
// name, and ends the sequence. Refused, renaming nothing, when no sequence is pending or the
// order kept before the first move does not hold exactly the pictures of the list. All under
// the folder's lock.
AcceptMoveResult AcceptMove(PictureList& list, bool& moveInProgress,
                            const ListProgress& progress = {});

// Whether a sequence is pending whose order kept before the first move still holds exactly the
// pictures of the list: AcceptMove refuses (kMessageMoveOutdated) otherwise.
bool MoveSequenceHolds(const PictureList& list, bool moveInProgress);

// The renames AcceptMove would make for a pending sequence, for a dry run that must show the
// very same; a picture renamed behind the sequence's back goes to `failures`.
std::vector<RenamePair> AcceptMovePlan(const PictureList& list,
                                       std::vector<RenameFailure>& failures);

// Ends the sequence without touching a file: the list is read again.
void CancelMove(PictureList& list, bool& moveInProgress, const ListProgress& progress = {});

// Ends a pending sequence and gives its moves up, before an operation that fills the proposal
// lists anew (or when the one move it was begun for is cancelled): the list takes back the
// order it had before the first move, the order of the disk, and `selectedIndices` follow
// the selected pictures to their places there. Nothing on disk changes.
void DropMoveSequence(PictureList& list, bool& moveInProgress);

}  // namespace lumaro
