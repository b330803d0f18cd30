// The moment of taking with what places it in time: the sub-seconds and offset that go with
// the date tag used, and the dates of videos, on every damaged or unusual layout in one table.
#include <gtest/gtest.h>

#include "core/picturefile/moviedate.h"
#include "core/picturefile/picturedate.h"
#include "moviebytes.h"
#include "picturefolder.h"
#include "tiffbytes.h"

namespace lumaro {
namespace {

using namespace tiffbytes;
using namespace moviebytes;

constexpr uint16_t kOffset = 0x9010, kOffsetOriginal = 0x9011, kOffsetDigitized = 0x9012;
constexpr uint16_t kSubSec = 0x9290, kSubSecOriginal = 0x9291, kSubSecDigitized = 0x9292;
constexpr const char* kDate = "2024:07:01 10:00:00";
constexpr uint64_t kJulyFirst1904 = 3802659090;  // 2024-07-01 06:11:30 UTC

// A date as one line: the text, "." and the sub-seconds, the offset, " UTC" for a time known
// only in UTC.
std::string described(const std::optional<TakenDate>& date) {
    if (!date) return "none";
    std::string line = date->text;
    if (!date->subSeconds.empty()) line += "." + date->subSeconds;
    if (date->offsetMinutes) {
        const int m = *date->offsetMinutes < 0 ? -*date->offsetMinutes : *date->offsetMinutes;
        char offset[16];
        std::snprintf(offset, sizeof offset, "%c%02d:%02d", *date->offsetMinutes < 0 ? '-' : '+',
                      m / 60, m % 60);
        line += offset;
    }
    return line + (date->inUtc ? " UTC" : "");
}

std::string jpeg(std::vector<Entry> first, std::vector<Entry> exif, bool bigEndian = false) {
    Tiff t;
    t.bigEndian = bigEndian;
    t.first = std::move(first);
    t.exif = std::move(exif);
    return JpegWith("", Block(t));
}

Entry shortText(uint16_t tag, const std::string& value) { return {tag, value, -1, true}; }

TEST(TakenDateTest, SubSecondsAndOffsetComeOnlyFromTheTagsOfTheDateUsedAndVideosAreReadBoxByBox) {
    const std::string apple = "2024-07-01T08:11:30.45+0200";
    const std::string header = MovieHeader(kJulyFirst1904);
    const struct {
        const char* what;
        const char* name;
        std::string bytes;
        const char* expected;
    } rows[] = {
        {"original with its sub-seconds in the entry and its offset", "a.jpg",
         jpeg({}, {{kTagOriginal, kDate},
                   shortText(kSubSecOriginal, "45"),
                   {kOffsetOriginal, "-04:00"}}),
         "2024:07:01 10:00:00.45-04:00"},
        {"big-endian, sub-seconds at an offset", "a.jpg",
         jpeg({}, {{kTagOriginal, kDate}, {kSubSecOriginal, "00712"}, {kOffsetOriginal, "+05:30"}},
              true),
         "2024:07:01 10:00:00.00712+05:30"},
        {"the tags of another date are not the original's", "a.jpg",
         jpeg({}, {{kTagOriginal, kDate},
                   shortText(kSubSecDigitized, "9"),
                   {kOffsetDigitized, "+01:00"},
                   {kSubSec, "8"},
                   {kOffset, "+03:00"}}),
         kDate},
        {"an invalid original gives way to the digitized date with its own tags", "a.jpg",
         jpeg({}, {{kTagOriginal, "0000:00:00 00:00:00"},
                   shortText(kSubSecOriginal, "1"),
                   {kTagDigitized, kDate},
                   shortText(kSubSecDigitized, "2"),
                   {kOffsetDigitized, "+01:00"}}),
         "2024:07:01 10:00:00.2+01:00"},
        {"the edit date with the edit tags of its directory", "a.tif",
         jpeg({{kTagDateTime, kDate}, shortText(kSubSec, "5"), {kOffset, "-10:00"}}, {}),
         "2024:07:01 10:00:00.5-10:00"},
        {"the edit date's offset in the other directory does not count", "a.jpg",
         jpeg({{kTagDateTime, kDate}}, {{kOffset, "-10:00"}}), kDate},
        {"blank sub-seconds and offset", "a.jpg",
         jpeg({}, {{kTagOriginal, kDate},
                   shortText(kSubSecOriginal, "  "),
                   {kOffsetOriginal, "   :  "}}),
         kDate},
        {"offsets out of range or of another form, long sub-seconds", "a.jpg",
         jpeg({}, {{kTagOriginal, kDate},
                   {kSubSecOriginal, "123456789012"},
                   {kOffsetOriginal, "+24:00"}}),
         "2024:07:01 10:00:00.123456789"},
        {"an offset whose value lies outside the block", "a.jpg",
         jpeg({}, {{kTagOriginal, kDate}, {kOffsetOriginal, "+02:00", 1 << 20}}), kDate},
        {"movie header after the media data", "clip.mov", Movie(header),
         "2024:07:01 06:11:30+00:00 UTC"},
        {"movie header of 64-bit times, movie first, name in capitals", "CLIP.MP4",
         Movie(MovieHeader(kJulyFirst1904, 1), 10, true), "2024:07:01 06:11:30+00:00 UTC"},
        {"media data of a 64-bit size", "clip.m4v",
         Box("ftyp", "mp42") + LargeBox("mdat", std::string(5000, '\0')) + Box("moov", header),
         "2024:07:01 06:11:30+00:00 UTC"},
        {"creation time 0 is no date", "clip.mp4", Movie(MovieHeader(0)), "none"},
        {"the phone's creation date wins over the movie header", "clip.mov",
         Movie(header + CreationMetadata(apple)), "2024:07:01 08:11:30.45+02:00"},
        {"the creation date in a versioned meta box", "clip.3gp",
         Movie(CreationMetadata("2024-07-01T08:11:30Z", true) + header),
         "2024:07:01 08:11:30+00:00"},
        {"another key's value is not the creation date", "clip.mov",
         Movie(header + CreationMetadata(apple, false, "com.apple.quicktime.model")),
         "2024:07:01 06:11:30+00:00 UTC"},
        {"an unreadable creation date gives way to the header", "clip.mov",
         Movie(header + CreationMetadata("2024-07-01T08:11:30+02")),
         "2024:07:01 06:11:30+00:00 UTC"},
        {"a movie box cut after its header keeps the date", "clip.mov",
         Movie(header + Box("trak", std::string(3000, '\0'))).substr(0, 1200),
         "2024:07:01 06:11:30+00:00 UTC"},
        {"a box smaller than its header ends the walk", "clip.mov",
         Box("ftyp", "qt  ") + Be32(4) + "free" + Box("moov", header), "none"},
        {"media data only", "clip.mov", Box("ftyp", "qt  ") + Box("mdat", "x"), "none"},
    };
    PictureFolder folder;
    for (const auto& row : rows) {
        folder.write(row.name, row.bytes);
        EXPECT_EQ(described(ReadTakenDate(folder.pathOf(row.name))), row.expected) << row.what;
        std::remove(folder.pathOf(row.name).c_str());
    }
}

TEST(TakenDateTest, CreationDateTextsOfEveryWriterAreReadAndOthersRefused) {
    const std::pair<const char*, const char*> rows[] = {
        {"2024-07-01T08:11:30+0200", "2024:07:01 08:11:30+02:00"},
        {"2024-07-01T08:11:30.123456789123-03:30", "2024:07:01 08:11:30.123456789-03:30"},
        {"2024:07:01 08:11:30Z", "2024:07:01 08:11:30+00:00"},
        {"2024-07-01T08:11:30", "2024:07:01 08:11:30"},
        {"2024-07-01T08:11:30+2", "none"},
        {"2024-07-01X08:11:30", "none"},
        {"0000-00-00T00:00:00Z", "none"},
        {"2024-07-01", "none"},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(described(CreationDateText(text)), expected) << text;
}

}  // namespace
}  // namespace lumaro
