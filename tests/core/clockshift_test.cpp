// Correcting a camera's clock on real files of every type: the dates exiftool reads move by the
// amount, no other byte changes, the modification time stays, and shifting back gives the file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/clockshift/devices.h"
#include "core/clockshift/shiftdates.h"
#include "core/clockshift/shiftfile.h"
#include "datedfiles.h"
#include "picturefolder.h"
#include "tiffbytes.h"

namespace lumaro {
namespace {

using namespace datedfiles;
using realpictures::ReadAll;
using realpictures::WriteAll;

// Whether `after` differs from `before` only inside the date fields found in `before`.
bool sameOutsideFields(const std::string& before, const std::string& after, std::string name) {
    const FileDates dates = FindDateFields(before, name);
    std::vector<bool> field(before.size(), false);
    for (const DateField& f : dates.fields)
        for (size_t i = 0; i < DateFieldSize(f.kind); ++i) field[f.offset + i] = true;
    if (dates.checksum)
        for (size_t i = 0; i < 4; ++i) field[dates.checksum->at + i] = true;
    if (after.size() != before.size()) return false;
    for (size_t i = 0; i < before.size(); ++i)
        if (!field[i] && before[i] != after[i]) return false;
    return true;
}

timespec modifiedOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mtim;
}

TEST(ClockShiftTest, EveryTypeHasItsDatesMovedAndNoOtherByteChanged) {
    const std::string stillAfterHour =
        "2015:06:01 11:02:03\n2015:06:01 11:02:08\n2024:12:24 19:32:03\n";
    const std::string stillBefore400 =
        "2014:04:27 10:00:00\n2014:04:27 10:00:05\n2023:11:20 18:30:00\n";
    std::string videoAfterHour, videoBefore400;
    for (int i = 0; i < 6; ++i) {
        videoAfterHour += "2015:06:01 11:02:03\n";
        videoBefore400 += "2014:04:27 10:00:00\n";
    }
    const struct {
        const char* name;
        std::string afterHour, before400;
    } rows[] = {
        {"camera.jpg", stillAfterHour, stillBefore400},
        {"scan.tif", stillAfterHour, stillBefore400},
        {"raw.nef", stillAfterHour, stillBefore400},
        {"edited.png", stillAfterHour, stillBefore400},
        {"web.webp", stillAfterHour, stillBefore400},
        {"phone.heic", stillAfterHour, stillBefore400},
        {"clip.mp4", videoAfterHour, videoBefore400},
        {"live.mov", videoAfterHour + "2015:06:01 11:02:03+02:00\n",
         videoBefore400 + "2014:04:27 10:00:00+02:00\n"},
    };
    for (const auto& row : rows) {
        if (const std::string tool = MissingTool(row.name); !tool.empty())
            GTEST_SKIP() << tool << " is missing";
    }
    PictureFolder folder;
    for (const auto& row : rows) {
        MakeDatedFile(folder.path(), row.name);
        const std::string path = folder.pathOf(row.name), original = ReadAll(path);
        const timespec modified = modifiedOf(path);
        for (const auto& [seconds, expected] : {std::pair{int64_t{3723}, row.afterHour},
                                                std::pair{int64_t{-400} * 86400, row.before400}}) {
            ASSERT_TRUE(ShiftFileDates(path, seconds, true).ok()) << row.name;
            EXPECT_EQ(DatesOf(path), expected) << row.name << " by " << seconds;
            EXPECT_TRUE(sameOutsideFields(original, ReadAll(path), row.name)) << row.name;
            EXPECT_EQ(modifiedOf(path).tv_sec, modified.tv_sec) << row.name;
            EXPECT_EQ(modifiedOf(path).tv_nsec, modified.tv_nsec) << row.name;
            ASSERT_TRUE(ShiftFileDates(path, -seconds, true).ok()) << row.name;
            EXPECT_TRUE(ReadAll(path) == original) << row.name << " shifted back";
        }
    }
}

TEST(ClockShiftTest, FilesWhoseDatesCannotMoveAreLeftWholeWithTheirReason) {
    if (const std::string tool = MissingTool("camera.jpg"); !tool.empty())
        GTEST_SKIP() << tool << " is missing";
    using Status = ShiftFileResult::Status;
    PictureFolder folder;
    folder.write("notes.xmp", "<x:xmpmeta>a sidecar</x:xmpmeta>");
    realpictures::MakePicture(folder.path(), "plain.jpg", "", "");
    MakeDatedFile(folder.path(), "early.jpg");
    std::string early = ReadAll(folder.pathOf("early.jpg"));
    early.replace(early.find(kDigitized), 19, "0001:01:01 00:00:00");
    WriteAll(folder.pathOf("early.jpg"), early);
    MakeDatedFile(folder.path(), "locked.jpg");
    chmod(folder.pathOf("locked.jpg").c_str(), 0444);
    const struct {
        const char* name;
        Status status;
    } rows[] = {
        {"notes.xmp", Status::UnknownLayout},
        {"plain.jpg", Status::NoDateField},
        {"early.jpg", Status::OutOfRange},  // its first year cannot go back a day
        {"locked.jpg", geteuid() == 0 ? Status::Shifted : Status::NotWritten},
    };
    for (const auto& row : rows) {
        const std::string before = folder.read(row.name);
        for (const bool write : {false, true}) {
            EXPECT_EQ(ShiftFileDates(folder.pathOf(row.name), -86400, write).status, row.status)
                << row.name << (write ? " written" : " planned");
            if (row.status != Status::Shifted) {
                EXPECT_TRUE(folder.read(row.name) == before) << row.name;
            }
        }
    }
}

TEST(ClockShiftTest, DevicesOfAListingAreCountedWithTheirFirstAndLastDates) {
    for (const char* name : {"a.jpg", "c.mov"}) {
        if (const std::string tool = MissingTool(name); !tool.empty())
            GTEST_SKIP() << tool << " is missing";
    }
    PictureFolder folder;
    MakeDatedFile(folder.path(), "a.jpg", "Canon", "Canon EOS R5");
    MakeDatedFile(folder.path(), "b.jpg", "Canon", "Canon EOS R5");
    ASSERT_TRUE(ShiftFileDates(folder.pathOf("b.jpg"), 86400, true).ok());
    MakeDatedFile(folder.path(), "c.mov", "Apple", "iPhone 12");
    MakeDatedFile(folder.path(), "d.mp4");
    realpictures::MakePicture(folder.path(), "e.png", "", "");
    const std::vector<DeviceSummary> devices = DevicesOfListing(
        folder.path(), {{"a", ".jpg"}, {"b", ".jpg"}, {"c", ".mov"}, {"d", ".mp4"}, {"e", ".png"}});
    ASSERT_EQ(devices.size(), 4u);
    EXPECT_EQ(devices[0].name, "Canon EOS R5");
    EXPECT_EQ(devices[0].count, 2);
    EXPECT_EQ(devices[0].first, kTaken);
    EXPECT_EQ(devices[0].last, "2015:06:02 10:00:00");
    EXPECT_EQ(devices[1].name, "Apple iPhone 12");
    EXPECT_EQ(devices[1].first, kTaken);  // its Apple date as written, not its UTC time
    EXPECT_EQ(devices[2].name, "video");
    EXPECT_EQ(devices[3].name, "unknown");
    EXPECT_EQ(devices[3].first, "");
}

TEST(ClockShiftTest, AnExifLinkWrittenAsTextFarOutsideTheFileIsNotFollowed) {
    tiffbytes::Tiff damaged;
    damaged.first = {{tiffbytes::kTagDateTime, "2024:12:24 18:30:00"},
                     {tiffbytes::kTagExifPointer, "a link written as text", 0x7FFFFFF0}};
    const FileDates dates = FindDateFields(tiffbytes::Block(damaged), "damaged.tif");
    EXPECT_EQ(dates.fields.size(), 1u);
    EXPECT_EQ(dates.date, "2024:12:24 18:30:00");
}

TEST(ClockShiftTest, ATrueTimeGivesTheShiftAcrossMonthsLeapDaysAndYears) {
    EXPECT_EQ(SecondsBetween(kTaken, "2015:06:01 11:02:03"), 3723);
    EXPECT_EQ(SecondsBetween("2024:03:01 00:00:00", "2024:02:28 23:00:00"), -(86400 + 3600));
    EXPECT_EQ(SecondsBetween("2014:12:31 23:59:59", "2015:01:01 00:00:00"), 1);
    EXPECT_EQ(SecondsBetween(kTaken, "2015:02:29 10:00:00"), std::nullopt);  // no such day
    EXPECT_EQ(SecondsBetween(kTaken, "2015:06:01 10:00"), std::nullopt);
}

}  // namespace
}  // namespace lumaro
