// Reading the pictures a command works on ("all", "3-5,8") and turning them into list places.
#include "cli/ranges.h"

#include <algorithm>
#include <charconv>

namespace lumaro::cli {

namespace {

// A position: digits only, at least 1, small enough for any list.
std::optional<long long> position(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1 ||
        text.front() == '-' || text.front() == '+') {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<Ranges> ParseRanges(std::string_view text) {
    Ranges ranges;
    if (text == "all") {
        ranges.all = true;
        return ranges;
    }
    if (text.empty()) return std::nullopt;
    while (true) {
        const size_t comma = text.find(',');
        const std::string_view part = text.substr(0, comma);
        const size_t dash = part.find('-');
        const std::optional<long long> first = position(part.substr(0, dash));
        const std::optional<long long> last =
            dash == std::string_view::npos ? first : position(part.substr(dash + 1));
        if (!first || !last || *last < *first) return std::nullopt;
        ranges.parts.emplace_back(*first, *last);
        if (comma == std::string_view::npos) return ranges;
        text.remove_prefix(comma + 1);
    }
}

std::optional<std::vector<int>> ResolveRanges(const Ranges& ranges, size_t count) {
    std::vector<int> indices;
    if (ranges.all) {
        for (size_t i = 0; i < count; ++i) indices.push_back(static_cast<int>(i));
        return indices;
    }
    // One mark per entry: a list of the same range typed a thousand times costs no more
    // memory than the listing itself.
    std::vector<bool> chosen(count);
    for (const auto& [first, last] : ranges.parts) {
        if (last > static_cast<long long>(count)) return std::nullopt;
        std::fill(chosen.begin() + (first - 1), chosen.begin() + last, true);
    }
    for (size_t i = 0; i < count; ++i) {
        if (chosen[i]) indices.push_back(static_cast<int>(i));
    }
    return indices;
}

}  // namespace lumaro::cli
