// The pictures a command works on: "all", or positions and ranges of positions, 1-based
// places in the listing ("3-5,8"), "last" for the last place, a range open at either end
// running from the first ("-5") or to the last ("10-"). Repeated or overlapping parts mean
// their union.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace lumaro::cli {

// A position that stands for the last place of the listing, whatever its length.
inline constexpr long long kLastPosition = -1;

struct Ranges {
    bool all = false;
    // First and last position, 1-based, or kLastPosition.
    std::vector<std::pair<long long, long long>> parts;
};

// Nothing when the text is not "all" or such a list (empty parts, a position 0, a range
// that runs backwards or is open at both ends, anything but digits, "last", ',' and '-').
std::optional<Ranges> ParseRanges(std::string_view text);

// The 0-based indices of a list of `count` entries, ascending, each once; nothing when a
// position lies past the end.
std::optional<std::vector<int>> ResolveRanges(const Ranges& ranges, size_t count);

}  // namespace lumaro::cli
