// Placing the dates of a listing in time: the folder's zone, the sort key, the ISO 8601 text.
#include "core/listing/instantorder.h"

#include <cstdio>
#include <map>

#include "core/picturefile/picturedate.h"

namespace lumaro {

namespace {

constexpr size_t kDateLength = 19;
constexpr size_t kSubSecondDigits = 9;
// Added to the seconds of every moment so that years from 0001 on give positive keys.
constexpr long long kKeyBias = 1'000'000'000'000LL;

int number(const std::string& text, size_t at, size_t digits) {
    int value = 0;
    for (size_t i = at; i < at + digits; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

// Days from 1970-01-01 to the given day of the proleptic Gregorian calendar.
long long daysFromCivil(long long year, int month, int day) {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear - 719468;
}

// The date text read as a time in UTC. Fields out of their range (a month 13) still give a
// time: such a date is ordered somewhere, never dropped.
long long wallSeconds(const std::string& text) {
    int month = number(text, 5, 2);
    month = month < 1 ? 1 : month > 12 ? 12 : month;
    const long long days = daysFromCivil(number(text, 0, 4), month, 1) + number(text, 8, 2) - 1;
    return days * 86400 + number(text, 11, 2) * 3600LL + number(text, 14, 2) * 60LL +
           number(text, 17, 2);
}

std::optional<int> offsetOf(const TakenDate& date, const FolderZone& zone) {
    if (date.offsetMinutes) return date.offsetMinutes;
    if (zone.source != FolderZone::Source::None) return zone.offsetMinutes;
    return std::nullopt;
}

bool carriesOwnOffset(const ListedDate& date) {
    return date.inside && date.inside->offsetMinutes && !date.inside->inUtc;
}

std::string paddedSubSeconds(const std::string& digits) {
    std::string padded = digits.substr(0, kSubSecondDigits);
    padded.resize(kSubSecondDigits, '0');
    return padded;
}

}  // namespace

long long UtcSecondsOf(const TakenDate& date, int offsetMinutes) {
    return wallSeconds(date.text) - offsetMinutes * 60LL;
}

FolderZone FindFolderZone(const std::vector<ListedDate>& dates) {
    std::map<int, int> counts;
    for (const ListedDate& date : dates) {
        if (carriesOwnOffset(date)) ++counts[*date.inside->offsetMinutes];
    }
    FolderZone zone;
    int most = 0;
    for (const auto& [offset, count] : counts) {
        if (count > most) zone = {FolderZone::Source::Folder, offset};
        if (count > most) most = count;
    }
    if (most > 0) return zone;
    std::optional<long long> earliest;
    for (const ListedDate& date : dates) {
        if (!date.inside || !date.inside->inUtc) continue;
        const long long at = UtcSecondsOf(*date.inside, date.inside->offsetMinutes.value_or(0));
        if (!earliest || at < *earliest) earliest = at;
    }
    if (!earliest) return zone;
    const std::time_t time = static_cast<std::time_t>(*earliest);
    std::tm local{};
    if (localtime_r(&time, &local)) {
        zone = {FolderZone::Source::Computer, static_cast<int>(local.tm_gmtoff / 60)};
    }
    return zone;
}

void PlaceInFolderZone(std::vector<ListedDate>& dates, const FolderZone& zone) {
    if (zone.source == FolderZone::Source::None) return;
    for (ListedDate& date : dates) {
        if (!date.inside || !date.inside->inUtc) continue;
        TakenDate& taken = *date.inside;
        const std::time_t local = static_cast<std::time_t>(
            UtcSecondsOf(taken, taken.offsetMinutes.value_or(0)) + zone.offsetMinutes * 60LL);
        std::string text = UtcDateText(local);
        if (text.empty()) continue;
        taken.text = std::move(text);
        taken.offsetMinutes = zone.offsetMinutes;
    }
}

std::string InstantSortKey(const ListedDate& date, const FolderZone& zone) {
    if (!date.inside) return std::string(kDateLength, ' ');
    const TakenDate& taken = *date.inside;
    const std::optional<int> offset = offsetOf(taken, zone);
    if (!offset) return taken.text + paddedSubSeconds(taken.subSeconds);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%013lld", UtcSecondsOf(taken, *offset) + kKeyBias);
    return seconds + paddedSubSeconds(taken.subSeconds) + taken.text;
}

std::optional<std::string> InstantText(const ListedDate& date, const FolderZone& zone) {
    if (!date.inside) return std::nullopt;
    const TakenDate& taken = *date.inside;
    std::string text = taken.text;
    text[4] = text[7] = '-';
    text[10] = 'T';
    if (!taken.subSeconds.empty()) text += "." + taken.subSeconds;
    if (const std::optional<int> offset = offsetOf(taken, zone)) {
        const int minutes = *offset < 0 ? -*offset : *offset;
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, "%c%02d:%02d", *offset < 0 ? '-' : '+', minutes / 60,
                      minutes % 60);
        text += suffix;
    }
    return text;
}

std::string_view ZoneSourceName(const ListedDate& date, const FolderZone& zone) {
    if (!date.inside) return "none";
    if (carriesOwnOffset(date)) return "file";
    switch (zone.source) {
        case FolderZone::Source::Folder:
            return "folder";
        case FolderZone::Source::Computer:
            return "computer";
        case FolderZone::Source::None:
            break;
    }
    return "none";
}

}  // namespace lumaro
