// A holiday folder of a camera and two phones as their encoders write it, listed with the type
// `all`: one numbering by the moment of taking, each group renamed whole, and undone.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>

#include "core/listing/folderlisting.h"
#include "operations/loadoperation.h"
#include "operations/undo/undo.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

bool run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// Leaves the whole program with the skip code of the test runner when a maker is missing.
void needTools() {
    for (const char* tool : {"convert", "heif-enc", "ffmpeg", "exiftool"}) {
        if (!run(std::string("command -v ") + tool)) {
            std::printf("skipped: %s is not installed\n", tool);
            std::exit(77);
        }
    }
}

class MixedFolder {
public:
    MixedFolder() { EXPECT_TRUE(run("convert -size 48x32 gradient:red-blue '" + source_ + "'")); }
    ~MixedFolder() { std::remove(source_.c_str()); }

    // A still taken at `date` (with "+02:00" and ".25" parts where given), of the camera
    // named by `make`.
    void still(const std::string& name, const std::string& date, const std::string& offset = "",
               const std::string& subSeconds = "") {
        const std::string path = folder.pathOf(name), ext = name.substr(name.rfind('.') + 1);
        const std::string written = ext == "NEF" ? path + ".tif" : path;
        ASSERT_TRUE(run(ext == "HEIC" ? "heif-enc -q 50 '" + source_ + "' -o '" + path + "'"
                        : ext == "NEF"
                            ? "convert '" + source_ + "' -define tiff:endian=msb '" + written + "'"
                            : "convert '" + source_ + "' '" + path + "'"))
            << name;
        std::string tags = " '-DateTimeOriginal=" + date + "'";
        if (!offset.empty()) tags += " -OffsetTimeOriginal=" + offset;
        if (!subSeconds.empty()) tags += " -SubSecTimeOriginal=" + subSeconds;
        ASSERT_TRUE(run("exiftool -q -overwrite_original" + tags + " '" + written + "'")) << name;
        if (written != path) std::rename(written.c_str(), path.c_str());
    }
    // A short video; `creation`: the phone's creation date, none when empty.
    void video(const std::string& name, const std::string& creation) {
        const std::string path = folder.pathOf(name);
        ASSERT_TRUE(
            run("ffmpeg -v error -y -f lavfi -i testsrc=size=64x48:rate=10 -t 0.3 "
                "-pix_fmt yuv420p -f mov '" +
                path + "'"));
        if (!creation.empty()) {
            ASSERT_TRUE(run("exiftool -q -overwrite_original '-Keys:CreationDate=" + creation +
                            "' '" + path + "'"));
        }
    }
    // Each file's content by its name, as a fingerprint.
    std::map<std::string, size_t> contents() const {
        std::map<std::string, size_t> all;
        for (const std::string& name : folder.names())
            all[name] = std::hash<std::string>{}(folder.read(name));
        return all;
    }

    PictureFolder folder;

private:
    std::string source_ = folder.pathOf(".source.png");
};

