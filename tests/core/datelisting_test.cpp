// The listing by date reads the heads of many pictures at once: whatever order the reads end
// in, the listing must be the one a reader going one picture after the other gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "core/files/folderentries.h"
#include "core/listing/folderlisting.h"
#include "core/names/namecompare.h"
#include "core/picturefile/picturedate.h"
#include "picturefolder.h"
#include "tiffbytes.h"

namespace lumaro {
namespace {

using namespace tiffbytes;
using jpegbytes::Jfif;
using jpegbytes::Picture;
using jpegbytes::Segment;

// Every kind of file a listing by date meets, in turn: dated (with dates that repeat) as cameras
// and editors write them, after a JFIF segment with thumbnail, in a PNG named as a JPEG,
// dateless, damaged in several ways, empty.
std::string pictureOfKind(int i) {
    const std::string date =
        "20" + std::to_string(10 + i % 7) + ":05:12 14:23:4" + std::to_string(i % 3);
    Tiff t;
    t.bigEndian = i % 2 == 0;
    t.first = {{0x010F, "Maker"}, {kTagDateTime, "2024:12:24 18:30:00"}};
    t.exif = {{kTagOriginal, date}};
    switch (i % 10) {
        case 0:
            return JpegWith("", Block(t));
        case 1:
            return JpegWith(Jfif(true), Block(t));
        case 2:
            t.exif[0].value = "0000:00:00 00:00:00";
            return JpegWith("", Block(t));
        case 3:
            return PngWith(Block(t), true);
        case 4:
            return Picture(Segment(0xDB, std::string(40, '\x02')));
        case 5:
            t.firstOffset = 3;
            return JpegWith("", Block(t));
        case 6:
            t.exif[0].offset = 1 << 30;
            t.first.pop_back();
            return JpegWith("", Block(t));
        case 7:
            t.exif.clear();
            t.firstCount = 0xFFFF;
            return JpegWith(Jfif(), Block(t));
        case 8:
            return JpegWith("", Block(t)).substr(0, 9 + i % 13);  // cut short
        default:
            return std::string();  // empty: not listed
    }
}

TEST(DateListingTest, PicturesReadTogetherAreListedAsReadOneAfterTheOther) {
    PictureFolder folder;
    for (int i = 0; i < 500; ++i) {
        const std::string name = "p" + std::to_string(i * 7919 % 1000) + (i % 4 ? ".jpg" : ".JPG");
        folder.write(name, pictureOfKind(i));
        folder.setModified(name, 1200000000 + i * 3601);
    }
    folder.write("notes.txt", "not a picture");

    // The listing one picture after the other, from the date reader of a single picture.
    struct Expected {
        std::string key, fileName, text;
    };
    std::vector<Expected> expected;
    const std::vector<std::string> names = ListRegularFiles(folder.path()).value();
    for (const std::string& name : names) {
        const std::string extension = ExtensionOf(name);
        if (ToLowerAscii(extension) != "jpg" || folder.read(name).empty()) continue;
        const std::optional<std::string> inside = ReadInternalPictureDate(folder.pathOf(name));
        expected.push_back({DateSortKey(inside ? &*inside : nullptr) + BaseNameOf(name), name,
                            ReadPictureDate(folder.pathOf(name), "FD")});
    }
    std::sort(expected.begin(), expected.end(), [](const Expected& a, const Expected& b) {
        if (CompareNames(a.key, b.key) != 0) return CompareNames(a.key, b.key) < 0;
        return a.fileName < b.fileName;
    });

    const std::thread::id caller = std::this_thread::get_id();
    bool progressOnCaller = true;
    const FolderListing listing =
        ListFolderOrdered(folder.path(), "jpg", ListCriterion::Date, [&](int, int) {
            progressOnCaller = progressOnCaller && std::this_thread::get_id() == caller;
        });
    ASSERT_EQ(listing.count, static_cast<int>(expected.size()));
    ASSERT_EQ(listing.dates.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(listing.entries[i].fileName(), expected[i].fileName) << "place " << i;
        EXPECT_EQ(ListedDateText(listing.dates[i], "FD"), expected[i].text) << expected[i].fileName;
    }
    EXPECT_TRUE(listing.someWithoutDate);
    EXPECT_TRUE(progressOnCaller);
}

}  // namespace
}  // namespace lumaro
