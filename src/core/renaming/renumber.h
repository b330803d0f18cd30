// Renumbering: the selected pictures get consecutive numbers from a first number, with a
// chosen number of digits, each keeping its caption. The result is a proposal that Apply
// writes to disk; numbers that other pictures bear are refused.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/listing/folderlisting.h"
#include "core/naming/picturelist.h"

namespace lumaro {

enum class RenumberAnswer {
    Accepted,
    Cancelled,  // no first number: nothing happens
    NotDigits,  // kMessageDigitsOnly: the dialog stays open
    BadWidth,   // kMessageWidthOutOfRange: the dialog stays open
};
// The checks of the renumbering dialog on its two texts. An empty width means none typed.
RenumberAnswer CheckRenumberAnswer(std::string_view firstNumber, std::string_view width);

// The number width of a renumbering: the width the count needs (entries + first number), or
// the typed width when it is 2 to 6 and first number + entries < 10^width - 1. -1 when the
// numbers would need seven digits (kMessageStartNumberTooLarge).
int RenumberWidth(long long startNumber, size_t entryCount, std::string_view typedWidth);

// The overlap check on numbers alone. `numbers` holds the number of every entry in list order
// (negative for an entry without number), `selected` the ascending selected indices. Returns
// 0 when refused, else the count of selected entries. Accepted only when the six placement
// rules accept and no new number is the number of a picture outside the selection.
int RenumberOverlapCheck(const std::vector<long long>& numbers, const std::vector<int>& selected,
                         long long startNumber);

enum class RenumberOutcome {
    Proposed,  // the pairs are pending in `apres`/`olds`
    NothingSelected,
    Overlap,        // kMessageNumbersOverlap: proposal and selection dropped
    TooLarge,       // numbers would need seven digits; nothing changes
    NotNumbered,    // a selected picture has no number (refusedNames)
    WouldUnnumber,  // the new width would make a name unnumbered (refusedNames)
};

struct RenumberResult {
    RenumberOutcome outcome = RenumberOutcome::Proposed;
    std::vector<RenamePair> pairs;          // in ascending list order
    std::vector<std::string> refusedNames;  // file names, for NotNumbered and WouldUnnumber
    std::string firstNewName;               // for `textb_1N`
    std::string lastNewName;                // for `textb_2N`; empty for a single picture
    int numberWidth = 0;                    // the width chosen

    int messageKey() const;  // 0 when there is nothing to say
};

// Proposes new numbers for the pictures at `selection`: from `startNumber` up, with the width
// of RenumberWidth; each keeps everything after its own number. Sets `startNumber`; when
// proposed also `numberWidth`, `selectedIndices` and the pairs; on overlap drops the proposal
// and the selection.
RenumberResult Renumber(PictureList& list, const std::vector<int>& selection, long long startNumber,
                        std::string_view typedWidth);

// Drops a pending renumbering like a pending rename.
void CancelRenumber(PictureList& list, const ListProgress& progress = {});

}  // namespace lumaro
