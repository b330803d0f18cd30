// Listing a folder of 10,000 pictures by picture date, against the least any such listing
// must do: read the folder and open, read the first 4 KiB of and close every file.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "../tests/core/jpegbytes.h"
#include "benchsupport.h"
#include "pictures/folderlisting.h"
#include "pictures/picturedate.h"

namespace {

using namespace lumaro;
namespace jb = lumaro::jpegbytes;

constexpr int kPictures = 10000;
constexpr int kRounds = 9;

std::string dateText(bench::Random& random) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d:%02d:%02d %02d:%02d:%02d", random.between(1998, 2024),
                  random.between(1, 12), random.between(1, 28), random.between(0, 23),
                  random.between(0, 59), random.between(0, 59));
    return text;
}

// The Exif segment of a camera: several entries in the first directory, the date either
// there (DateTime) or in a directory after it (DateTimeOriginal), in either byte order.
std::string cameraExif(bench::Random& random) {
    jb::Exif exif;
    exif.bigEndian = random.between(0, 1) == 1;
    exif.date = dateText(random);
    exif.entriesBefore = random.between(4, 12);
    if (random.between(0, 3) == 0) {
        exif.dateTag = 0x9003;
        exif.inSecondDirectory = true;
    }
    return jb::ExifApp1(exif);
}

// A picture of 8 to 20 KiB: the header segments, quantisation table, then a scan of noise.
std::string picture(int index, bench::Random& random) {
    std::string header = jb::Soi();
    const int kind = index % 10;  // 0..6 Exif first, 7..8 JFIF then Exif, 9 no Exif
    if (kind >= 7) header += jb::Jfif();
    if (kind <= 8) header += cameraExif(random);
    header += jb::Segment(0xDB, random.bytes(65));
    header += jb::Segment(0xDA, random.bytes(10));
    const size_t size = static_cast<size_t>(random.between(8 * 1024, 20 * 1024));
    return header + random.bytes(size > header.size() + 2 ? size - header.size() - 2 : 0) +
           jb::Eoi();
}

// Camera names, so that name order and date order differ.
std::string pictureName(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "%s_%05d.jpg", index % 3 ? "IMG" : "DSC", index);
    return name;
}

void makePictures(const std::string& folder) {
    bench::Random random(20240611);
    for (int i = 0; i < kPictures; ++i) {
        bench::WriteFile(folder, pictureName(i), picture(i, random));
    }
}

// Every file of the folder opened, its first 4 KiB read, closed.
size_t readHeads(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return 0;
    const int dirFd = dirfd(dir);
    size_t total = 0;
    char buffer[4096];
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        const int fd = openat(dirFd, entry->d_name, O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0) total += static_cast<size_t>(got) + static_cast<unsigned char>(buffer[0]);
        close(fd);
    }
    closedir(dir);
    return total;
}

// The generated files must read as intended, or the listing would time the wrong paths:
// the number of pictures whose date is found, or missing, against their kind.
int misreadPictures(const std::string& folder) {
    int misread = 0;
    for (int i = 0; i < kPictures; ++i) {
        const bool hasExif = i % 10 != 9;
        misread += ReadInternalPictureDate(folder + "/" + pictureName(i)).has_value() != hasExif;
    }
    return misread;
}

}  // namespace

int main() {
    bench::TempFolder folder("list-by-date");
    makePictures(folder.path());
    const int misread = misreadPictures(folder.path());
    int listed = 0;
    const bench::Timings t = bench::TimeAlternately(
        [&] { bench::KeepResult(readHeads(folder.path())); },
        [&] {
            FolderListing listing = ListFolderOrdered(folder.path(), "jpg", ListCriterion::Date);
            listed = listing.count;
            bench::KeepResult(listing);
        },
        kRounds);
    std::printf("list-by-date: %d of %d pictures listed\n", listed, kPictures);
    std::printf("list-by-date: %d pictures read differently from how they were made\n", misread);
    bench::PrintMedians("list-by-date", t);
    bench::PrintBench("list-by-date", t.measured, t.baseline, 1.5);
    return listed == kPictures && misread == 0 ? 0 : 1;
}
