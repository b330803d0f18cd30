// Listing 10,000 pictures and videos of the type `all` by the moment of taking (7,000 JPEG,
// 2,000 HEIC, 1,000 MP4 whose movie header lies after 1 MiB of media data or before it), against
// the least any such listing must do: the heads of the stills, the boxes of the videos up to
// their movie header.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "../tests/core/moviebytes.h"
#include "benchpictures.h"
#include "benchsupport.h"
#include "core/listing/folderlisting.h"
#include "readmovieheads.h"

namespace {

using namespace lumaro;

constexpr int kJpegs = 7000, kHeics = 2000, kVideos = 1000;
constexpr int kRounds = 9;
constexpr off_t kMediaBytes = 1 << 20;
constexpr const char* kMadeDate = "2015:06:01 10:00:00";

// One dated HEIC from the encoders, copied with a date of its own each; false without the tools.
bool makeHeics(const std::string& folder) {
    const std::string source = folder + "/source";
    const std::string make =
        "convert -size 640x480 gradient:red-blue '" + source + ".png' && heif-enc -q 60 '" +
        source + ".png' -o '" + source +
        ".heic' && exiftool -q -overwrite_original '-DateTimeOriginal=" + kMadeDate +
        "' -OffsetTimeOriginal=+02:00 '" + source + ".heic' >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0) return false;
    std::ifstream in(source + ".heic", std::ios::binary);
    const std::string picture(std::istreambuf_iterator<char>(in), {});
    std::remove((source + ".png").c_str());
    std::remove((source + ".heic").c_str());
    const size_t at = picture.find(kMadeDate);
    if (at == std::string::npos) return false;
    bench::Random random(20240701);
    for (int i = 0; i < kHeics; ++i) {
        std::string copy = picture;
        copy.replace(at, 19, bench::CameraDateText(random));
        char name[32];
        std::snprintf(name, sizeof name, "PXL_%04d.heic", i);
        bench::WriteFile(folder, name, copy);
    }
    return true;
}

// Videos whose media data is a hole of 1 MiB: the listing never reads it, the disk holds none.
void makeVideos(const std::string& folder) {
    using namespace moviebytes;
    bench::Random random(20240702);
    for (int i = 0; i < kVideos; ++i) {
        const std::string movie = Box(
            "moov", MovieHeader(3'500'000'000u + static_cast<uint32_t>(random.next() % 5000000)) +
                        Box("trak", random.bytes(3000)));
        const std::string type = Box("ftyp", "isom" + Be32(512) + "isomiso2avc1mp41");
        const std::string media = Be32(static_cast<uint32_t>(8 + kMediaBytes)) + "mdat";
        char name[32];
        std::snprintf(name, sizeof name, "VID_%04d.mp4", i);
        const std::string path = folder + "/" + name;
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const bool headerFirst = i % 2 == 0;
        const std::string head = type + (headerFirst ? movie : "") + media;
        bool written = write(fd, head.data(), head.size()) == static_cast<ssize_t>(head.size());
        if (!headerFirst) {
            written = written && pwrite(fd, movie.data(), movie.size(),
                                        static_cast<off_t>(head.size()) + kMediaBytes) ==
                                     static_cast<ssize_t>(movie.size());
        } else {
            written = written && ftruncate(fd, static_cast<off_t>(head.size()) + kMediaBytes) == 0;
        }
        close(fd);
        if (!written) throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace

int main() {
    bench::TempFolder folder("list-by-date-all");
    bench::MakeCameraPictures(folder.path(), kJpegs);
    if (!makeHeics(folder.path())) {
        std::printf("list-by-date-all: convert, heif-enc or exiftool is missing\n");
        return 1;
    }
    makeVideos(folder.path());
    int listed = 0, datedVideos = 0;
    const bench::Timings t = bench::TimeAlternately(
        [&] { bench::KeepResult(ReadMovieAndPictureHeads(folder.path().c_str())); },
        [&] {
            FolderListing listing = ListFolderOrdered(folder.path(), "all", ListCriterion::Date);
            listed = listing.count;
            datedVideos = 0;
            for (size_t i = 0; i < listing.entries.size(); ++i)
                datedVideos += listing.entries[i].extension == ".mp4" && listing.dates[i].inside;
            bench::KeepResult(listing);
        },
        kRounds);
    std::printf("list-by-date-all: %d of %d files listed, %d of %d videos dated\n", listed,
                kJpegs + kHeics + kVideos, datedVideos, kVideos);
    bench::PrintBench("list-by-date-all", t, 1.3);
    return listed == kJpegs + kHeics + kVideos && datedVideos == kVideos ? 0 : 1;
}
