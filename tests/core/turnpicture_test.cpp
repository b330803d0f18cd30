// Turning pictures on disk: lossless where the blocks allow, the shown orientation honoured and
// then reset, every header segment kept, and the original never lost when a step fails.
#include "core/turning/turnpicture.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/picturefile/jpegsegments.h"
#include "core/picturefile/picturedate.h"
#include "core/turning/jpegturn.h"
#include "namingfolder.h"
#include "picturefolder.h"
#include "turnjpegs.h"

namespace lumaro {
namespace {

using namespace turnjpegs;
using Names = std::vector<std::string>;

const std::string kDate = "2006:05:12 14:23:44";

std::string Segments(int orientation, int width, int height) {
    return ExifSegment(orientation, kDate, width, height) + ProfileSegment() + CommentSegment();
}

// The colours of the four quarters, top left, top right, bottom left, bottom right.
void ExpectQuarters(const std::string& jpeg, std::array<int, 4> expected) {
    const Decoded d = Decode(jpeg);
    ASSERT_FALSE(d.rgb.empty());
    for (int q = 0; q < 4; ++q) {
        const Rgb got = d.quarter(q), want = kQuarters[expected[q]];
        EXPECT_TRUE(Near(got, want))
            << "quarter " << q << ": " << got.r << "," << got.g << "," << got.b;
    }
}

TEST(TurnJpegTest, QuarterTurnsAreLosslessAndUndoEachOther) {
    const std::string original = QuarterJpeg(64, 48, Segments(1, 64, 48));
    const JpegTurnResult right = TurnJpeg(original, 90);
    ASSERT_TRUE(right.ok) << right.error;
    EXPECT_TRUE(right.lossless);
    const Decoded turned = Decode(right.jpeg);
    EXPECT_EQ(turned.width, 48);
    EXPECT_EQ(turned.height, 64);
    ExpectQuarters(right.jpeg, {2, 0, 3, 1});  // red top left went to the top right
    EXPECT_EQ(ReadExifNumber(right.jpeg, FindExifTurnFields(right.jpeg).pixelWidth), 48u);

    const JpegTurnResult back = TurnJpeg(right.jpeg, 270);
    ASSERT_TRUE(back.ok && back.lossless);
    EXPECT_EQ(Decode(back.jpeg).rgb, Decode(original).rgb);
    // Nothing of the header changed on the way: dates, profile, comment, dimensions.
    EXPECT_EQ(JpegMarkerSegments(back.jpeg), JpegMarkerSegments(original));

    const JpegTurnResult half = TurnJpeg(original, 180);
    ASSERT_TRUE(half.ok && half.lossless);
    ExpectQuarters(half.jpeg, {3, 2, 1, 0});
    const JpegTurnResult whole = TurnJpeg(half.jpeg, 180);
    ASSERT_TRUE(whole.ok);
    EXPECT_EQ(Decode(whole.jpeg).rgb, Decode(original).rgb);
}

// Each Exif orientation shows the stored pixels otherwise; the turn starts from what is shown,
// also when an XMP segment (an APP1 too) comes before the Exif segment.
TEST(TurnJpegTest, TurnStartsFromTheShownOrientationEvenBehindXmpAndResetsItToOne) {
    struct Row {
        int orientation;
        std::array<int, 4> after90;  // quarters of the stored pixels after a turn by 90
    };
    // Stored quarters 0 1 / 2 3; shown as the orientation says, then turned by 90.
    const Row rows[] = {
        {1, {2, 0, 3, 1}}, {2, {3, 1, 2, 0}}, {3, {1, 3, 0, 2}}, {4, {0, 2, 1, 3}},
        {5, {1, 0, 3, 2}}, {6, {3, 2, 1, 0}}, {7, {2, 3, 0, 1}}, {8, {0, 1, 2, 3}},
    };
    for (const std::string& before : {std::string(), XmpSegment()}) {
        for (const Row& row : rows) {
            SCOPED_TRACE("orientation " + std::to_string(row.orientation) +
                         (before.empty() ? "" : " behind XMP"));
            const std::string original =
                QuarterJpeg(64, 48, before + Segments(row.orientation, 64, 48));
            EXPECT_EQ(ExifOrientation(original), row.orientation);
            const JpegTurnResult turned = TurnJpeg(original, 90);
            ASSERT_TRUE(turned.ok) << turned.error;
            EXPECT_TRUE(turned.lossless);
            EXPECT_EQ(ExifOrientation(turned.jpeg), 1);
            ExpectQuarters(turned.jpeg, row.after90);
        }
    }
}

// 70 x 50 is no whole number of 16-pixel blocks: encoded again, no edge pixel lost.
TEST(TurnJpegTest, SidesNotWholeBlocksAreEncodedAgainWithEveryHeaderSegment) {
    const std::string original = QuarterJpeg(70, 50, Segments(1, 70, 50));
    const JpegTurnResult turned = TurnJpeg(original, 90);
    ASSERT_TRUE(turned.ok) << turned.error;
    EXPECT_FALSE(turned.lossless);
    const Decoded d = Decode(turned.jpeg);
    EXPECT_EQ(d.width, 50);
    EXPECT_EQ(d.height, 70);
    ExpectQuarters(turned.jpeg, {2, 0, 3, 1});
    EXPECT_TRUE(Near(d.at(49, 0), kQuarters[0]));  // the last column is red, not grey
    EXPECT_TRUE(Near(d.at(0, 69), kQuarters[3]));  // and the last row white
    const std::string markers = JpegMarkerSegments(turned.jpeg);
    EXPECT_NE(markers.find(ProfileSegment()), std::string::npos);
    EXPECT_NE(markers.find(CommentSegment()), std::string::npos);
    EXPECT_NE(markers.find(kDate), std::string::npos);
    const ExifTurnFields fields = FindExifTurnFields(turned.jpeg);
    EXPECT_EQ(ReadExifNumber(turned.jpeg, fields.pixelWidth), 50u);
    EXPECT_EQ(ReadExifNumber(turned.jpeg, fields.pixelHeight), 70u);
}

// The small picture cameras put in the Exif block turns with the picture, the segments
// after the block staying whole; 40 x 24 is no whole number of blocks, so it is encoded again.
TEST(TurnJpegTest, TheExifThumbnailTurnsWithThePicture) {
    const auto thumbnailOf = [](const std::string& jpeg) {
        const ExifTurnFields fields = FindExifTurnFields(jpeg);
        const size_t start =
            fields.segment.offset + 10 + ReadExifNumber(jpeg, fields.thumbnailStart);
        return jpeg.substr(start, ReadExifNumber(jpeg, fields.thumbnailLength));
    };
    for (const int orientation : {1, 6}) {
        SCOPED_TRACE("orientation " + std::to_string(orientation));
        const std::string original = QuarterJpeg(
            64, 48, ThumbnailExifSegment(orientation, QuarterJpeg(40, 24, "")) + CommentSegment());
        const JpegTurnResult turned = TurnJpeg(original, 90);
        ASSERT_TRUE(turned.ok) << turned.error;
        const std::string thumbnail = thumbnailOf(turned.jpeg);
        const std::array<int, 4> quarters =
            orientation == 1 ? std::array{2, 0, 3, 1} : std::array{3, 2, 1, 0};
        ExpectQuarters(turned.jpeg, quarters);
        ExpectQuarters(thumbnail, quarters);
        EXPECT_EQ(Decode(thumbnail).width, orientation == 1 ? 24 : 40);
        EXPECT_NE(JpegMarkerSegments(turned.jpeg).find(CommentSegment()), std::string::npos);
    }
}

// A phone's motion video or a second picture after the end of the picture is carried over byte
// for byte, whichever way the picture is turned; the end is found by reading the coded data
// (restart markers, the scans of a progressive picture), not at the last end marker of the file.
TEST(TurnJpegTest, EveryByteAfterTheEndOfThePictureIsKept) {
    struct Row {
        const char* name;
        std::string picture;
        bool lossless;
    };
    const Row rows[] = {
        {"whole blocks", QuarterJpeg(64, 48, Segments(1, 64, 48)), true},
        {"sides not whole blocks", QuarterJpeg(70, 50, Segments(1, 70, 50)), false},
        {"progressive with restarts",
         EncodeWithCjpeg(QuarterPixels(64, 48), 64, 48, "-progressive -restart 1"), true},
    };
    const std::string trailer = Trailer(200 * 1024);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_FALSE(row.picture.empty()) << "cjpeg (libjpeg-turbo-progs) is missing";
        EXPECT_EQ(JpegPictureEnd(row.picture + trailer), row.picture.size());
        const JpegTurnResult turned = TurnJpeg(row.picture + trailer, 90);
        ASSERT_TRUE(turned.ok) << turned.error;
        EXPECT_EQ(turned.lossless, row.lossless);
        ASSERT_GT(turned.jpeg.size(), trailer.size());
        const std::string picture = turned.jpeg.substr(0, turned.jpeg.size() - trailer.size());
        EXPECT_TRUE(turned.jpeg.substr(picture.size()) == trailer)
            << "the bytes after the picture changed";
        EXPECT_EQ(JpegPictureEnd(turned.jpeg), picture.size());
        ExpectQuarters(picture, {2, 0, 3, 1});
    }
}

// Pictures stored after the first one (previews, depth maps) are found through an index whose
// offsets count from the index's own place in the header: after the turn, which changes the
// first picture's size (and, with an Exif thumbnail turned, the index's place), each is still
// found, and the first entry gives the turned picture's size.
TEST(TurnJpegTest, TheIndexOfThePicturesAfterTheFirstStillFindsThem) {
    struct Row {
        int width, height;
        bool bigEndian, thumbnail;
    };
    const std::vector<std::string> stored = {QuarterJpeg(40, 24, ""),
                                             QuarterJpeg(32, 32, CommentSegment())};
    const auto build = [&](const Row& row) {
        const std::string exif = row.thumbnail ? ThumbnailExifSegment(1, QuarterJpeg(40, 24, ""))
                                               : ExifSegment(1, kDate, row.width, row.height);
        std::string file =
            QuarterJpeg(row.width, row.height, exif + PictureIndexSegment(3, row.bigEndian));
        const size_t index = PictureIndexStart(file);
        SetPictureIndexEntry(file, 0, uint32_t(file.size()), 0, row.bigEndian);
        size_t at = file.size();
        for (size_t i = 0; i < stored.size(); ++i) {
            SetPictureIndexEntry(file, i + 1, uint32_t(stored[i].size()), uint32_t(at - index),
                                 row.bigEndian);
            at += stored[i].size();
        }
        return file + stored[0] + stored[1];
    };
    for (const Row& row :
         {Row{64, 48, true, false}, Row{70, 50, false, true}, Row{64, 48, false, true}}) {
        SCOPED_TRACE(std::to_string(row.width) + (row.thumbnail ? " with thumbnail" : ""));
        const JpegTurnResult turned = TurnJpeg(build(row), 90);
        ASSERT_TRUE(turned.ok) << turned.error;
        const std::string& file = turned.jpeg;
        const uint32_t first = PictureIndexEntry(file, 0, row.bigEndian).first;
        ASSERT_TRUE(first >= 2 && first <= file.size());
        EXPECT_EQ(file.substr(first - 2, 2), "\xFF\xD9");
        ExpectQuarters(file.substr(0, first), {2, 0, 3, 1});
        for (size_t i = 0; i < stored.size(); ++i) {
            const auto [size, offset] = PictureIndexEntry(file, i + 1, row.bigEndian);
            ASSERT_LE(PictureIndexStart(file) + offset, file.size());
            EXPECT_TRUE(file.compare(PictureIndexStart(file) + offset, size, stored[i]) == 0)
                << "picture " << i + 1;
        }
    }
    // An entry that points inside the first picture cannot be carried through: no turn.
    std::string inside = build({64, 48, true, false});
    SetPictureIndexEntry(inside, 2, 100, 200, true);
    const JpegTurnResult refused = TurnJpeg(inside, 90);
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.error.find("index"), std::string::npos);
}

