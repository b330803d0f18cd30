// The numbered-name convention: a base name starts with a number of 2 to 6 digits followed
// either by two spaces and a caption ("0123  Vacances") or by "--" that ends the name
// ("0123--"). Every naming rule of the program builds on these helpers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumaro {

inline constexpr std::string_view kCaptionSeparator = "  ";
inline constexpr std::string_view kNoCaptionEnding = "--";

inline constexpr int kMinNumberWidth = 2;
inline constexpr int kMaxNumberWidth = 6;
// Beyond this count of pictures plus first number, numbers would need seven digits.
inline constexpr long long kMaxNumberingCount = 1000000;

// The width of the number of a numbered name, -1 when the name is not numbered.
int NumberPrefixWidth(std::string_view name);
inline bool IsNumbered(std::string_view name) { return NumberPrefixWidth(name) > 0; }

// Where the number part of a name ends as a composed name counts it: the first position from
// 1 on whose character is not a digit; npos when there is none. For a numbered name this is
// its width; for other names it is what renaming keeps in front of the new caption.
size_t NumberPartEnd(std::string_view name);

// Width needed for `count` = entries of the list + start number: 2 to 6, or -1 when it is
// above kMaxNumberingCount (the caller shows kMessageStartNumberTooLarge and renames nothing).
int WidthForCount(long long count);

// `number` with leading zeros to `width` digits ("%02d" .. "%06d").
std::string FormatNumber(long long number, int width);
// "0007--" and "0007  caption".
std::string NumberOnlyName(long long number, int width);
std::string CaptionedName(long long number, int width, std::string_view caption);

// True when every character is an ASCII digit; an empty text passes.
bool IsDigitsOnly(std::string_view text);

// A text read as a number: the run of its leading digits (0 when there is none).
long long ReadAsNumber(std::string_view text);

// The caption of a numbered name: what follows the two spaces; empty for "0007--" and for
// names that are not numbered. `hasCaption` tells the two-space form apart.
std::string_view CaptionOf(std::string_view name, bool* hasCaption = nullptr);

}  // namespace lumaro
