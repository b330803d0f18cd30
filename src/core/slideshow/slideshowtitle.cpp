// The slide caption made from a folder's name, its date-like prefix kept in front or moved behind.
#include "core/slideshow/slideshowtitle.h"

#include "core/names/utf8prefix.h"

namespace lumaro {

namespace {

constexpr size_t kMaxTitleCharacters = 256;

// The code point of the UTF-8 character at `at` and its length in bytes; a byte that starts
// no valid character stands for itself.
char32_t CharacterAt(std::string_view text, size_t at, size_t& length) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length == 1 || at + length > text.size()) {
        length = 1;
        return lead;
    }
    char32_t point = lead & (0x3F >> (length - 1));
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            length = 1;
            return lead;
        }
        point = (point << 6) | (byte(i) & 0x3F);
    }
    return point;
}

// A letter of a folder name: an ASCII letter, or a character beyond ASCII that is not
// punctuation or a symbol, so that names such as "Été 2006" or "2006 Été" are never cut inside
// or before their first word, while a dash such as "2006 – Italie" stays with the date.
bool IsLetter(char32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    const bool symbol = (c >= 0x80 && c <= 0xBF) || c == 0xD7 || c == 0xF7 ||
                        (c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F) ||
                        (c >= 0xFE10 && c <= 0xFE6F) || (c >= 0xFF00 && c <= 0xFF20) ||
                        c >= 0x1F000;
    return !symbol;
}

size_t FirstLetter(std::string_view name) {
    size_t length = 1;
    for (size_t i = 0; i < name.size(); i += length) {
        const char32_t c = CharacterAt(name, i, length);
        // A byte that begins no character counts as part of a word.
        if (IsLetter(c) || (length == 1 && c >= 0x80)) return i;
    }
    return std::string_view::npos;
}

}  // namespace

bool HasDatePrefix(std::string_view folderName) {
    const size_t letter = FirstLetter(folderName);
    return letter != std::string_view::npos && letter > 0;
}

std::string MovedTitle(std::string_view folderName) {
    const size_t letter = FirstLetter(folderName);
    if (letter == std::string_view::npos) return std::string(folderName);
    std::string title(FirstCharacters(folderName.substr(letter), kMaxTitleCharacters));
    title += " (";
    title += folderName.substr(0, letter);
    title += ")";
    return title;
}

std::string SlideShowTitle(std::string_view folderName, std::string_view titleFormat) {
    if (titleFormat != kTitleFormatDate && HasDatePrefix(folderName)) return MovedTitle(folderName);
    return std::string(folderName);
}

}  // namespace lumaro
