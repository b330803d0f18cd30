// The characters that the file systems made for another system's names (FAT, exFAT, SMB shares)
// never take in a name: '"', '*', ':', '<', '>', '?', '\', '|' and the control characters. A
// rename to such a name is refused while it is planned, so a dry run says what the run would.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumaro {

// The first such character of `name`; nullopt when it has none.
std::optional<char> RefusedCharacterIn(std::string_view name);

// The character as a message names it: ':' between quotes, a control character by its code
// ("U+0009").
std::string CharacterText(char c);

}  // namespace lumaro
