// Listing a folder of 10,000 pictures by picture date, against the least any such listing
// must do: read the folder and open, read the first 4 KiB of and close every file.
#include <cstdio>

#include "benchpictures.h"
#include "benchsupport.h"
#include "core/listing/folderlisting.h"
#include "core/picturefile/picturedate.h"
#include "readheads.h"

namespace {

using namespace lumaro;

constexpr int kPictures = 10000;
constexpr int kRounds = 9;

// The generated files must read as intended, or the listing would time the wrong paths:
// the number of pictures whose date is found, or missing, against their kind.
int misreadPictures(const std::string& folder) {
    int misread = 0;
    for (int i = 0; i < kPictures; ++i) {
        const bool hasExif = bench::CameraPictureHasDate(i);
        misread +=
            ReadInternalPictureDate(folder + "/" + bench::CameraPictureName(i)).has_value() !=
            hasExif;
    }
    return misread;
}

}  // namespace

int main() {
    bench::TempFolder folder("list-by-date");
    bench::MakeCameraPictures(folder.path(), kPictures);
    const int misread = misreadPictures(folder.path());
    int listed = 0;
    const bench::Timings t = bench::TimeAlternately(
        [&] { bench::KeepResult(ReadHeads(folder.path().c_str())); },
        [&] {
            FolderListing listing = ListFolderOrdered(folder.path(), "jpg", ListCriterion::Date);
            listed = listing.count;
            bench::KeepResult(listing);
        },
        kRounds);
    std::printf("list-by-date: %d of %d pictures listed\n", listed, kPictures);
    std::printf("list-by-date: %d pictures read differently from how they were made\n", misread);
    bench::PrintBench("list-by-date", t, 1.15);
    return listed == kPictures && misread == 0 ? 0 : 1;
}
