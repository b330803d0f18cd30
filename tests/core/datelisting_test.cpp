// The listing by date reads the heads of many pictures at once: whatever order the reads end
// in, the listing must be the one a reader going one picture after the other gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "jpegbytes.h"
#include "picturefolder.h"
#include "core/files/folderentries.h"
#include "core/listing/folderlisting.h"
#include "core/files/namecompare.h"
#include "core/picturefile/picturedate.h"

namespace lumaro {
namespace {

using namespace jpegbytes;

// Every kind of file a listing by date meets, in turn: dated (with dates that repeat), dated
// after a JFIF segment or in a later directory, dateless, damaged in several ways, empty.
std::string pictureOfKind(int i) {
    Exif exif;
    exif.date = "20" + std::to_string(10 + i % 7) + ":05:12 14:23:4" + std::to_string(i % 3);
    exif.bigEndian = i % 2 == 0;
    switch (i % 10) {
        case 0: return Picture(ExifApp1(exif));
        case 1: return Picture(Jfif() + ExifApp1(exif));
        case 2: exif.dateTag = 0x9003; exif.inSecondDirectory = true; return Picture(ExifApp1(exif));
        case 3: return Picture(Jfif(true) + ExifApp1(exif));  // thumbnail: no date found
        case 4: return Picture(Segment(0xDB, std::string(40, '\x02')));
        case 5: exif.firstOffset = 3; return Picture(ExifApp1(exif));
        case 6: exif.dateOffset = 1 << 30; return Picture(ExifApp1(exif));
        case 7: exif.entryCount = 0xFFFF; exif.dateTag = 0x0110; return Picture(ExifApp1(exif));
        case 8: return ExifApp1(exif).substr(0, 9 + i % 13);  // cut short
        default: return std::string();                        // empty: not listed
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
    const FolderListing listing = ListFolderOrdered(
        folder.path(), "jpg", ListCriterion::Date,
        [&](int, int) { progressOnCaller = progressOnCaller && std::this_thread::get_id() == caller; });
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
