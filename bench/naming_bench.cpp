// Applying a renumbering of 10,000 pictures and accepting a move of a 500-picture block to
// the start of 10,000 pictures, each against a plain loop of the same number of no-replace
// renames in the same folder; and the cost of the rename journal on the same renumbering.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "naming/apply.h"
#include "naming/move.h"
#include "naming/numberedname.h"
#include "naming/renamepasses.h"
#include "naming/renumber.h"
#include "pictures/fileoperations.h"
#include "pictures/renamejournal.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPictures = 10000;
constexpr int kBlock = 500;
constexpr int kRounds = 8;

std::string makeFolder() {
    char pattern[] = "/tmp/lumaro_bench_XXXXXX";
    const std::string folder = std::string(mkdtemp(pattern)) + "/";
    for (int i = 1; i <= kPictures; ++i) {
        const std::string path = folder + lumaro::CaptionedName(i, 5, "picture") + ".jpg";
        if (FILE* file = std::fopen(path.c_str(), "wb")) {
            std::fputs("x", file);
            std::fclose(file);
        }
    }
    return folder;
}

lumaro::PictureList listOf(const std::string& folder) {
    lumaro::PictureList list;
    list.currentFolder = folder;
    list.fileType = "jpg";
    lumaro::RelistByName(list);
    return list;
}

double seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
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
    return seconds(start);
}

double applyRenumbering(lumaro::PictureList& list, long long first) {
    std::vector<int> all(list.avant.size());
    for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
    lumaro::Renumber(list, all, first, "5");
    const auto start = Clock::now();
    lumaro::Apply(list);
    return seconds(start);
}

double acceptMoveToStart(lumaro::PictureList& list) {
    bool moving = false;
    std::vector<int> block;
    for (int k = 0; k < kBlock; ++k) block.push_back(kPictures - kBlock + k);
    lumaro::BeginMove(list, block, moving, 0);
    lumaro::MoveBlock(list, 0);
    const auto start = Clock::now();
    lumaro::AcceptMove(list, moving);
    return seconds(start);
}

void report(const char* name, double measured, double baseline, double target = 1.3) {
    std::printf("BENCH %s ratio=%.2f target=%g (%.1f ms against %.1f ms)\n", name,
                measured / baseline, target, measured * 1000, baseline * 1000);
}

}  // namespace

int main() {
    const std::string folder = makeFolder();
    lumaro::PictureList list = listOf(folder);
    double baseline = 1e9, renumbering = 1e9, moving = 1e9, withoutJournal = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        baseline = std::min(baseline, plainLoop(folder, list));
        // There and back, the journal on one way and off the other, the ways swapped
        // every round so that neither side always gets the easier direction.
        const bool journalThere = round % 2 == 0;
        lumaro::SetRenameJournalEnabled(journalThere);
        const double there = applyRenumbering(list, 2);
        lumaro::SetRenameJournalEnabled(!journalThere);
        const double back = applyRenumbering(list, 1);
        lumaro::SetRenameJournalEnabled(true);
        renumbering = std::min(renumbering, journalThere ? there : back);
        withoutJournal = std::min(withoutJournal, journalThere ? back : there);
        moving = std::min(moving, acceptMoveToStart(list));
        list = listOf(folder);
    }
    report("apply-renumber", renumbering, baseline);
    report("accept-move", moving, baseline);
    report("journal-overhead", renumbering, withoutJournal, 1.1);
    std::system(("rm -rf '" + folder + "'").c_str());
    return 0;
}
