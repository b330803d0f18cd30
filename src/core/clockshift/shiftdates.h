// Moving the dates of a file held in memory by a signed number of seconds: each date field
// rewritten in place with as many bytes as before, every other byte left as it was (a PNG
// chunk's check sum made anew over its new content, off by as much as it was).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/datefields/datefields.h"

namespace lumaro {

// The longest correction of a camera's clock: 1,000 days either way.
inline constexpr int64_t kLongestShift = int64_t{1000} * 86400;

// Shifts every field of `dates` (found in `file` by FindDateFields) by `seconds`. False, with
// `file` left as it was, when a field does not hold a calendar date or its shifted date could
// not be written in the same bytes (a year outside 0001-9999, a movie time that does not fit).
bool ShiftDatesInBytes(std::string& file, const FileDates& dates, int64_t seconds);

// The seconds from the date text `from` to `to` (both "YYYY:MM:DD HH:MM:SS", compared as
// written, without zones): the shift that makes a picture dated `from` show `to`. Nothing when
// either is no calendar date.
std::optional<int64_t> SecondsBetween(std::string_view from, std::string_view to);

// The date text `text` ("YYYY:MM:DD HH:MM:SS", its separators kept) moved by `seconds`; nothing
// when it is no calendar date or would leave the years 0001-9999.
std::optional<std::string> ShiftedDateText(std::string_view text, int64_t seconds);

// The CRC-32 of PNG chunks over `length` bytes at `data`.
uint32_t PngChecksum(const char* data, size_t length);

}  // namespace lumaro
