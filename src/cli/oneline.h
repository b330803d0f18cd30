// Names and dates written one picture a line: a line feed is legal in a file name and a
// damaged date can hold any byte, so control characters are written escaped.
#pragma once

#include <string>
#include <string_view>

namespace lumaro::cli {

// `text` with "\n", "\t", "\r" for those characters, "\xHH" for the other control
// characters (below 0x20 and 0x7F), and "\\" for a backslash; every other byte as it is.
std::string OnOneLine(std::string_view text);

}  // namespace lumaro::cli
