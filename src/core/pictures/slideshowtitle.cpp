#include "pictures/slideshowtitle.h"

namespace lumaro {

namespace {

constexpr size_t kMaxTitleCharacters = 256;

// A letter of a folder name: an ASCII letter, or any character beyond ASCII, so that names
// such as "Été 2006" or "2006 Été" are never cut inside or before their first word.
bool IsLetterByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u >= 0x80;
}

size_t FirstLetter(std::string_view name) {
    for (size_t i = 0; i < name.size(); ++i) {
        if (IsLetterByte(name[i])) return i;
    }
    return std::string_view::npos;
}

// The first `count` characters of a UTF-8 text, never cutting one in two.
std::string_view FirstCharacters(std::string_view text, size_t count) {
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (starts && characters++ == count) return text.substr(0, i);
    }
    return text;
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
