// The caption of the slides of a project: the picture folder's name as it is ("Date": a date
// prefix stays in front) or with its date-like prefix moved behind the text ("Text").
#pragma once

#include <string>
#include <string_view>

namespace lumaro {

inline constexpr const char* kTitleFormatDate = "Date";
inline constexpr const char* kTitleFormatText = "Text";

// True when the name opens with something other than a letter and a letter follows later,
// as in "2006-07 Italie": only then is there a prefix the title could move.
bool HasDatePrefix(std::string_view folderName);

// The text from the first letter on (at most 256 characters) followed by " (" + the prefix +
// ")": "2006-07 Italie" gives "Italie (2006-07 )".
std::string MovedTitle(std::string_view folderName);

// The slide caption for a title format: the moved title for "Text" when the name has a
// prefix, the folder name in every other case.
std::string SlideShowTitle(std::string_view folderName, std::string_view titleFormat);

}  // namespace lumaro
