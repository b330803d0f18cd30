// Date arithmetic on the texts and numbers of date fields, without time zones: a camera's
// local time moves by the same seconds as the instant it stands for.
#include "core/clockshift/shiftdates.h"

#include <array>
#include <cstdio>
#include <optional>

#include "core/datefields/bytereads.h"
#include "core/files/crc32.h"
#include "core/picturefile/picturedate.h"
#include "core/picturefile/tiffdate.h"

namespace lumaro {

namespace {

constexpr int64_t kDay = 86400;

// Days since 1970-01-01 of a civil date, and back.
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Civil {
    int64_t year, month, day, hour, minute, second;
};

Civil civilFromSeconds(int64_t seconds) {
    int64_t days = seconds / kDay, rest = seconds % kDay;
    if (rest < 0) rest += kDay, --days;
    const int64_t z = days + 719468, era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100), mp = (5 * doy + 2) / 153;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    return {yoe + era * 400 + (month <= 2),
            month,
            doy - (153 * mp + 2) / 5 + 1,
            rest / 3600,
            rest / 60 % 60,
            rest % 60};
}

int64_t number(const char* text, int width) {
    int64_t value = 0;
    for (int i = 0; i < width; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

bool isLeap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// The seconds since 1970 of "YYYY?MM?DD?HH:MM:SS" (digits where they belong, checked by the
// finder), when it is a calendar date.
std::optional<int64_t> secondsOf(const char* text) {
    static constexpr std::array<int, 12> kMonthDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int64_t y = number(text, 4), mo = number(text + 5, 2), d = number(text + 8, 2);
    const int64_t h = number(text + 11, 2), mi = number(text + 14, 2), s = number(text + 17, 2);
    if (mo < 1 || mo > 12 || d < 1 || h > 23 || mi > 59 || s > 59) return std::nullopt;
    if (d > kMonthDays[static_cast<size_t>(mo - 1)] + (mo == 2 && isLeap(y))) return std::nullopt;
    return daysFromCivil(y, mo, d) * kDay + h * 3600 + mi * 60 + s;
}

// Rewrites the date text at `text` (its separators kept) moved by `seconds`.
bool shiftText(char* text, int64_t seconds) {
    const std::optional<int64_t> before = secondsOf(text);
    if (!before) return false;
    const Civil after = civilFromSeconds(*before + seconds);
    if (after.year < 1 || after.year > 9999) return false;
    char digits[20];
    std::snprintf(digits, sizeof digits, "%04d%02d%02d%02d%02d%02d", static_cast<int>(after.year),
                  static_cast<int>(after.month), static_cast<int>(after.day),
                  static_cast<int>(after.hour), static_cast<int>(after.minute),
                  static_cast<int>(after.second));
    static constexpr int kPlaces[] = {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18};
    for (int i = 0; i < 14; ++i) text[kPlaces[i]] = digits[i];
    return true;
}

bool shiftSeconds(std::string& file, const DateField& field, int64_t seconds) {
    const int width = static_cast<int>(DateFieldSize(field.kind));
    const uint64_t before = bytes::Read(file, field.offset, width, true);
    const uint64_t most = width == 4 ? UINT32_MAX : static_cast<uint64_t>(INT64_MAX);
    const uint64_t amount = static_cast<uint64_t>(seconds < 0 ? -seconds : seconds);
    // The time stays above 0 (none) and within its field.
    if (before > most || (seconds < 0 && before <= amount) ||
        (seconds > 0 && before > most - amount))
        return false;
    bytes::Write(file, field.offset, width, seconds < 0 ? before - amount : before + amount, true);
    return true;
}

}  // namespace

std::optional<int64_t> SecondsBetween(std::string_view from, std::string_view to) {
    const auto valid = [](std::string_view text) {
        return text.size() == kDateTextLength &&
               IsValidDateText(reinterpret_cast<const uint8_t*>(text.data()));
    };
    if (!valid(from) || !valid(to)) return std::nullopt;
    const std::optional<int64_t> start = secondsOf(from.data()), end = secondsOf(to.data());
    if (!start || !end) return std::nullopt;
    return *end - *start;
}

std::optional<std::string> ShiftedDateText(std::string_view text, int64_t seconds) {
    std::string shifted(text);
    if (!SecondsBetween(text, text) || !shiftText(shifted.data(), seconds)) return std::nullopt;
    return shifted;
}

uint32_t PngChecksum(const char* data, size_t length) {
    return Crc32(std::string_view(data, length));
}

bool ShiftDatesInBytes(std::string& file, const FileDates& dates, int64_t seconds) {
    if (seconds < -kLongestShift || seconds > kLongestShift) return false;
    std::string shifted = file;
    for (const DateField& field : dates.fields) {
        if (!bytes::Fits(shifted, field.offset, DateFieldSize(field.kind))) return false;
        const bool done =
            field.kind == DateFieldKind::ExifText || field.kind == DateFieldKind::AppleText
                ? shiftText(shifted.data() + field.offset, seconds)
                : shiftSeconds(shifted, field, seconds);
        if (!done) return false;
    }
    if (const std::optional<ChecksumSpan>& sum = dates.checksum) {
        if (!bytes::Fits(shifted, sum->start, sum->length) || !bytes::Fits(shifted, sum->at, 4))
            return false;
        // A check sum that was wrong stays wrong by as much: shifting back gives the file back.
        const uint32_t error =
            bytes::Big32(file, sum->at) ^ PngChecksum(file.data() + sum->start, sum->length);
        bytes::Write(shifted, sum->at, 4,
                     PngChecksum(shifted.data() + sum->start, sum->length) ^ error, true);
    }
    file = std::move(shifted);
    return true;
}

}  // namespace lumaro
