// Listing 10,000 pictures by picture date on a first opening, their data not in the page cache
// (as after copying them from a card), against a sequential loop that reads the folder and
// opens, reads the first 4 KiB of and closes every file, from a cold cache as well.
#include <cstdio>

#include "benchpictures.h"
#include "benchsupport.h"
#include "core/listing/folderlisting.h"
#include "readheads.h"

namespace {

using namespace lumaro;

constexpr int kPictures = 10000;
constexpr int kRounds = 5;

bool sameListing(const FolderListing& a, const FolderListing& b) {
    if (a.count != b.count || a.entries.size() != b.entries.size()) return false;
    for (size_t i = 0; i < a.entries.size(); ++i) {
        if (a.entries[i].fileName() != b.entries[i].fileName()) return false;
    }
    return true;
}

}  // namespace

int main() {
    bench::TempFolder folder("list-by-date-cold");
    bench::MakeCameraPictures(folder.path(), kPictures);
    const FolderListing warm = ListFolderOrdered(folder.path(), "jpg", ListCriterion::Date);
    bool sameAsWarm = true;
    const bench::Timings t = bench::TimeAlternately(
        [&] { bench::KeepResult(ReadHeads(folder.path().c_str())); },
        [&] {
            const FolderListing cold = ListFolderOrdered(folder.path(), "jpg", ListCriterion::Date);
            sameAsWarm = sameAsWarm && sameListing(cold, warm);
        },
        kRounds, [&] { bench::EvictFromPageCache(folder.path()); });
    std::printf("list-by-date-cold: %d of %d pictures listed, %s as from a warm cache\n",
                warm.count, kPictures, sameAsWarm ? "the same" : "NOT the same");
    bench::PrintBench("list-by-date-cold", t, 0.6);
    return warm.count == kPictures && sameAsWarm ? 0 : 1;
}
