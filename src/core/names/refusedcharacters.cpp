// Finding and naming a character that some file systems refuse in a name.
#include "core/names/refusedcharacters.h"

#include <cstdio>

namespace lumaro {

namespace {
constexpr std::string_view kRefused = "\"*:<>?\\|";
}

std::optional<char> RefusedCharacterIn(std::string_view name) {
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || kRefused.find(c) != std::string_view::npos)
            return c;
    }
    return std::nullopt;
}

std::string CharacterText(char c) {
    if (static_cast<unsigned char>(c) >= 0x20) return std::string("'") + c + "'";
    char code[8];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    return code;
}

}  // namespace lumaro
