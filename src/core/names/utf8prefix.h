// The first characters of a UTF-8 text, cut between characters and never inside one.
#pragma once

#include <cstddef>
#include <string_view>

namespace lumaro {

// The first `count` characters of `text`. A character is a byte that does not continue a
// sequence with the continuation bytes after it; a stray continuation byte at the start counts
// as a character of its own, as it shows as one replacement mark.
std::string_view FirstCharacters(std::string_view text, size_t count);

}  // namespace lumaro
