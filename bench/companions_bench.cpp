// Applying a renumbering of 10,000 pictures that each have a raw file beside them, against a
// plain loop of the same 20,000 files renamed by the same two passes (to a temporary name, then
// to the new one) in the same folder.
#include <chrono>
#include <string>
#include <vector>

#include "benchsupport.h"
#include "core/files/fileoperations.h"
#include "core/naming/numberedname.h"
#include "core/renaming/apply.h"
#include "core/renaming/renamepasses.h"
#include "core/renaming/renumber.h"
#include "renumbering.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPictures = 10000;
constexpr int kRounds = 9;

// Every file, picture and companion, to a temporary name and back.
double plainLoop(const std::string& folder, const std::vector<std::string>& names) {
    const auto start = Clock::now();
    for (const std::string& name : names) {
        lumaro::renameNoReplace(folder + name, folder + name + ".tmp");
    }
    for (const std::string& name : names) {
        lumaro::renameNoReplace(folder + name + ".tmp", folder + name);
    }
    return lumaro::bench::SecondsSince(start);
}

}  // namespace

int main() {
    using namespace lumaro;
    bench::TempFolder temp("companions");
    const std::string folder = temp.path() + "/";
    std::vector<std::string> names;
    for (int i = 1; i <= kPictures; ++i) {
        const std::string base = CaptionedName(i, 5, "picture");
        for (const char* type : {".jpg", ".NEF"}) {
            names.push_back(base + type);
            bench::WriteFile(temp.path(), names.back(), "x");
        }
    }
    PictureList list;
    list.currentFolder = folder;
    list.fileType = "jpg";
    RelistByName(list);
    if (list.avant.size() != kPictures || list.avant.front().companions.size() != 1) {
        std::fprintf(stderr, "the pictures or their companions were not listed\n");
        return 1;
    }
    // Every number one up (renamed from the end) and back (from the start), so that each run
    // costs both directions alike and leaves the folder as it found it.
    const bench::Timings timings = bench::TimePairs(
        [&] { return plainLoop(folder, names); },
        [&] { return (bench::ApplyRenumbering(list, 2) + bench::ApplyRenumbering(list, 1)) / 2; },
        kRounds);
    bench::PrintBench("apply-renumber-companions", timings, 1.3);
    return 0;
}
