// Folding letter case for the folders that ignore it.
#include "core/names/namematch.h"

#include <functional>

namespace lumaro {

namespace {

// The small letter of a code point of two UTF-8 bytes (U+0080 to U+07FF), itself when it has
// none there.
char32_t foldTwoByte(char32_t c) {
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (c == 0x178) return 0xFF;
    if (c == 0x3C2) return 0x3C3;  // the final sigma
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return c + 0x25;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 0x3F;
    // Latin Extended-A and the Cyrillic pairs: the capital first, its small letter after it.
    const bool evenPairs = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) ||
                           (c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF);
    const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenPairs && c % 2 == 0) || (oddPairs && c % 2 == 1)) return c + 1;
    return c;
}

char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

}  // namespace

std::string FoldCase(std::string_view name) {
    std::string folded(name);
    for (size_t i = 0; i < folded.size(); ++i) {
        const auto lead = static_cast<unsigned char>(folded[i]);
        if (lead < 0x80) {
            folded[i] = foldAscii(folded[i]);
            continue;
        }
        const auto next = i + 1 < folded.size() ? static_cast<unsigned char>(folded[i + 1]) : 0;
        if (lead < 0xC2 || lead > 0xDF || (next & 0xC0) != 0x80) continue;
        const char32_t small = foldTwoByte(((lead & 0x1Fu) << 6) | (next & 0x3Fu));
        folded[i] = static_cast<char>(0xC0 | (small >> 6));
        folded[++i] = static_cast<char>(0x80 | (small & 0x3F));
    }
    return folded;
}

std::string SwapAsciiCase(std::string_view name) {
    std::string swapped(name);
    for (char& c : swapped) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + 32);
        } else if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 32);
        }
    }
    return swapped;
}

bool HasAsciiLetter(std::string_view name) {
    for (const char c : name) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    }
    return false;
}

bool NameMatch::same(std::string_view a, std::string_view b) const {
    if (a == b) return true;
    return ignoresCase_ && a.size() == b.size() && FoldCase(a) == FoldCase(b);
}

size_t NameMatch::hash(std::string_view name) const {
    if (!ignoresCase_) return std::hash<std::string_view>()(name);
    return std::hash<std::string>()(FoldCase(name));
}

}  // namespace lumaro
