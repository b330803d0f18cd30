// The one order of names used by every listing and sorted list: bytes compared with ASCII
// letters folded to lower case ("DSC_0001" before "DSCF0001"); names equal under folding
// are ordered by their bytes.
#pragma once

#include <string>
#include <string_view>

namespace lumaro {

// Negative, zero or positive, like strcmp.
int CompareNames(std::string_view a, std::string_view b);

struct NameLess {
    bool operator()(std::string_view a, std::string_view b) const { return CompareNames(a, b) < 0; }
};

// Case-insensitive (ASCII) test that `text` begins with `prefix`.
bool StartsWithFolded(std::string_view text, std::string_view prefix);

// ASCII lower case of a text; other bytes unchanged.
std::string ToLowerAscii(std::string_view text);

}  // namespace lumaro
