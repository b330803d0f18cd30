// Applying a renumbering of 10,000 pictures, a tenth of which have thumbnails in the shared
// cache of file managers, and accepting a move of a 500-picture block to the start of 10,000
// pictures, each against a plain loop of the same number of no-replace renames in the same
// folder; the cost of the rename journal on the same renumbering; and the cost of the folder's
// history on a renumbering of 20,000 pictures.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "benchsupport.h"
#include "core/files/fileoperations.h"
#include "core/history/history.h"
#include "core/journal/renamejournal.h"
#include "core/naming/numberedname.h"
#include "core/renaming/apply.h"
#include "core/renaming/move.h"
#include "core/renaming/renamepasses.h"
#include "core/renaming/renumber.h"
#include "core/thumbnails/md5.h"
#include "core/thumbnails/sharedthumbnails.h"
#include "operations/acceptmoveoperation.h"
#include "renumbering.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPictures = 10000;
constexpr int kHistoryPictures = 20000;
constexpr int kBlock = 500;
constexpr int kRounds = 9;

lumaro::PictureList listOf(const std::string& folder) {
    lumaro::PictureList list;
    list.currentFolder = folder;
    list.fileType = "jpg";
    lumaro::RelistByName(list);
    return list;
}

// Every picture to another name and back: as many no-replace renames as two passes make.
double plainLoop(const std::string& folder, const lumaro::PictureList& list) {
    const auto start = Clock::now();
    for (const lumaro::PictureEntry& entry : list.avant) {
        lumaro::renameNoReplace(folder + entry.fileName(), folder + entry.base + "x.jpg");
    }
    for (const lumaro::PictureEntry& entry : list.avant) {
        lumaro::renameNoReplace(folder + entry.base + "x.jpg", folder + entry.fileName());
    }
    return lumaro::bench::SecondsSince(start);
}

// A thumbnail of every tenth picture of the list in the cache the run uses (the renumbering
// removes them): as a file manager that showed part of the folder leaves them.
void makeThumbnails(const lumaro::PictureList& list) {
    const std::string cache = std::string(getenv("XDG_CACHE_HOME")) + "/thumbnails/normal";
    std::filesystem::create_directories(cache);
    for (size_t k = 0; k < list.avant.size(); k += 10) {
        const std::string uri = lumaro::FileUri(list.currentFolder + list.avant[k].fileName());
        lumaro::bench::WriteFile(cache, lumaro::Md5Hex(uri) + ".png", "thumbnail");
    }
}

// One renumbering there (every number one up, renamed from the end) and one back (renamed
// from the start), each finding thumbnails of a tenth of the pictures: the mean of the two, so
// that every run costs both directions alike and leaves the folder as it found it.
double renumberThereAndBack(lumaro::PictureList& list, bool journal) {
    lumaro::SetRenameJournalEnabled(journal);
    makeThumbnails(list);
    const double there = lumaro::bench::ApplyRenumbering(list, 2);
    makeThumbnails(list);
    const double both = there + lumaro::bench::ApplyRenumbering(list, 1);
    lumaro::SetRenameJournalEnabled(true);
    return both / 2;
}

double renumberWithHistory(lumaro::PictureList& list, bool history) {
    lumaro::SetHistoryEnabled(history);
    const double both =
        lumaro::bench::ApplyRenumbering(list, 2) + lumaro::bench::ApplyRenumbering(list, 1);
    lumaro::SetHistoryEnabled(true);
    return both / 2;
}

// Leaves the list read again from the folder, as the plain loop needs it.
double acceptMoveToStart(const std::string& folder, lumaro::PictureList& list) {
    bool moving = false;
    std::vector<int> block;
    for (int k = 0; k < kBlock; ++k) block.push_back(kPictures - kBlock + k);
    lumaro::BeginMove(list, block, moving, 0);
    lumaro::MoveBlock(list, 0);
    const auto start = Clock::now();
    lumaro::AcceptMoveOperation(list, moving).run({.historyWaived = true});
    const double taken = lumaro::bench::SecondsSince(start);
    list = listOf(folder);
    return taken;
}

}  // namespace

int main() {
    using namespace lumaro;
    bench::TempFolder temp("naming");
    bench::TempFolder state("naming-state");
    setenv("XDG_STATE_HOME", state.path().c_str(), 1);
    bench::TempFolder cache("naming-cache");
    setenv("XDG_CACHE_HOME", cache.path().c_str(), 1);
    const std::string folder = temp.path() + "/";
    for (int i = 1; i <= kPictures; ++i) {
        bench::WriteFile(temp.path(), CaptionedName(i, 5, "picture") + ".jpg", "x");
    }
    PictureList list = listOf(folder);
    const auto plain = [&] { return plainLoop(folder, list); };
    const bench::Timings renumbering = bench::TimePairs(
        plain, [&] { return renumberThereAndBack(list, true); }, kRounds);
    const bench::Timings moving = bench::TimePairs(
        plain, [&] { return acceptMoveToStart(folder, list); }, kRounds);
    const bench::Timings journal =
        bench::TimePairs([&] { return renumberThereAndBack(list, false); },
                         [&] { return renumberThereAndBack(list, true); }, kRounds);
    bench::TempFolder many("history");
    for (int i = 1; i <= kHistoryPictures; ++i) {
        bench::WriteFile(many.path(), CaptionedName(i, 5, "picture") + ".jpg", "x");
    }
    PictureList manyList = listOf(many.path() + "/");
    const bench::Timings history =
        bench::TimePairs([&] { return renumberWithHistory(manyList, false); },
                         [&] { return renumberWithHistory(manyList, true); }, kRounds);
    bench::PrintBench("apply-renumber", renumbering, 1.3);
    bench::PrintBench("accept-move", moving, 1.3);
    bench::PrintBench("journal-overhead", journal, 1.1);
    bench::PrintBench("history-overhead", history, 1.1);
    return 0;
}
