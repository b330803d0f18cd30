// Reading a picture's date: Exif in either byte order, damaged or cut files, the file's own date.
#include "core/picturefile/picturedate.h"

#include <gtest/gtest.h>

#include "jpegbytes.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

using namespace jpegbytes;

constexpr const char* kDate = "2006:05:12 14:23:44";

std::time_t localTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

class PictureDateTest : public ::testing::Test {
protected:
    // The date read from a picture made of `bytes`, or "none".
    std::string dateOf(const std::string& bytes) {
        folder_.write("p.jpg", bytes);
        return ReadInternalPictureDate(folder_.pathOf("p.jpg")).value_or("none");
    }
    PictureFolder folder_;
};

TEST_F(PictureDateTest, ExifDateIsFoundInEitherByteOrderAndAfterAShortJfifSegment) {
    struct Row {
        const char* what;
        std::string bytes;
    };
    Exif big;
    big.bigEndian = true;
    Exif manyEntries;
    manyEntries.entriesBefore = 5;
    Exif farDirectory;
    farDirectory.firstOffset = 40;
    Exif pastFirstBlock;  // directory and value lie beyond the first 4 KiB read at once
    pastFirstBlock.firstOffset = 4000;
    pastFirstBlock.bigEndian = true;
    const Row rows[] = {
        {"little-endian", Picture(ExifApp1(Exif{}))},
        {"big-endian", Picture(ExifApp1(big))},
        {"after JFIF", Picture(Jfif() + ExifApp1(Exif{}))},
        {"big-endian after JFIF", Picture(Jfif() + ExifApp1(big))},
        {"entries before the date", Picture(ExifApp1(manyEntries))},
        {"first directory further on", Picture(ExifApp1(farDirectory))},
        {"directory past the first block", Picture(Jfif() + ExifApp1(pastFirstBlock))},
    };
    for (const Row& row : rows) EXPECT_EQ(dateOf(row.bytes), kDate) << row.what;
    Exif shortDate;  // the text ends at its first zero byte
    shortDate.date = "2006:05";
    EXPECT_EQ(dateOf(Picture(ExifApp1(shortDate))), "2006:05");
}

TEST_F(PictureDateTest, DateTimeOriginalIsFoundByTheSecondScan) {
    Exif original;
    original.dateTag = 0x9003;
    original.inSecondDirectory = true;
    original.date = "2001:02:03 04:05:06";
    EXPECT_EQ(dateOf(Picture(ExifApp1(original))), "2001:02:03 04:05:06");
    original.bigEndian = true;
    original.firstOffset = 20;
    EXPECT_EQ(dateOf(Picture(Jfif() + ExifApp1(original))), "2001:02:03 04:05:06");
}

TEST_F(PictureDateTest, PicturesWithoutAReachableDateGiveNone) {
    Exif otherTag;
    otherTag.dateTag = 0x010F;
    Exif originalInFirst;
    originalInFirst.dateTag = 0x0110;
    const std::pair<const char*, std::string> rows[] = {
        {"JFIF with thumbnail", Picture(Jfif(true) + ExifApp1(Exif{}))},
        {"APP1 after another segment", Picture(Segment(0xE2, "ICC_PROFILE") + ExifApp1(Exif{}))},
        {"APP1 that is not Exif", Picture(Segment(0xE1, "http://ns.adobe.com/xap/1.0/"))},
        {"no date tag", Picture(ExifApp1(otherTag))},
        {"no APP segment at all", Picture("")},
        {"not a JPEG", "plain text, long enough to be read as header bytes"},
        {"empty file", ""},
    };
    for (const auto& [what, bytes] : rows) EXPECT_EQ(dateOf(bytes), "none") << what;
}

TEST_F(PictureDateTest, DamagedOffsetsEndTheSearchInsteadOfReadingOutsideOrLooping) {
    Exif pastEnd;
    pastEnd.firstOffset = 0xFFFFFFF0u;
    Exif belowHeader;
    belowHeader.firstOffset = 0;
    Exif justBelowHeader;
    justBelowHeader.firstOffset = 7;
    Exif valuePastEnd;
    valuePastEnd.dateOffset = 0x7FFFFFFF;
    Exif valueAtEnd;
    valueAtEnd.dateOffset = 0xFFFFFFFFu;
    Exif hugeCount;
    hugeCount.entryCount = 0xFFFF;
    hugeCount.dateTag = 0x010F;
    const std::pair<const char*, Exif> rows[] = {
        {"directory past the end", pastEnd},     {"directory offset 0", belowHeader},
        {"directory offset 7", justBelowHeader}, {"value past the end", valuePastEnd},
        {"value offset at 4 GiB", valueAtEnd},   {"count runs past the end", hugeCount},
    };
    for (const auto& [what, exif] : rows) {
        EXPECT_EQ(dateOf(Picture(ExifApp1(exif))), "none") << what;
    }
}

TEST_F(PictureDateTest, EveryTruncationOfAPictureGivesTheDateOrNoneWithoutCrashing) {
    const std::string whole = Picture(Jfif() + ExifApp1(Exif{}));
    const size_t dateEnd = whole.find(kDate) + 19;
    for (size_t length = 0; length < whole.size(); ++length) {
        const std::string date = dateOf(whole.substr(0, length));
        EXPECT_EQ(date, length >= dateEnd ? kDate : "none") << length;
    }
}

TEST_F(PictureDateTest, DateValueIsReadAtItsOwnPositionEvenBeforeTheDirectory) {
    // The first directory lies 40 bytes in; the value offset 8 points back into the gap.
    Exif backwards;
    backwards.firstOffset = 40;
    backwards.dateOffset = 8;
    std::string bytes = Picture(ExifApp1(backwards));
    bytes.replace(2 + 10 + 8, 19, "1999:09:09 09:09:09");
    EXPECT_EQ(dateOf(bytes), "1999:09:09 09:09:09");
}

TEST_F(PictureDateTest, FallbackIsThePrefixAndTheFileDateWithEvenSeconds) {
    folder_.write("Pic.jpg", Picture(""));
    folder_.setModified("Pic.jpg", localTime(2019, 3, 7, 10, 11, 13));
    EXPECT_EQ(FileDateText(folder_.pathOf("Pic.jpg")), "2019:03:07 10:11:12");
    EXPECT_EQ(ReadPictureDate(folder_.pathOf("Pic.jpg"), "FD"), "FD 2019:03:07 10:11:12");
    folder_.write("d.jpg", Picture(ExifApp1(Exif{})));
    EXPECT_EQ(ReadPictureDate(folder_.pathOf("d.jpg"), "FD"), kDate);
}

TEST_F(PictureDateTest, PathInAnotherLetterCaseGivesThePrefixAlone) {
    folder_.write("Pic.jpg", Picture(ExifApp1(Exif{})));
    EXPECT_EQ(FileDateText(folder_.pathOf("pic.jpg")), "");
    EXPECT_EQ(ReadPictureDate(folder_.pathOf("pic.jpg"), "FD"), "FD ");
}

}  // namespace
}  // namespace lumaro
