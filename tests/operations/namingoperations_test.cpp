// Each naming operation planned, then run on a real folder: the plan touches nothing, the run
// makes exactly the plan's renames and records them once, and a folder that another program
// holds is left as it was; the shared thumbnails of every name changed are gone, no others.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>

#include "core/history/history.h"
#include "core/journal/journalformat.h"
#include "core/renaming/composename.h"
#include "core/renaming/renamepasses.h"
#include "core/renaming/renumber.h"
#include "operations/acceptmoveoperation.h"
#include "operations/applyoperation.h"
#include "operations/loadoperation.h"
#include "operations/repairoperation.h"
#include "picturefolder.h"
#include "thumbnailcache.h"

namespace lumaro {
namespace {

using Disk = std::map<std::string, std::string>;  // name -> content

struct Fixture {
    PictureFolder folder;
    PictureList list;
    bool moving = false;

    Disk disk() const {
        Disk files;
        for (const std::string& name : folder.names()) files[name] = folder.read(name);
        return files;
    }
    size_t records() const { return ReadHistoryRecords(folder.path()).operations.size(); }
    void listed() { RelistByName(list); }
};

// An operation as a table row makes it, ready to be planned and run.
struct Steps {
    std::function<NamingPlan()> plan;
    std::function<Outcome()> run;
};

template <typename Operation>
Steps stepsOf(std::shared_ptr<Operation> operation) {
    return {[operation] { return operation->plan(); }, [operation] { return operation->run(); }};
}

// The disk once every file the plan names has taken its new name, its content with it.
Disk renamedAsPlanned(Disk disk, const std::vector<FileRename>& renames) {
    Disk moved;
    for (const FileRename& rename : renames) {
        moved[rename.newName] = disk.at(rename.oldName);
        disk.erase(rename.oldName);
    }
    moved.insert(disk.begin(), disk.end());
    return moved;
}

// An interrupted renumbering: "01 a" took its new name, "02 b" did not yet.
void interruptRenumbering(Fixture& f) {
    ASSERT_EQ(rename(f.folder.pathOf("01 a.jpg").c_str(), f.folder.pathOf("05 a.jpg").c_str()), 0);
    struct stat a, b;
    ASSERT_EQ(stat(f.folder.pathOf("05 a.jpg").c_str(), &a), 0);
    ASSERT_EQ(stat(f.folder.pathOf("02 b.jpg").c_str(), &b), 0);
    std::string journal = JournalHeader();
    AppendJournalRecord(journal, a.st_ino, "01 a.jpg", "", "05 a.jpg");
    AppendJournalRecord(journal, b.st_ino, "02 b.jpg", "", "06 b.jpg");
    f.folder.write(kRenameJournalName, journal + JournalEnd(2));
}

std::vector<int> everyPicture(const PictureList& list) {
    std::vector<int> all(list.avant.size());
    for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
    return all;
}

struct Row {
    const char* name;
    std::vector<std::string> pictures;
    std::function<Steps(Fixture&)> make;
    size_t finishedBefore = 0;  // renames the record holds that were made before the run
};

const Row kRows[] = {
    {"load: widths made equal, the unnumbered picture numbered on",
     {"01  a.jpg", "002  b.jpg", "c.jpg"},
     [](Fixture& f) {
         return stepsOf(std::make_shared<FolderLoadOperation>(f.list, LoadFolderOptions{}));
     }},
    {"load: an unnumbered folder numbered for the first time",
     {"b.jpg", "a.jpg"},
     [](Fixture& f) {
         LoadFolderOptions options;
         options.askFirstNumbering = [] { return FirstNumberingAnswer{"1", "N"}; };
         return stepsOf(std::make_shared<FolderLoadOperation>(f.list, options));
     }},
    {"repair: an interrupted renumbering finished",
     {"01 a.jpg", "02 b.jpg"},
     [](Fixture& f) {
         interruptRenumbering(f);
         return stepsOf(std::make_shared<RepairOperation>(f.folder.path()));
     },
     1},
    {"apply: a caption",
     {"01  a.jpg", "02  b.jpg"},
     [](Fixture& f) {
         f.listed();
         StoreRenameProposal(f.list, ProposeRename(f.list, {0}, "Nord"), {0});
         return stepsOf(std::make_shared<ApplyOperation>(f.list, ApplyOptions{false, 0, {}}));
     }},
    {"apply: a renumbering upwards, names shifted through their own",
     {"01  a.jpg", "02  b.jpg", "03  c.jpg"},
     [](Fixture& f) {
         f.listed();
         Renumber(f.list, everyPicture(f.list), 2, "");
         return stepsOf(std::make_shared<ApplyOperation>(f.list, ApplyOptions{true, -1, {}}));
     }},
    {"cancel apply: the names of a renumbering given back",
     {"01  a.jpg", "02  b.jpg"},
     [](Fixture& f) {
         f.listed();
         Renumber(f.list, everyPicture(f.list), 7, "");
         f.list.pending.lastWasRenumber = true;
         ApplyOperation(f.list, {true, -1, {}}).run();
         return stepsOf(std::make_shared<CancelApplyOperation>(f.list));
     }},
    {"accept move: the last picture moved to the start",
     {"01  a.jpg", "02  b.jpg", "03  c.jpg"},
     [](Fixture& f) {
         f.listed();
         BeginMove(f.list, {2}, f.moving, 0);
         MoveBlock(f.list, 0);
         return stepsOf(std::make_shared<AcceptMoveOperation>(f.list, f.moving));
     }},
};

// The lock another program would hold: a description of the folder of its own, locked.
int lockAsAnotherProgram(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 ? fd : -1;
}

TEST(NamingOperationsTest, ARunMakesExactlyItsPlanRecordsItOnceAndABusyFolderStaysAsItWas) {
    for (const Row& row : kRows) {
        for (const bool busy : {false, true}) {
            SCOPED_TRACE(std::string(row.name) + (busy ? ", folder busy" : ""));
            Fixture f;
            for (const std::string& name : row.pictures) f.folder.write(name);
            f.list.currentFolder = f.folder.path();
            f.list.fileType = "jpg";
            const Steps steps = row.make(f);
            const Disk before = f.disk();
            const size_t records = f.records();

            const NamingPlan plan = steps.plan();
            ASSERT_EQ(f.disk(), before);
            EXPECT_EQ(f.records(), records);
            ASSERT_EQ(plan.outcome.kind, OutcomeKind::Done);
            ASSERT_FALSE(plan.renames.empty());
            const ThumbnailCache thumbnails;
            for (const FileRename& rename : plan.renames) {
                thumbnails.plant(f.folder.pathOf(rename.oldName));
                thumbnails.plant(f.folder.pathOf(rename.newName));
            }
            thumbnails.plant(f.folder.pathOf("unchanged.jpg"));

            const int other = busy ? lockAsAnotherProgram(f.folder.path()) : -1;
            ASSERT_EQ(busy, other >= 0);
            const Outcome outcome = steps.run();
            if (other >= 0) close(other);
            if (busy) {
                EXPECT_EQ(outcome.kind, OutcomeKind::FolderBusy);
                EXPECT_EQ(f.disk(), before);
                EXPECT_EQ(f.records(), records);
                continue;
            }
            EXPECT_EQ(outcome.kind, OutcomeKind::Done);
            Disk expected = renamedAsPlanned(before, plan.renames);
            expected.erase(kRenameJournalName);  // a repair's journal goes once it is done
            EXPECT_EQ(f.disk(), expected);
            const std::vector<HistoryOperation> history = ReadHistory(f.folder.path());
            ASSERT_EQ(f.records(), records + 1);
            const std::vector<FileRename> recorded = NamesOf(history.back());
            EXPECT_EQ(recorded.size(), plan.renames.size() + row.finishedBefore);
            for (const FileRename& rename : plan.renames) {
                EXPECT_NE(std::find(recorded.begin(), recorded.end(), rename), recorded.end())
                    << rename.oldName << " -> " << rename.newName;
                EXPECT_FALSE(thumbnails.holds(f.folder.pathOf(rename.oldName))) << rename.oldName;
                EXPECT_FALSE(thumbnails.holds(f.folder.pathOf(rename.newName))) << rename.newName;
            }
            EXPECT_TRUE(thumbnails.holds(f.folder.pathOf("unchanged.jpg")));
        }
    }
}

}  // namespace
}  // namespace lumaro
