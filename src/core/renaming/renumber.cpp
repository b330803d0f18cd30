// Renumbering the selection: answers checked, a width chosen, numbers other pictures bear refused.
#include "core/renaming/renumber.h"

#include <algorithm>

#include "core/naming/numberedname.h"
#include "core/renaming/composename.h"
#include "core/settings/messagekeys.h"

namespace lumaro {

namespace {

long long powerOfTen(int exponent) {
    long long value = 1;
    for (int i = 0; i < exponent; ++i) value *= 10;
    return value;
}

// The placement rules: new numbers below or above all, the same numbers, or a run that fits
// between the numbers next to the selection. The first rule that applies decides.
bool placementAccepts(const std::vector<long long>& numbers, const std::vector<int>& selected,
                      long long b) {
    const auto num = [&](size_t i) { return std::max(0LL, numbers[i]); };
    const size_t s = selected.size();
    const size_t n = numbers.size();
    const long long last = b + static_cast<long long>(s) - 1;
    if (s == n) return true;
    if (last < num(0)) return true;
    if (num(n - 1) < b) return true;
    const long long first = num(selected.front());
    const long long lastSelected = num(selected.back());
    if (first == b && lastSelected == last) return true;
    if (b < first) {
        if (first == num(0)) return true;
        for (size_t i = 0; i <= n - s; ++i) {
            if (num(i) == b) return false;
            if (num(i) > b) return last < num(i) || num(i) == first;
        }
        return false;
    }
    if (lastSelected == num(n - 1) && lastSelected < b + static_cast<long long>(s)) return true;
    for (size_t i = n; i-- > s - 1;) {
        if (num(i) <= b) return (i + 1 >= n || last < num(i + 1)) || num(i) == last;
    }
    return true;
}

// Whether a new number is the number of a picture outside the selection.
bool meetsOutside(const std::vector<long long>& numbers, const std::vector<int>& selected,
                  long long b) {
    std::vector<char> isSelected(numbers.size(), 0);
    for (int index : selected) isSelected[index] = 1;
    const long long last = b + static_cast<long long>(selected.size()) - 1;
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (!isSelected[i] && numbers[i] >= b && numbers[i] <= last) return true;
    }
    return false;
}

std::vector<long long> numbersOf(const PictureList& list) {
    std::vector<long long> numbers;
    numbers.reserve(list.avant.size());
    for (const PictureEntry& entry : list.avant) {
        numbers.push_back(IsNumbered(entry.base) ? ReadAsNumber(entry.base) : -1);
    }
    return numbers;
}

}  // namespace

RenumberAnswer CheckRenumberAnswer(std::string_view firstNumber, std::string_view width) {
    if (!IsDigitsOnly(firstNumber)) return RenumberAnswer::NotDigits;
    if (!width.empty() && width[0] != ' ' && (width[0] < '0' || width[0] > '6')) {
        return RenumberAnswer::BadWidth;
    }
    return firstNumber.empty() ? RenumberAnswer::Cancelled : RenumberAnswer::Accepted;
}

int RenumberWidth(long long startNumber, size_t entryCount, std::string_view typedWidth) {
    const long long count = static_cast<long long>(entryCount) + startNumber;
    const int needed = WidthForCount(count);
    if (needed < 0) return -1;
    const long long typed = ReadAsNumber(typedWidth);
    if (typed >= kMinNumberWidth && typed <= kMaxNumberWidth &&
        count < powerOfTen(static_cast<int>(typed)) - 1) {
        return static_cast<int>(typed);
    }
    return needed;
}

int RenumberOverlapCheck(const std::vector<long long>& numbers, const std::vector<int>& selected,
                         long long startNumber) {
    if (selected.empty() || numbers.empty()) return 0;
    if (!placementAccepts(numbers, selected, startNumber)) return 0;
    if (meetsOutside(numbers, selected, startNumber)) return 0;
    return static_cast<int>(selected.size());
}

int RenumberResult::messageKey() const {
    if (outcome == RenumberOutcome::Overlap) return kMessageNumbersOverlap;
    if (outcome == RenumberOutcome::TooLarge) return kMessageStartNumberTooLarge;
    return 0;
}

RenumberResult Renumber(PictureList& list, const std::vector<int>& selection, long long startNumber,
                        std::string_view typedWidth) {
    RenumberResult result;
    const std::vector<int> selected = ValidSelection(list, selection);
    if (selected.empty()) {
        result.outcome = RenumberOutcome::NothingSelected;
        return result;
    }
    result.numberWidth = RenumberWidth(startNumber, list.avant.size(), typedWidth);
    if (result.numberWidth < 0) {
        result.outcome = RenumberOutcome::TooLarge;
        return result;
    }
    list.startNumber = startNumber;
    for (size_t k = 0; k < selected.size(); ++k) {
        const PictureEntry& entry = list.avant[selected[k]];
        const int own = NumberPrefixWidth(entry.base);
        if (own < 1) {
            result.refusedNames.push_back(entry.fileName());
            continue;
        }
        const long long number = startNumber + static_cast<long long>(k);
        std::string name = FormatNumber(number, result.numberWidth) + entry.base.substr(own);
        if (!IsNumbered(name)) result.refusedNames.push_back(entry.fileName());
        result.pairs.push_back({entry, std::move(name)});
    }
    if (!result.refusedNames.empty()) {
        result.outcome = result.pairs.size() < selected.size() ? RenumberOutcome::NotNumbered
                                                               : RenumberOutcome::WouldUnnumber;
        result.pairs.clear();
        return result;
    }
    if (RenumberOverlapCheck(numbersOf(list), selected, startNumber) == 0) {
        result.outcome = RenumberOutcome::Overlap;
        result.pairs.clear();
        list.clearUndoPairs();
        list.selectedIndices.clear();
        list.allSelected = false;
        return result;
    }
    list.numberWidth = result.numberWidth;
    list.selectedIndices = selected;
    list.setUndoPairs(result.pairs);
    result.firstNewName = result.pairs.front().toBase;
    if (selected.size() > 1) result.lastNewName = result.pairs.back().toBase;
    return result;
}

void CancelRenumber(PictureList& list, const ListProgress& progress) {
    CancelRename(list, progress);
}

}  // namespace lumaro
