// Walking the boxes of videos and HEIF pictures to their dates, every length checked.
#include "core/datefields/moviedatefields.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "core/datefields/boxes.h"
#include "core/datefields/tiffdatefields.h"

namespace lumaro {

namespace {

constexpr std::string_view kAppleKeys = "com.apple.quicktime.";
constexpr size_t kAppleDateLength = 19;
constexpr uint32_t kMostKeys = 4096;

// The two times at the start of a movie, track or media header: 4 bytes each in version 0,
// 8 in version 1; a time of 0 is none.
void takeHeaderTimes(std::string_view file, const Box& box, FileDates& found) {
    if (!bytes::Fits(file, box.payload, 4) || box.payload + 4 > box.end) return;
    const int version = bytes::Byte(file, box.payload);
    if (version > 1) return;
    const int width = version == 1 ? 8 : 4;
    const DateFieldKind kind =
        version == 1 ? DateFieldKind::MovieSeconds64 : DateFieldKind::MovieSeconds32;
    for (int k = 0; k < 2; ++k) {
        const size_t at = box.payload + 4 + static_cast<size_t>(k * width);
        if (at + static_cast<size_t>(width) > box.end) return;
        if (bytes::Read(file, at, width, true) != 0) found.fields.push_back({kind, at});
    }
}

bool isAppleDate(std::string_view text) {
    if (text.size() < kAppleDateLength) return false;
    for (size_t i = 0; i < kAppleDateLength; ++i) {
        const char want = i == 4 || i == 7 ? '-' : i == 10 ? 'T' : i == 13 || i == 16 ? ':' : '0';
        if (want == '0' ? text[i] < '0' || text[i] > '9' : text[i] != want) return false;
    }
    return true;
}

// The names of the metadata's keys, numbered from 1 as the item list names them.
std::map<uint32_t, std::string_view> keyNames(std::string_view file, const Box& keys) {
    std::map<uint32_t, std::string_view> names;
    if (keys.end - keys.payload < 8) return names;
    const uint32_t count = bytes::Big32(file, keys.payload + 4);
    size_t at = keys.payload + 8;
    for (uint32_t k = 1; k <= count && k <= kMostKeys && keys.end - at >= 8; ++k) {
        const uint32_t size = bytes::Big32(file, at);
        if (size < 8 || size > keys.end - at) break;
        names[k] = file.substr(at + 8, size - 8);
        at += size;
    }
    return names;
}

// One item of the list: its value of the data box, when it is text, and where it starts.
void takeItem(std::string_view file, const Box& item, std::string_view key, FileDates& found) {
    ForEachBox(file, item.payload, item.end, [&](const Box& data) {
        if (data.type != "data" || data.end - data.payload < 8) return;
        if (bytes::Big32(file, data.payload) != 1) return;  // UTF-8 text
        const size_t value = data.payload + 8;
        const std::string_view text = file.substr(value, data.end - value);
        if (key == "creationdate" && isAppleDate(text)) {
            found.fields.push_back({DateFieldKind::AppleText, value});
            std::string date(text.substr(0, kAppleDateLength));
            date[4] = date[7] = ':';
            date[10] = ' ';
            found.date = date;
        } else if (key == "make") {
            found.device.make = std::string(text.substr(0, text.find('\0')));
        } else if (key == "model") {
            found.device.model = std::string(text.substr(0, text.find('\0')));
        }
    });
}

// The movie's metadata: its keys, then the items that give them values.
void walkMetadata(std::string_view file, const Box& meta, FileDates& found) {
    // QuickTime's metadata box has no version and flags; the ISO one has 4 bytes of them.
    size_t first = meta.payload;
    if (bytes::Fits(file, first + 4, 4) && file.substr(first + 4, 4) != "hdlr") first += 4;
    std::map<uint32_t, std::string_view> names;
    ForEachBox(file, first, meta.end, [&](const Box& box) {
        if (box.type == "keys") names = keyNames(file, box);
        if (box.type != "ilst") return;
        ForEachBox(file, box.payload, box.end, [&](const Box& item) {
            const auto name = names.find(bytes::Big32(item.type, 0));
            if (name == names.end() || name->second.substr(0, kAppleKeys.size()) != kAppleKeys)
                return;
            takeItem(file, item, name->second.substr(kAppleKeys.size()), found);
        });
    });
}

void walkTrack(std::string_view file, const Box& track, FileDates& found) {
    ForEachBox(file, track.payload, track.end, [&](const Box& box) {
        if (box.type == "tkhd") takeHeaderTimes(file, box, found);
        if (box.type != "mdia") return;
        ForEachBox(file, box.payload, box.end, [&](const Box& media) {
            if (media.type == "mdhd") takeHeaderTimes(file, media, found);
        });
    });
}

// A time since 1904 in UTC as a date text.
std::string movieTimeText(uint64_t seconds) {
    constexpr int64_t k1904To1970 = 2082844800;
    if (seconds > (uint64_t{1} << 40)) return {};
    const int64_t unix = static_cast<int64_t>(seconds) - k1904To1970;
    int64_t days = unix / 86400, rest = unix % 86400;
    if (rest < 0) rest += 86400, --days;
    // Days since 1970 to a civil date.
    const int64_t z = days + 719468, era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097,
                  yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100), mp = (5 * doy + 2) / 153;
    const int64_t day = doy - (153 * mp + 2) / 5 + 1, month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = yoe + era * 400 + (month <= 2);
    char text[64];
    std::snprintf(text, sizeof text, "%04lld:%02lld:%02lld %02lld:%02lld:%02lld",
                  static_cast<long long>(year), static_cast<long long>(month),
                  static_cast<long long>(day), static_cast<long long>(rest / 3600),
                  static_cast<long long>(rest / 60 % 60), static_cast<long long>(rest % 60));
    return text;
}

}  // namespace

void FindMovieDateFields(std::string_view file, FileDates& found) {
    std::optional<uint64_t> created;
    ForEachBox(file, 0, file.size(), [&](const Box& movie) {
        if (movie.type != "moov") return;
        ForEachBox(file, movie.payload, movie.end, [&](const Box& box) {
            if (box.type == "mvhd") {
                const size_t before = found.fields.size();
                takeHeaderTimes(file, box, found);
                if (found.fields.size() > before &&
                    found.fields[before].offset == box.payload + 4) {
                    const DateField& first = found.fields[before];
                    created = bytes::Read(file, first.offset, DateFieldSize(first.kind), true);
                }
            }
            if (box.type == "trak") walkTrack(file, box, found);
            if (box.type == "meta") walkMetadata(file, box, found);
        });
    });
    if (found.date.empty() && created) found.date = movieTimeText(*created);
}

}  // namespace lumaro