// An RGB-coded picture, marked so by an APP14 segment, keeps its colours: turned losslessly, its
// data stays RGB with the segment kept; encoded again, the new YCbCr data must not take it.
TEST(TurnJpegTest, RgbCodedPicturesKeepTheirColours) {
    for (const auto& [width, height] : {std::pair{64, 48}, std::pair{70, 50}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const std::string original =
            EncodeWithCjpeg(QuarterPixels(width, height), width, height, "-rgb");
        ASSERT_FALSE(original.empty()) << "cjpeg (libjpeg-turbo-progs) is missing";
        const JpegTurnResult turned = TurnJpeg(original, 90);
        ASSERT_TRUE(turned.ok) << turned.error;
        EXPECT_EQ(turned.lossless, width % 16 == 0);
        ExpectQuarters(turned.jpeg, {2, 0, 3, 1});
        const bool adobe = JpegMarkerSegments(turned.jpeg).find("Adobe") != std::string::npos;
        EXPECT_EQ(adobe, turned.lossless);
    }
}

std::vector<std::string> Contents(const PictureFolder& folder) {
    std::vector<std::string> out;
    for (const std::string& name : folder.names()) out.push_back(name + ":" + folder.read(name));
    return out;
}

// A name of 250 bytes, near the longest a folder allows, leaves no room for a temporary name
// made from it.
TEST(TurnPictureTest, FileUnderANearlyLongestNameKeepsItsPermissionsDateAndPictureDate) {
    PictureFolder folder;
    const std::string name = std::string(246, 'a') + ".jpg";
    folder.write(name, QuarterJpeg(64, 48, Segments(1, 64, 48)));
    chmod(folder.pathOf(name).c_str(), 0640);
    folder.setModified(name, 1150000000);
    const TurnPictureResult result = TurnPicture(folder.pathOf(name), 270);
    ASSERT_TRUE(result.ok()) << DescribeFileStep(result.file);
    EXPECT_EQ(folder.names(), Names{name});  // no temporary file stays
    struct stat st;
    ASSERT_EQ(stat(folder.pathOf(name).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_mtime, 1150000000);
    EXPECT_EQ(ReadInternalPictureDate(folder.pathOf(name)), kDate);
    EXPECT_EQ(Decode(folder.read(name)).width, 48);
}

// A new file in the picture's place would not be the same file: another name of it would keep
// the old picture, and a file the user may not write, or could not give back to its owner, would
// change hands. Root may do all of that, so a child that became nobody turns root's files.
TEST(TurnPictureTest, AFileThatANewOneCouldNotStandForIsLeftAsItIsAndTheTurnSaysWhy) {
    const bool asRoot = geteuid() == 0;
    PictureFolder folder;
    chmod(folder.path().c_str(), 0777);
    struct Row {
        std::string name;
        mode_t mode;
        FileRefusal why;
    };
    std::vector<Row> rows = {
        {"linked.jpg", 0666, FileRefusal::OtherNames},
        {"not mine.jpg", mode_t(asRoot ? 0644 : 0444), FileRefusal::NotWritable},
    };
    // Only root can make a file of another user that nobody may write.
    if (asRoot) rows.push_back({"writable.jpg", 0666, FileRefusal::OwnerNotKept});
    for (const Row& row : rows) {
        folder.write(row.name, QuarterJpeg(64, 48, Segments(1, 64, 48)));
        chmod(folder.pathOf(row.name).c_str(), row.mode);
    }
    ASSERT_EQ(link(folder.pathOf("linked.jpg").c_str(), folder.pathOf("other name.jpg").c_str()),
              0);
    const std::vector<std::string> before = Contents(folder);

    int said[2];
    ASSERT_EQ(pipe(said), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(said[0]);
        if (asRoot && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(1);
        std::string details;
        for (const Row& row : rows)
            details +=
                std::to_string(int(TurnPicture(folder.pathOf(row.name), 90).file.refusal)) + "\n";
        _exit(write(said[1], details.data(), details.size()) == ssize_t(details.size()) ? 0 : 1);
    }
    close(said[1]);
    std::string details;
    char buffer[512];
    for (ssize_t n; (n = read(said[0], buffer, sizeof buffer)) > 0;)
        details.append(buffer, size_t(n));
    close(said[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    std::string expected;
    for (const Row& row : rows) expected += std::to_string(int(row.why)) + "\n";
    EXPECT_EQ(details, expected);
    EXPECT_TRUE(Contents(folder) == before) << "a file changed, or a temporary file stayed";
    struct stat st;
    for (const Row& row : rows) {
        ASSERT_EQ(stat(folder.pathOf(row.name).c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, geteuid()) << row.name;
    }
}

TEST(TurnPictureTest, OtherTypesAndMissingFilesAreLeftAlone) {
    PictureFolder folder;
    folder.write("b.png", "\x89PNG\r\n\x1a\n not turned here");
    EXPECT_EQ(TurnPicture(folder.pathOf("b.png"), 90).status, TurnPictureResult::Status::NotJpeg);
    EXPECT_EQ(TurnPicture(folder.pathOf("gone.jpg"), 90).status,
              TurnPictureResult::Status::Unreadable);
    folder.write("c.jpg", std::string("\xFF\xD8\xFF\xE0 broken", 11));
    EXPECT_EQ(TurnPicture(folder.pathOf("c.jpg"), 90).status,
              TurnPictureResult::Status::CannotTurn);
    EXPECT_EQ(folder.read("b.png"), "\x89PNG\r\n\x1a\n not turned here");
}

// A disk that fills up while the turned picture is written: the child may write no more than
// a few bytes per file, as a full disk would allow.
TEST(TurnPictureTest, FullDiskLeavesTheOriginalAndNoTemporaryFile) {
    PictureFolder folder;
    folder.write("a.jpg", QuarterJpeg(64, 48, Segments(6, 64, 48)));
    folder.write("b.jpg", QuarterJpeg(70, 50, Segments(1, 70, 50)));
    const std::vector<std::string> before = Contents(folder);
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit fails instead of ending the child
        const rlimit limit{200, 200};
        setrlimit(RLIMIT_FSIZE, &limit);
        const bool a = TurnPicture(folder.pathOf("a.jpg"), 90).ok();
        const bool b = TurnPicture(folder.pathOf("b.jpg"), 180).ok();
        _exit(a || b ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a turn reported success on a full disk";
    EXPECT_EQ(Contents(folder), before);
}

TEST(TurnPictureTest, ReadOnlyFolderLeavesTheOriginalAndSaysWhy) {
    PictureFolder folder;
    folder.write("a.jpg", QuarterJpeg(64, 48, Segments(1, 64, 48)));
    const std::vector<std::string> before = Contents(folder);
    TurnPictureResult result;
    {
        FrozenFolder frozen(folder.path());
        if (!frozen.active()) GTEST_SKIP() << "this system lets us write into a read-only folder";
        result = TurnPicture(folder.pathOf("a.jpg"), 90);
    }
    EXPECT_EQ(result.status, TurnPictureResult::Status::NotWritten);
    EXPECT_NE(result.file.error, 0);
    EXPECT_EQ(Contents(folder), before);
}

}  // namespace
}  // namespace lumaro
