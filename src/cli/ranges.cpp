// Reading the pictures a command works on ("all", "3-5,8") and turning them into list places.
#include "cli/ranges.h"

#include <algorithm>
#include <charconv>

namespace lumaro::cli {

namespace {

// A position: "last", or digits only, at least 1, small enough for any list.
std::optional<long long> position(std::string_view text) {
    if (text == "last") return kLastPosition;
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1 ||
        text.front() == '-' || text.front() == '+') {
        return std::nullopt;
    }
    return value;
}

// Whether a range runs backwards whatever the listing's length: "last-3" may not be 3-last.
bool backwards(long long first, long long last) {
    if (last == kLastPosition) return false;
    return first == kLastPosition || last < first;
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
        const std::string_view from = part.substr(0, dash);
        const std::string_view to = dash == std::string_view::npos ? from : part.substr(dash + 1);
        if (from.empty() && to.empty()) return std::nullopt;
        const std::optional<long long> first = from.empty() ? 1 : position(from);
        const std::optional<long long> last = to.empty() ? kLastPosition : position(to);
        if (!first || !last || backwards(*first, *last)) return std::nullopt;
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
    const auto place = [count](long long position) {
        return position == kLastPosition ? static_cast<long long>(count) : position;
    };
    for (const auto& [firstPosition, lastPosition] : ranges.parts) {
        const long long first = place(firstPosition), last = place(lastPosition);
        if (last > static_cast<long long>(count) || first > last || first < 1) return std::nullopt;
        std::fill(chosen.begin() + (first - 1), chosen.begin() + last, true);
    }
    for (size_t i = 0; i < count; ++i) {
        if (chosen[i]) indices.push_back(static_cast<int>(i));
    }
    return indices;
}

}  // namespace lumaro::cli
