// Reading a picture's date: Exif in either byte order, damaged or cut files, the file's own date.
#include "core/picturefile/picturedate.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/picturefile/containerdates.h"
#include "picturefolder.h"
#include "tiffbytes.h"

namespace lumaro {
namespace {

using namespace tiffbytes;
using jpegbytes::Jfif;
using jpegbytes::Segment;

constexpr const char* kTaken = "2015:06:01 10:00:00";
constexpr const char* kScanned = "2015:06:01 10:00:05";
constexpr const char* kEdited = "2024:12:24 18:30:00";
constexpr const char* kBlank = "    :  :     :  :  ";

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

// An edited camera picture: the moment of taking in the sub-directory, the edit in DateTime.
Tiff edited() {
    Tiff t;
    t.first = {{0x010F, "Camera maker"}, {kTagDateTime, kEdited}};
    t.exif = {{0x829A, "1/60"}, {kTagOriginal, kTaken}, {kTagDigitized, kScanned}};
    return t;
}

class PictureDateTest : public ::testing::Test {
protected:
    // The date read from a file named `name` made of `bytes`, or "none".
    std::string dateOf(const std::string& bytes, const std::string& name = "p.jpg") {
        folder_.write(name, bytes);
        return ReadInternalPictureDate(folder_.pathOf(name)).value_or("none");
    }
    PictureFolder folder_;
};

TEST_F(PictureDateTest, TheMomentOfTakingWinsOverTheEditAndInvalidDatesGiveWayToTheNext) {
    struct Row {
        const char* what;
        Tiff tiff;
        const char* expected;
    };
    std::vector<Row> rows;
    auto add = [&](const char* what, const std::function<void(Tiff&)>& change,
                   const char* expected) {
        Tiff t = edited();
        change(t);
        rows.push_back({what, t, expected});
    };
    add(
        "edited picture", [](Tiff&) {}, kTaken);
    add(
        "original only in the sub-directory",
        [](Tiff& t) {
            t.first.pop_back();
            t.exif.pop_back();
        },
        kTaken);
    add(
        "digitized when the original is missing", [](Tiff& t) { t.exif.erase(t.exif.begin() + 1); },
        kScanned);
    add(
        "blank original", [](Tiff& t) { t.exif[1].value = kBlank; }, kScanned);
    add(
        "zero original and digitized",
        [](Tiff& t) {
            t.exif[1].value = "0000:00:00 00:00:00";
            t.exif[2].value = "0000:01:01 00:00:00";
        },
        kEdited);
    add(
        "original cut by a zero byte",
        [](Tiff& t) { t.exif[1].value = std::string("2015:06\0:01 10:00:00", 19); }, kScanned);
    add(
        "original with letters", [](Tiff& t) { t.exif[1].value = "2015-06-01T10:00:00"; },
        kScanned);
    add(
        "original offset outside the block", [](Tiff& t) { t.exif[1].offset = 0x7FFFFFF0; },
        kScanned);
    add(
        "the first entry of a tag counts",
        [](Tiff& t) {
            t.exif = {{kTagOriginal, kBlank}, {kTagOriginal, kTaken}};
        },
        kEdited);
    add(
        "sub-directory pointer outside the block", [](Tiff& t) { t.exifOffset = 1 << 30; },
        kEdited);
    add(
        "original in the first directory",
        [](Tiff& t) {
            t.exif.clear();
            t.first.push_back({kTagOriginal, kTaken});
        },
        kTaken);
    add(
        "sub-directory before the first directory's original",
        [](Tiff& t) {
            t.first.push_back({kTagOriginal, "2001:01:01 00:00:00"});
        },
        kTaken);
    add(
        "only DateTime",
        [](Tiff& t) {
            t.exif = {{0x829A, "1/60"}};
        },
        kEdited);
    add(
        "count past the end: the whole entries are read",
        [](Tiff& t) {
            t.exif.clear();
            t.firstCount = 0xFFFF;
        },
        kEdited);
    add(
        "magic number not tested", [](Tiff& t) { t.magic = "xy"; }, kTaken);
    add(
        "first directory offset 7", [](Tiff& t) { t.firstOffset = 7; }, "none");
    add(
        "first directory offset 0", [](Tiff& t) { t.firstOffset = 0; }, "none");
    add(
        "first directory past the end", [](Tiff& t) { t.firstOffset = 0xFFFFFFF0u; }, "none");
    add(
        "no date at all",
        [](Tiff& t) {
            t.first.pop_back();
            t.exif.erase(t.exif.begin() + 1, t.exif.end());
        },
        "none");
    add(
        "every date invalid",
        [](Tiff& t) {
            t.first[1].value = kBlank;
            t.exif[1].value = kBlank;
            t.exif[2].offset = 0xFFFFFFFFu;
        },
        "none");
    for (const Row& row : rows) {
        for (const bool big : {false, true}) {
            Tiff t = row.tiff;
            t.bigEndian = big;
            for (Entry& e : t.exif) {
                if (e.tag == 0x829A) e.value = Long(1, big);
            }
            EXPECT_EQ(dateOf(JpegWith("", Block(t))), row.expected)
                << row.what << (big ? " MM" : " II");
        }
    }
    std::string mixed = JpegWith("", Block(edited()));
    mixed[12 + 1] = 'M';  // "IM": no byte order
    EXPECT_EQ(dateOf(mixed), "none");
}

TEST_F(PictureDateTest, TheExifSegmentIsFoundAnywhereBeforeTheScanAndNowhereElse) {
    const std::string exif = Segment(0xE1, std::string("Exif\0\0", 6) + Block(edited()));
    const std::string xmp = Segment(0xE1, "http://ns.adobe.com/xap/1.0/\0<x/>");
    const std::string icc = Segment(0xE2, "ICC_PROFILE" + std::string(3000, '\x11'));
    const std::string tables = Segment(0xDB, std::string(65, '\x02'));
    const std::string scan = Segment(0xDA, std::string(10, '\x03'));
    const std::string soi = jpegbytes::Soi();
    const std::pair<const char*, std::pair<std::string, const char*>> rows[] = {
        {"right after the start", {soi + exif, kTaken}},
        {"after the short JFIF segment", {soi + Jfif() + exif, kTaken}},
        {"after JFIF with a thumbnail", {soi + Jfif(true) + exif, kTaken}},
        {"after an ICC profile", {soi + Jfif() + icc + exif, kTaken}},
        {"after a comment", {soi + Segment(0xFE, "made by hand") + exif, kTaken}},
        {"after an XMP APP1", {soi + xmp + exif, kTaken}},
        {"after fill bytes and a standalone marker", {soi + "\xFF\xFF\xFF\x01" + exif, kTaken}},
        {"after a profile that reaches past the first read",
         {soi + Segment(0xE2, std::string(9000, 'p')) + exif, kTaken}},
        {"the first Exif segment counts",
         {soi + Segment(0xE1, std::string("Exif\0\0", 6) + Block(Tiff{})) + exif, "none"}},
        {"\"Exif\" without its two zero bytes",
         {soi + Segment(0xE1, std::string("Exif\0X", 6) + Block(edited())) + exif, kTaken}},
        {"after the start of scan", {soi + tables + scan + exif, "none"}},
        {"after the end of the picture", {soi + "\xFF\xD9" + exif, "none"}},
        {"a stray byte where a marker stands",
         {soi + tables + std::string(1, '\0') + exif, "none"}},
        {"a segment length below 2", {soi + std::string("\xFF\xE3\x00\x01", 4) + exif, "none"}},
        {"a segment that runs past the end of the file",
         {soi + std::string("\xFF\xE3\x7F\xFF", 4) + exif, "none"}},
        {"no start of image", {exif, "none"}},
        {"empty file", {"", "none"}},
    };
    for (const auto& [what, row] : rows) EXPECT_EQ(dateOf(row.first), row.second) << what;
}

TEST_F(PictureDateTest, EveryCutOfAPictureGivesTheDatesItStillHolds) {
    // Values in order: DateTime of the first directory, then the original, which ends the file.
    Tiff t = edited();
    t.exif.pop_back();
    const std::string whole =
        jpegbytes::Soi() + Jfif() + Segment(0xE1, std::string("Exif\0\0", 6) + Block(t));
    const size_t editEnd = whole.find(kEdited) + 19, takenEnd = whole.find(kTaken) + 19;
    ASSERT_EQ(takenEnd + 1, whole.size());
    for (size_t length = 0; length <= whole.size(); ++length) {
        const char* expected = length >= takenEnd ? kTaken : length >= editEnd ? kEdited : "none";
        EXPECT_EQ(dateOf(whole.substr(0, length)), expected) << length;
    }
}

TEST_F(PictureDateTest, EachPictureTypeIsToldByItsContentAndReadByTheSameRule) {
    const std::string block = Block(edited());
    const std::string signature("Exif\0\0", 6);
    auto withMagic = [&](const std::string& magic) { return magic + block.substr(4); };
    std::string noExif = PngWith("", true);
    noExif.replace(noExif.find("eXIf"), 4, "tEXt");
    // The original's last digit is the chunk's last byte: the check sum after it is no part of it.
    Tiff lastIsOriginal = edited();
    lastIsOriginal.exif.pop_back();
    std::string cutBlock = Block(lastIsOriginal);
    cutBlock.resize(cutBlock.size() - 2);
    std::string intoCheckSum = PngWith(cutBlock, true);
    intoCheckSum.replace(intoCheckSum.find(cutBlock) + cutBlock.size(), 4, "0000");
    struct Row {
        const char* what;
        std::string bytes;
        const char* name;
        const char* expected;
    };
    const Row rows[] = {
        {"TIFF", block, "p.tif", kTaken},
        {"big-endian raw", Block([] {
             Tiff t = edited();
             t.bigEndian = true;
             return t;
         }()),
         "p.NEF", kTaken},
        {"ORF", withMagic("IIRO"), "p.orf", kTaken},
        {"RW2", withMagic(std::string("IIU\0", 4)), "p.rw2", kTaken},
        {"unknown magic, raw name", withMagic("IIxy"), "p.cr2", kTaken},
        {"unknown magic, other name", withMagic("IIxy"), "p.jpg", "none"},
        {"TIFF named as a JPEG", block, "p.jpg", kTaken},
        {"PNG, eXIf before the image data", PngWith(block, false), "p.png", kTaken},
        {"PNG, eXIf after the image data", PngWith(block, true), "p.png", kTaken},
        {"PNG, eXIf with the JPEG signature", PngWith(signature + block, true), "p.png", kTaken},
        {"PNG without eXIf", noExif, "p.png", "none"},
        {"PNG, original running into the check sum", intoCheckSum, "p.png", kEdited},
        {"PNG named as a JPEG", PngWith(block, true), "p.jpg", kTaken},
        {"WebP", WebpWith(block), "p.webp", kTaken},
        {"WebP with the JPEG signature", WebpWith(signature + block), "p.webp", kTaken},
        {"WebP, chunk past the RIFF end",
         WebpWith(block).replace(4, 4, std::string("\x20\0\0\0", 4)), "p.webp", "none"},
        {"JPEG named as a raw file", JpegWith("", block), "p.nef", kTaken},
    };
    for (const Row& row : rows) EXPECT_EQ(dateOf(row.bytes, row.name), row.expected) << row.what;

    // The Exif item of a HEIF picture: an offset, then the block after as many bytes.
    auto item = [](uint32_t offset, const std::string& rest) {
        std::string out;
        put32(out, offset, true);
        return out + rest;
    };
    auto itemDate = [](const std::string& bytes) {
        const std::optional<TakenDate> date =
            HeifExifItemDate(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        return date ? date->text : std::string("none");
    };
    EXPECT_EQ(itemDate(item(0, block)), kTaken);
    EXPECT_EQ(itemDate(item(6, signature + block)), kTaken);
    EXPECT_EQ(itemDate(item(7, signature + block)), "none");
    EXPECT_EQ(itemDate(item(0xFFFFFFFFu, block)), "none");
    EXPECT_EQ(itemDate("\0\0"), "none");
}

TEST_F(PictureDateTest, FallbackIsThePrefixAndTheFileDateWithEvenSeconds) {
    folder_.write("Pic.jpg", jpegbytes::Picture(""));
    folder_.setModified("Pic.jpg", localTime(2019, 3, 7, 10, 11, 13));
    EXPECT_EQ(FileDateText(folder_.pathOf("Pic.jpg")), "2019:03:07 10:11:12");
    EXPECT_EQ(ReadPictureDate(folder_.pathOf("Pic.jpg"), "FD"), "FD 2019:03:07 10:11:12");
    folder_.write("d.jpg", JpegWith("", Block(edited())));
    EXPECT_EQ(ReadPictureDate(folder_.pathOf("d.jpg"), "FD"), kTaken);
}

TEST_F(PictureDateTest, PathInAnotherLetterCaseGivesThePrefixAlone) {
    folder_.write("Pic.jpg", JpegWith("", Block(edited())));
    EXPECT_EQ(FileDateText(folder_.pathOf("pic.jpg")), "");
    EXPECT_EQ(ReadPictureDate(folder_.pathOf("pic.jpg"), "FD"), "FD ");
}

}  // namespace
}  // namespace lumaro
