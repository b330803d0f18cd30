// The pictures a command works on: "all", or positions and ranges of positions, 1-based
// places in the listing ("3-5,8"). Repeated or overlapping parts mean their union.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace lumaro::cli {

struct Ranges {
    bool all = false;
    std::vector<std::pair<long long, long long>> parts;  // first and last position, 1-based
};

// Nothing when the text is not "all" or such a list (empty parts, a position 0, a range
// that runs backwards, anything but digits, ',' and '-').
std::optional<Ranges> ParseRanges(std::string_view text);

// The 0-based indices of a list of `count` entries, ascending, each once; nothing when a
// position lies past the end.
std::optional<std::vector<int>> ResolveRanges(const Ranges& ranges, size_t count);

}  // namespace lumaro::cli
