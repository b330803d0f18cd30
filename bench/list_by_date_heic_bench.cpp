// Listing 1,000 HEIC pictures by picture date, against the same listing of 1,000 JPEG pictures:
// both made from one picture by the encoders and dated by exiftool, then copied with dates of
// their own, so the two folders differ only in the container the date is read from.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "benchsupport.h"
#include "core/listing/folderlisting.h"
#include "core/picturefile/picturedate.h"

namespace {

using namespace lumaro;

constexpr int kPictures = 1000;
constexpr int kRounds = 9;
constexpr const char* kMadeDate = "2015:06:01 10:00:00";

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes `kPictures` copies of one dated picture of `type`, each with its own date; false when
// the tools are missing.
bool makePictures(const std::string& folder, const std::string& type) {
    const std::string source = folder + "/source";
    const std::string make =
        "convert -size 640x480 gradient:red-blue '" + source + ".png' && " +
        (type == "heic" ? "heif-enc -q 60 '" + source + ".png' -o '" + source + ".heic'"
                        : "convert '" + source + ".png' '" + source + ".jpg'") +
        " && exiftool -q -overwrite_original '-DateTimeOriginal=" + kMadeDate + "' '" + source +
        "." + type + "' >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0) return false;
    const std::string picture = readAll(source + "." + type);
    std::remove((source + ".png").c_str());
    std::remove((source + "." + type).c_str());
    const size_t at = picture.find(kMadeDate);
    if (at == std::string::npos) return false;
    bench::Random random(20240611);
    for (int i = 0; i < kPictures; ++i) {
        std::string copy = picture;
        char date[32];
        std::snprintf(date, sizeof date, "%04d:%02d:%02d %02d:%02d:%02d",
                      random.between(1998, 2024), random.between(1, 12), random.between(1, 28),
                      random.between(0, 23), random.between(0, 59), random.between(0, 59));
        copy.replace(at, 19, date);
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%04d.%s", i, type.c_str());
        bench::WriteFile(folder, name, copy);
    }
    return true;
}

}  // namespace

int main() {
    bench::TempFolder jpegs("list-by-date-jpg"), heics("list-by-date-heic");
    if (!makePictures(jpegs.path(), "jpg") || !makePictures(heics.path(), "heic")) {
        std::printf("list-by-date-heic: convert, heif-enc or exiftool is missing\n");
        return 1;
    }
    int listedJpeg = 0, listedHeic = 0;
    bool allDated = true;
    const bench::Timings t = bench::TimeAlternately(
        [&] {
            const FolderListing listing =
                ListFolderOrdered(jpegs.path(), "jpg", ListCriterion::Date);
            listedJpeg = listing.count;
            allDated = allDated && !listing.someWithoutDate;
        },
        [&] {
            const FolderListing listing =
                ListFolderOrdered(heics.path(), "heic", ListCriterion::Date);
            listedHeic = listing.count;
            allDated = allDated && !listing.someWithoutDate;
        },
        kRounds);
    std::printf("list-by-date-heic: %d HEIC and %d JPEG pictures listed, %s\n", listedHeic,
                listedJpeg, allDated ? "every one dated" : "SOME WITHOUT DATE");
    bench::PrintBench("list-by-date-heic", t, 3);
    return listedHeic == kPictures && listedJpeg == kPictures && allDated ? 0 : 1;
}
