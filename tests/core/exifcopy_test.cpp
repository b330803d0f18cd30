// The Exif block a copy of a picture takes along: upright, the copy's size, no small picture
// of the old pixels, every date kept; and where the block goes in the copy.
#include "core/turning/exifcopy.h"

#include <gtest/gtest.h>

#include "core/picturefile/jpegsegments.h"
#include "turnjpegs.h"

namespace lumaro {
namespace {

using namespace turnjpegs;

const std::string kDate = "2006:05:12 14:23:44";

TEST(ExifCopyTest, TheCopyIsUprightOfItsOwnSizeAndKeepsTheDate) {
    const std::string source =
        jpegbytes::Picture(jpegbytes::Jfif() + ExifSegment(6, kDate, 64, 48));
    const std::string block = ExifBlockForCopy(source, 32, 24);
    ASSERT_EQ(block.substr(0, 6), std::string("Exif\0\0", 6));
    EXPECT_NE(block.find(kDate), std::string::npos);
    const std::string copy = JpegWithExifBlock(jpegbytes::Picture(jpegbytes::Jfif()), block);
    const std::vector<JpegSegment> segments = JpegHeaderSegments(copy);
    ASSERT_GE(segments.size(), 2u);
    EXPECT_EQ(segments[0].marker, 0xE0);  // after the JFIF segment, which readers want first
    EXPECT_EQ(segments[1].marker, 0xE1);
    const ExifTurnFields fields = FindExifTurnFields(copy);
    EXPECT_EQ(ReadExifNumber(copy, fields.orientation), 1u);
    EXPECT_EQ(ReadExifNumber(copy, fields.pixelWidth), 32u);
    EXPECT_EQ(ReadExifNumber(copy, fields.pixelHeight), 24u);
}

// The small picture shows the old pixels the old way up: it goes, whether it ends the block (it
// is cut off) or other bytes follow it (it is cleared).
TEST(ExifCopyTest, TheSmallPictureOfTheOldPixelsIsNeitherLinkedNorKept) {
    const std::string thumbnail = QuarterJpeg(16, 16, std::string());
    const std::string last = ThumbnailExifSegment(6, thumbnail);
    const std::string followed = jpegbytes::Segment(0xE1, last.substr(4) + "more");
    for (const std::string& segment : {last, followed}) {
        const std::string block = ExifBlockForCopy(jpegbytes::Picture(segment), 16, 16);
        const std::string copy = JpegWithExifBlock(jpegbytes::Picture(std::string()), block);
        const ExifTurnFields fields = FindExifTurnFields(copy);
        EXPECT_TRUE(fields.secondDirectory.present());
        EXPECT_EQ(ReadExifNumber(copy, fields.secondDirectory), 0u);
        EXPECT_FALSE(fields.thumbnailStart.present());
        EXPECT_EQ(block.find(thumbnail.substr(0, 64)), std::string::npos);
        EXPECT_EQ(ReadExifNumber(copy, fields.orientation), 1u);
        EXPECT_EQ(block.size(), segment.size() - 4 - (segment == last ? thumbnail.size() : 0));
    }
}

TEST(ExifCopyTest, NoBlockOrNoJpegLeavesTheCopyAsItWas) {
    const std::string plain = jpegbytes::Picture(jpegbytes::Jfif());
    EXPECT_EQ(ExifBlockForCopy(plain, 8, 8), "");
    EXPECT_EQ(ExifBlockForCopy("\x89PNG\r\n\x1a\n", 8, 8), "");
    EXPECT_EQ(JpegWithExifBlock(plain, ""), plain);
    EXPECT_EQ(JpegWithExifBlock("\x89PNG\r\n\x1a\n", "Exif"), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(JpegWithExifBlock(plain, std::string(0xFFFE, 'x')), plain);  // longer than a segment
}

}  // namespace
}  // namespace lumaro
