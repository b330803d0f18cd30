// The numbered-name rules: reading a name's number and caption, composing a new one.
#include "core/naming/numberedname.h"

#include <cstdio>

namespace lumaro {

namespace {

bool isWidth(size_t position) {
    return position >= static_cast<size_t>(kMinNumberWidth) &&
           position <= static_cast<size_t>(kMaxNumberWidth);
}

}  // namespace

size_t NumberPartEnd(std::string_view name) {
    for (size_t i = 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return i;
    }
    return std::string_view::npos;
}

int NumberPrefixWidth(std::string_view name) {
    // A "--" within the first seven characters decides alone, even when two spaces follow.
    const size_t marker = name.find(kNoCaptionEnding);
    if (marker != std::string_view::npos && isWidth(marker)) {
        const bool ends = marker + 2 == name.size();
        return ends && IsDigitsOnly(name.substr(0, marker)) ? static_cast<int>(marker) : -1;
    }
    // Otherwise the number part must be digits only and end with the two spaces.
    const size_t end = NumberPartEnd(name);
    if (end != std::string_view::npos && isWidth(end) && IsDigitsOnly(name.substr(0, 1)) &&
        name.substr(end, kCaptionSeparator.size()) == kCaptionSeparator) {
        return static_cast<int>(end);
    }
    return -1;
}

int WidthForCount(long long count) {
    if (count > kMaxNumberingCount) return -1;
    if (count > 99999) return 6;
    if (count > 9999) return 5;
    if (count >= 1000) return 4;
    if (count > 99) return 3;
    return 2;
}

std::string FormatNumber(long long number, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*lld", width, number);
    return buffer;
}

std::string NumberOnlyName(long long number, int width) {
    std::string name = FormatNumber(number, width);
    name += kNoCaptionEnding;
    return name;
}

std::string CaptionedName(long long number, int width, std::string_view caption) {
    std::string name = FormatNumber(number, width);
    name += kCaptionSeparator;
    name += caption;
    return name;
}

bool IsDigitsOnly(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

long long ReadAsNumber(std::string_view text) {
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        if (value > 99999999999LL) break;  // far past any number a name can carry
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string_view CaptionOf(std::string_view name, bool* hasCaption) {
    const int width = NumberPrefixWidth(name);
    const bool captioned = width > 0 && name.substr(width, 2) == kCaptionSeparator;
    if (hasCaption) *hasCaption = captioned;
    return captioned ? name.substr(width + 2) : std::string_view();
}

}  // namespace lumaro
