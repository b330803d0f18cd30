// The date reader on pictures written by the picture tools and dated by exiftool: the layouts
// of cameras, phones and editors, in every picture type the reader knows.
#include "realpictures.h"

#include <gtest/gtest.h>

#include "core/picturefile/picturedate.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

using realpictures::Layout;
using realpictures::MakePicture;

constexpr const char* kTaken = "2015:06:01 10:00:00";
constexpr const char* kEdited = "2024:12:24 18:30:00";

TEST(RealPicturesTest, TheMomentOfTakingIsReadFromTheLayoutsRealProgramsWrite) {
    const struct {
        const char* what;
        const char* name;
        const char* original;
        const char* modified;
        Layout layout;
        const char* expected;
    } rows[] = {
        {"DateTimeOriginal only, in the sub-directory", "only.jpg", kTaken, "", Layout::AsWritten,
         kTaken},
        {"edited JPEG", "edited.jpg", kTaken, kEdited, Layout::AsWritten, kTaken},
        {"Exif segment after an ICC profile", "profile.jpg", kTaken, kEdited,
         Layout::ExifAfterProfile, kTaken},
        {"DateTime alone", "modified.jpg", "", kEdited, Layout::AsWritten, kEdited},
        {"JPEG without dates", "plain.jpg", "", "", Layout::AsWritten, "none"},
        {"TIFF", "edited.tif", kTaken, kEdited, Layout::AsWritten, kTaken},
        {"big-endian raw-like TIFF", "camera.nef", kTaken, kEdited, Layout::AsWritten, kTaken},
        {"PNG, eXIf after the image data", "late.png", kTaken, kEdited, Layout::ExifAfterImageData,
         kTaken},
        {"PNG, eXIf as exiftool writes it", "edited.png", kTaken, kEdited, Layout::AsWritten,
         kTaken},
        {"WebP", "edited.webp", kTaken, kEdited, Layout::AsWritten, kTaken},
        {"HEIC from the encoder", "phone.heic", kTaken, kEdited, Layout::AsWritten, kTaken},
        {"HEIC without Exif", "plain.heic", "", "", Layout::AsWritten, "none"},
    };
    PictureFolder folder;
    for (const auto& row : rows) {
        MakePicture(folder.path(), row.name, row.original, row.modified, row.layout);
        EXPECT_EQ(ReadInternalPictureDate(folder.pathOf(row.name)).value_or("none"), row.expected)
            << row.what;
    }
}

}  // namespace
}  // namespace lumaro
