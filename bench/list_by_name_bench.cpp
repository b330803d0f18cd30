// Listing a folder of 100,000 pictures by name, against reading the folder and asking the
// size and kind of every file, which any listing of regular, non-empty files must do.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>

#include "benchsupport.h"
#include "core/listing/folderlisting.h"

namespace {

using namespace lumaro;

constexpr int kPictures = 100000;
constexpr int kRounds = 7;

const char* const kCaptions[] = {"Caption",      "Beach at noon", "Anna", "",
                                 "Mountain hut", "Birthday cake", "x",    "Old town by night"};

// Mostly numbered pictures with a caption, one in ten still with its camera name; written
// in a shuffled order so that the folder does not hand them out already sorted.
std::string pictureName(int index) {
    char name[64];
    if (index % 10 == 3) {
        std::snprintf(name, sizeof name, "%s%04d.%s", index % 20 == 3 ? "DSC_" : "IMG_", index / 10,
                      index % 40 == 3 ? "JPG" : "jpg");
    } else {
        std::snprintf(name, sizeof name, "%06d  %s.jpg", index + 1, kCaptions[index % 8]);
    }
    return name;
}

int makePictures(const std::string& folder) {
    std::vector<int> order(kPictures);
    for (int i = 0; i < kPictures; ++i) order[i] = i;
    bench::Random random(7);
    for (int i = kPictures - 1; i > 0; --i) std::swap(order[i], order[random.between(0, i)]);
    int written = 0;
    for (int index : order) bench::WriteFile(folder, pictureName(index), "x");
    DIR* dir = opendir(folder.c_str());
    while (dir && readdir(dir)) ++written;
    if (dir) closedir(dir);
    return written - 2;  // without . and ..
}

// Every entry of the folder read and given to stat, as the listing must.
size_t statAll(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return 0;
    const int dirFd = dirfd(dir);
    size_t regular = 0;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        struct stat st;
        if (fstatat(dirFd, entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
            ++regular;
        }
    }
    closedir(dir);
    return regular;
}

}  // namespace

int main() {
    bench::TempFolder folder("list-by-name");
    const int files = makePictures(folder.path());
    int listed = 0;
    const bench::Timings t = bench::TimeAlternately(
        [&] { bench::KeepResult(statAll(folder.path())); },
        [&] {
            FolderListing listing = ListFolderOrdered(folder.path(), "jpg", ListCriterion::Name);
            listed = listing.count;
            bench::KeepResult(listing);
        },
        kRounds);
    std::printf("list-by-name: %d of %d files listed\n", listed, files);
    bench::PrintBench("list-by-name", t, 2);
    return listed == files ? 0 : 1;
}
