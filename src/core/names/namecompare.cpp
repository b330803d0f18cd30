// The name order: ASCII letters folded, letter case deciding only between names equal once folded.
#include "core/names/namecompare.h"

#include <algorithm>

namespace lumaro {

namespace {
unsigned char fold(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }
}  // namespace

// Equal bytes are skipped without folding: sorted lists compare names that share long
// prefixes ("0001  Vacances..."). The first byte that differs only in letter case decides
// between names that are equal once folded.
int CompareNames(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    int caseOrder = 0;
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = a[i], y = b[i];
        if (x == y) continue;
        const unsigned char fx = fold(x), fy = fold(y);
        if (fx != fy) return fx < fy ? -1 : 1;
        if (caseOrder == 0) caseOrder = x < y ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return caseOrder;
}

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (fold(text[i]) != fold(prefix[i])) return false;
    }
    return true;
}

std::string ToLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(fold(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace lumaro
