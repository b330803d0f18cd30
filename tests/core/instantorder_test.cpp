// The listing by date orders by the moment of taking: bursts by their sub-seconds, zones by
// their offsets, dates without offset in the folder's zone, videos by their own dates.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "core/listing/folderlisting.h"
#include "moviebytes.h"
#include "picturefolder.h"
#include "tiffbytes.h"

namespace lumaro {
namespace {

using namespace tiffbytes;
using namespace moviebytes;

// A JPEG taken at `date` with the sub-seconds and offset given where not empty.
std::string taken(const std::string& date, const std::string& subSeconds = "",
                  const std::string& offset = "") {
    Tiff t;
    t.exif = {{kTagOriginal, date}};
    if (!subSeconds.empty()) t.exif.push_back({0x9291, subSeconds, -1, subSeconds.size() < 4});
    if (!offset.empty()) t.exif.push_back({0x9011, offset});
    return JpegWith("", Block(t));
}

struct File {
    std::string name, bytes;
};

TEST(InstantOrderTest, BurstsZonesAndVideosFollowTheMomentOfTakingAndTiesKeepTheDateTextOrder) {
    // Dates without offset of a folder with videos dated only in UTC take this zone's offset.
    setenv("TZ", "America/New_York", 1);
    tzset();
    const std::string undated = "no Exif here";
    const struct {
        const char* what;
        const char* type;
        std::vector<File> files;
        // Each entry: name, the date text shown, the zone source of its moment.
        std::vector<std::string> expected;
    } rows[] = {
        {"a burst of one second in the order of its sub-seconds, not of its names",
         "jpg",
         {{"a.jpg", taken("2024:07:01 10:00:00", "9")},
          {"b.jpg", taken("2024:07:01 10:00:00", "10")},
          {"c.jpg", taken("2024:07:01 10:00:00")},
          {"d.jpg", undated}},
         {"d FD none", "c 2024:07:01 10:00:00 none", "b 2024:07:01 10:00:00 none",
          "a 2024:07:01 10:00:00 none"}},
        {"two zones, and a date without offset in the smaller of two offsets as frequent",
         "jpg",
         {{"early.jpg", taken("2024:07:01 10:00:00", "", "-04:00")},
          {"late.jpg", taken("2024:07:01 15:00:00", "", "+02:00")},
          {"plain.jpg", taken("2024:07:01 13:30:00")}},
         {"late 2024:07:01 15:00:00 file", "early 2024:07:01 10:00:00 file",
          "plain 2024:07:01 13:30:00 folder"}},
        {"equal moments keep the date text order, then the name order",
         "jpg",
         {{"x.jpg", taken("2024:07:01 16:00:00", "", "+02:00")},
          {"y.jpg", taken("2024:07:01 14:00:00", "", "+00:00")},
          {"z.jpg", taken("2024:07:01 16:00:00", "", "+02:00")}},
         {"y 2024:07:01 14:00:00 file", "x 2024:07:01 16:00:00 file",
          "z 2024:07:01 16:00:00 file"}},
        {"a video dated in UTC only is shown in the computer's zone of that day",
         "mov",
         {{"a.mov", Movie(MovieHeader(3802659090))},
          {"b.mov", Movie(MovieHeader(3802659090 - 3600))},
          {"c.MOV", Movie(MovieHeader(0))}},
         {"c FD none", "b 2024:07:01 01:11:30 computer", "a 2024:07:01 02:11:30 computer"}},
        {"the phones' zone wins over the computer's for a video dated in UTC",
         "mov",
         {{"a.mov", Movie(MovieHeader(3802659090))},
          {"b.mov", Movie(CreationMetadata("2024-07-01T08:11:00+0200"))}},
         {"b 2024:07:01 08:11:00 file", "a 2024:07:01 08:11:30 folder"}},
    };
    for (const auto& row : rows) {
        PictureFolder folder;
        for (const File& file : row.files) folder.write(file.name, file.bytes);
        const FolderListing listing =
            ListFolderOrdered(folder.path(), row.type, ListCriterion::Date);
        std::vector<std::string> lines;
        for (size_t i = 0; i < listing.entries.size(); ++i) {
            const std::string text = ListedDateText(listing.dates[i], "FD");
            lines.push_back(listing.entries[i].base + " " +
                            (text.rfind("FD", 0) == 0 ? "FD" : text) + " " +
                            std::string(ZoneSourceName(listing.dates[i], listing.zone)));
        }
        EXPECT_EQ(lines, row.expected) << row.what;
    }
    unsetenv("TZ");
    tzset();
}

TEST(InstantOrderTest, MomentsInIso8601CarryTheirSubSecondsAndTheOffsetThatPlacedThem) {
    ListedDate dated;
    dated.inside.emplace();
    dated.inside->text = "2024:07:01 10:00:00";
    dated.inside->subSeconds = "05";
    EXPECT_EQ(InstantText(dated, {}).value(), "2024-07-01T10:00:00.05");
    EXPECT_EQ(InstantText(dated, {FolderZone::Source::Folder, -210}).value(),
              "2024-07-01T10:00:00.05-03:30");
    EXPECT_FALSE(InstantText(ListedDate{}, {}).has_value());
}

}  // namespace
}  // namespace lumaro