TEST(MixedFolderTest, AllTypesAreNumberedByTheMomentOfTakingInGroupsAndTheRenameIsUndoneWhole) {
    needTools();
    MixedFolder f;
    f.video("CLIP_0001.mp4", "");  // a video without date
    f.still("DSC_0412.JPG", "2024:07:01 09:00:00");
    f.still("DSC_0412.NEF", "2024:07:01 09:00:00");
    f.still("DSC_0413.NEF", "2024:07:01 09:30:00");  // raw only
    f.still("IMG_4001.HEIC", "2024:07:01 10:00:00", "+02:00", "12");
    f.video("IMG_4001.MOV", "2024:07:01 10:00:01+02:00");
    f.video("IMG_4001_HEVC.MOV", "2024:07:01 10:00:02+02:00");
    f.folder.write("IMG_4001.AAE");
    f.still("IMG_9140.JPG", "2024:07:01 11:00:00", "+02:00");
    f.video("IMG_9140.MOV", "2024:07:22 11:00:00+02:00");  // the counter came round again
    // A burst of ten frames within one second, its names against its order.
    const char* subSeconds[] = {"95", "9", "85", "8", "75", "7", "65", "6", "55", "5"};
    for (int i = 0; i < 10; ++i)
        f.still("PXL_B0" + std::to_string(i) + ".jpg", "2024:07:01 12:00:00", "+02:00",
                subSeconds[i]);
    // A flight: later as written, earlier in time.
    f.still("IMG_4002.HEIC", "2024:07:02 08:00:00", "-04:00");
    f.still("IMG_4003.HEIC", "2024:07:02 13:00:00", "+02:00");
    const std::map<std::string, size_t> before = f.contents();

    // The dates of the camera, without offset, lie in the phones' zone (+02:00).
    const std::vector<std::string> expected = {
        "CLIP_0001.mp4", "DSC_0412.JPG .NEF", "DSC_0413.NEF", "IMG_4001.HEIC .AAE .MOV _HEVC.MOV",
        "IMG_9140.JPG",  "PXL_B09.jpg",       "PXL_B08.jpg",  "PXL_B07.jpg",
        "PXL_B06.jpg",   "PXL_B05.jpg",       "PXL_B04.jpg",  "PXL_B03.jpg",
        "PXL_B02.jpg",   "PXL_B01.jpg",       "PXL_B00.jpg",  "IMG_4003.HEIC",
        "IMG_4002.HEIC", "IMG_9140.MOV",
    };
    auto lines = [](const FolderListing& listing) {
        std::vector<std::string> listed;
        for (const PictureEntry& entry : listing.entries) {
            std::string line = entry.fileName();
            for (const std::string& rest : entry.companions) line += " " + rest;
            listed.push_back(line);
        }
        return listed;
    };
    const FolderListing listing = ListFolderOrdered(f.folder.path(), "all", ListCriterion::Date);
    EXPECT_EQ(lines(listing), expected);
    // One type chosen: the same live-picture rule, the later video no companion.
    EXPECT_EQ(lines(ListFolderOrdered(f.folder.path(), "heic", ListCriterion::Name))[0],
              "IMG_4001.HEIC .AAE .MOV _HEVC.MOV");
    EXPECT_EQ(lines(ListFolderOrdered(f.folder.path(), "jpg", ListCriterion::Name))[1],
              "IMG_9140.JPG");
    EXPECT_EQ(lines(ListFolderOrdered(f.folder.path(), "mov", ListCriterion::Name)).back(),
              "IMG_9140.MOV");
    ASSERT_EQ(listing.dates.size(), expected.size());
    EXPECT_FALSE(listing.dates.front().inside.has_value());
    EXPECT_TRUE(listing.someWithoutDate);

    PictureList list;
    list.currentFolder = f.folder.path();
    list.fileType = "all";
    LoadFolderOptions options;
    options.askFirstNumbering = [] { return FirstNumberingAnswer{"1", "D"}; };
    FolderLoadOperation(list, options).run();
    std::map<std::string, std::string> renamed = {
        {"01--.mp4", "CLIP_0001.mp4"},  {"02--.JPG", "DSC_0412.JPG"},
        {"02--.NEF", "DSC_0412.NEF"},   {"03--.NEF", "DSC_0413.NEF"},
        {"04--.HEIC", "IMG_4001.HEIC"}, {"04--.AAE", "IMG_4001.AAE"},
        {"04--.MOV", "IMG_4001.MOV"},   {"04--_HEVC.MOV", "IMG_4001_HEVC.MOV"},
        {"05--.JPG", "IMG_9140.JPG"},   {"16--.HEIC", "IMG_4003.HEIC"},
        {"17--.HEIC", "IMG_4002.HEIC"}, {"18--.MOV", "IMG_9140.MOV"},
        {".source.png", ".source.png"},
    };
    for (int i = 0; i < 10; ++i)
        renamed[(i > 5 ? "0" : "") + std::to_string(15 - i) + "--.jpg"] =
            "PXL_B0" + std::to_string(i) + ".jpg";
    std::map<std::string, size_t> expectedAfter;
    for (const auto& [to, from] : renamed) expectedAfter[to] = before.at(from);
    EXPECT_EQ(f.contents(), expectedAfter);

    const UndoResult undo = UndoLastOperation(f.folder.path());
    EXPECT_EQ(undo.undoneCount, static_cast<int>(before.size()) - 1);
    EXPECT_EQ(f.contents(), before);
}

}  // namespace
}  // namespace lumaro
