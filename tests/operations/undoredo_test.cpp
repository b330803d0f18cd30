// Undoing and redoing each kind of operation on real files, through the history: renames,
// transfers, turns and moves to the Trash, the groups of a picture and its companions, and the
// operations whose files changed since.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "core/renaming/renumber.h"
#include "core/turning/turnpicture.h"
#include "namingfolder.h"
#include "operations/applyoperation.h"
#include "operations/undo/undo.h"
#include "trash/trash.h"
#include "turnjpegs.h"

namespace lumaro {
namespace {

using Names = std::vector<std::string>;

// Every test keeps its histories in a state folder of its own, and its Trash in a home of its
// own on the disk of its pictures.
class UndoTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_STATE_HOME", state.path().c_str(), 1);
        setenv("HOME", home.path().c_str(), 1);
        setenv("XDG_DATA_HOME", home.pathOf("share").c_str(), 1);
    }

    // The folder's files with their contents: equal means the same pictures under the same names.
    static Names disk(const PictureFolder& folder) {
        Names all;
        for (const std::string& name : folder.names())
            all.push_back(name + "=" + folder.read(name));
        return all;
    }
    static void renumberAll(NamingFolder& f, long long start) {
        std::vector<int> all(f.list.avant.size());
        for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
        ASSERT_EQ(Renumber(f.list, all, start, "").outcome, RenumberOutcome::Proposed);
        ApplyOperation(f.list, {true, -1, {}}).run();
    }
    // The names of the files the Trash holds.
    Names trashed() const {
        Names names;
        const std::string files = home.pathOf("share/Trash/files");
        if (!std::filesystem::exists(files)) return names;
        for (const auto& entry : std::filesystem::directory_iterator(files))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    PictureFolder state, home;
};

TEST_F(UndoTest, EachKindOfOperationIsUndoneOnDiskAndARedoDoesItAgain) {
    struct Row {
        const char* name;
        std::function<void(NamingFolder&, const std::string& other)> operate;
        Names after;   // the names in the folder once the operation is done
        size_t moved;  // files the operation changed
    };
    const Row rows[] = {
        {"renumber",
         [](NamingFolder& f, const std::string&) { renumberAll(f, 2); },
         {"02  a.jpg", "03  b.jpg", "04  c.jpg"},
         3},
        {"transfer",
         [](NamingFolder& f, const std::string& other) {
             const std::vector<PictureEntry> moved{f.list.avant[1]};
             const auto outcomes = TransferPictures(f.list.currentFolder, moved, other);
             RecordTransfer(f.list.currentFolder, other, moved, outcomes);
         },
         {"01  a.jpg", "03  c.jpg"},
         1},
        {"delete",
         [](NamingFolder& f, const std::string&) {
             HistoryOperation deleted;
             deleted.kind = OperationKind::Delete;
             deleted.effect = OperationEffect::ToTrash;
             for (const char* name : {"01  a.jpg", "03  c.jpg"}) {
                 const std::string inTrash = MoveToTrash(f.folder.pathOf(name)).pathInTrash;
                 deleted.files.push_back({f.folder.pathOf(name), inTrash});
             }
             RecordByFolder(deleted);
         },
         {"02  b.jpg"},
         2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        NamingFolder f({"01  a", "02  b", "03  c"});
        PictureFolder other;
        const Names before = disk(f.folder);
        row.operate(f, other.path());
        const Names after = disk(f.folder);
        EXPECT_EQ(f.folder.names(), row.after);
        ASSERT_EQ(PlanUndo(f.folder.path()).status, UndoPlan::Status::Ready);
        const UndoResult undone = UndoLastOperation(f.folder.path());
        EXPECT_TRUE(undone.failures.empty());
        EXPECT_EQ(disk(f.folder), before);
        EXPECT_TRUE(ReadHistory(f.folder.path()).at(0).undone);
        EXPECT_EQ(UndoLastOperation(f.folder.path()).plan.status, UndoPlan::Status::Nothing);
        EXPECT_EQ(RedoLastUndo(f.folder.path()).undoneCount, static_cast<int>(row.moved));
        EXPECT_EQ(disk(f.folder), after);
        EXPECT_EQ(ReadHistory(f.folder.path()).size(), 1u);
        // Undone and redone as often as one likes: every step finds the files where the last left
        // them, with the identity it recorded (a transfer's copies are new files each time).
        UndoLastOperation(f.folder.path());
        EXPECT_EQ(disk(f.folder), before);
        RedoLastUndo(f.folder.path());
        EXPECT_EQ(disk(f.folder), after);
    }
}

TEST_F(UndoTest, ALosslessTurnIsTurnedBackAndALossyOneIsNeverTurnedAgain) {
    PictureFolder folder;
    const std::string picture = turnjpegs::QuarterJpeg(64, 48, {});
    folder.write("01.jpg", picture);
    ASSERT_TRUE(TurnPicture(folder.pathOf("01.jpg"), 90).ok());
    HistoryOperation turn;
    turn.kind = OperationKind::Turn;
    turn.effect = OperationEffect::Turn;
    turn.angle = 90;
    turn.files.push_back({folder.pathOf("01.jpg"), folder.pathOf("01.jpg")});
    RecordByFolder(turn);
    const UndoResult undone = UndoLastOperation(folder.path());
    ASSERT_EQ(undone.undoneCount, 1);
    EXPECT_EQ(turnjpegs::Decode(folder.read("01.jpg")).width, 64);
    turn.lossless = false;
    RecordByFolder(turn);
    const std::string now = folder.read("01.jpg");
    EXPECT_EQ(UndoLastOperation(folder.path()).plan.status, UndoPlan::Status::Lossy);
    EXPECT_EQ(folder.read("01.jpg"), now);
}

TEST_F(UndoTest, AnOperationWhoseFileWasRenamedReplacedOrChangedIsNotUndone) {
    struct Row {
        const char* name;
        std::function<void(PictureFolder&)> change;
    };
    const Row rows[] = {
        {"renamed again",
         [](PictureFolder& p) { renameNoReplace(p.pathOf("03  b.jpg"), p.pathOf("07  b.jpg")); }},
        {"replaced",
         [](PictureFolder& p) {
             unlink(p.pathOf("03  b.jpg").c_str());
             p.write("03  b.jpg", "content of 02  b.jpg");  // same size, another file
         }},
        {"changed", [](PictureFolder& p) { p.write("03  b.jpg", "edited"); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        NamingFolder f({"01  a", "02  b"});
        renumberAll(f, 2);
        row.change(f.folder);
        const Names changed = disk(f.folder);
        const UndoResult result = UndoLastOperation(f.folder.path());
        EXPECT_EQ(result.plan.status, UndoPlan::Status::Changed);
        EXPECT_EQ(result.plan.changedName, "03  b.jpg");
        EXPECT_EQ(disk(f.folder), changed);
        EXPECT_EQ(ReadHistory(f.folder.path()).size(), 1u);
    }
}

// A picture and its raw file put back by an undo where a stranger took a name of theirs again.
TEST_F(UndoTest, AnUndoPutsAPictureBackWithItsCompanionsUnderOneFreeNameOrLeavesThemInTheTrash) {
    const auto transferFirst = [](NamingFolder& f, const std::string& other) {
        const std::vector<PictureEntry> moved{f.list.avant[0]};
        RecordTransfer(f.list.currentFolder, other, moved,
                       TransferPictures(f.list.currentFolder, moved, other));
    };
    const auto deleteFirst = [](NamingFolder& f, const std::string&) {
        HistoryOperation deleted = TrashOperation();
        for (const char* name : {"IMG_1.jpg", "IMG_1.NEF"}) {
            const std::string inTrash = MoveToTrash(f.folder.pathOf(name)).pathInTrash;
            deleted.files.push_back({f.folder.pathOf(name), inTrash});
        }
        deleted.files[1].companion = true;
        RecordByFolder(deleted);
    };
    struct Row {
        const char* name;
        std::vector<std::string> bases;  // the pictures; the first has a raw file
        std::function<void(NamingFolder&, const std::string&)> operate;
        std::string stranger;  // the file that takes a name of the group after the operation
        Names after;           // name=content once undone
        size_t kept;           // groups the undo leaves where they are
    };
    const Row rows[] = {
        {"transfer, the picture's name taken",
         {"IMG_1", "IMG_2"},
         transferFirst,
         "IMG_1.jpg",
         {"IMG_1 (2).NEF=content of IMG_1.NEF", "IMG_1 (2).jpg=content of IMG_1.jpg",
          "IMG_1.jpg=stranger", "IMG_2.jpg=content of IMG_2.jpg"},
         0},
        {"transfer, the raw file's name taken",
         {"IMG_1", "IMG_2"},
         transferFirst,
         "IMG_1.NEF",
         {"IMG_1 (2).NEF=content of IMG_1.NEF", "IMG_1 (2).jpg=content of IMG_1.jpg",
          "IMG_1.NEF=stranger", "IMG_2.jpg=content of IMG_2.jpg"},
         0},
        {"renumber, the picture's name taken",
         {"01  a", "02  b"},
         [](NamingFolder& f, const std::string&) { renumberAll(f, 5); },
         "01  a.jpg",
         {"01  a (2).NEF=content of 01  a.NEF", "01  a (2).jpg=content of 01  a.jpg",
          "01  a.jpg=stranger", "02  b.jpg=content of 02  b.jpg"},
         0},
        {"delete, the picture's name taken",
         {"IMG_1", "IMG_2"},
         deleteFirst,
         "IMG_1.jpg",
         {"IMG_1.jpg=stranger", "IMG_2.jpg=content of IMG_2.jpg"},
         1},
        {"delete, no name taken",
         {"IMG_1", "IMG_2"},
         deleteFirst,
         "",
         {"IMG_1.NEF=content of IMG_1.NEF", "IMG_1.jpg=content of IMG_1.jpg",
          "IMG_2.jpg=content of IMG_2.jpg"},
         0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PictureFolder other;
        NamingFolder f(row.bases);
        f.folder.write(row.bases[0] + ".NEF");
        RelistByName(f.list);
        row.operate(f, other.path());
        if (!row.stranger.empty()) f.folder.write(row.stranger, "stranger");
        const UndoPlan plan = PlanUndo(f.folder.path());
        ASSERT_EQ(plan.status, UndoPlan::Status::Ready);
        const UndoResult undone = UndoLastOperation(f.folder.path(), &plan);
        EXPECT_EQ(disk(f.folder), row.after);
        EXPECT_EQ(plan.kept.size(), row.kept);
        EXPECT_EQ(undone.failures, plan.kept);
        EXPECT_EQ(undone.done, plan.moves);  // the plan a dry run shows is what the run does
        if (row.kept > 0) {
            EXPECT_EQ(trashed(), (Names{"IMG_1.NEF", "IMG_1.jpg"}));
        }
    }
}

TEST_F(UndoTest, UndoStepsBackOneOperationAtATimeAndRedoTakesTheLastUndoBack) {
    NamingFolder f({"01  a", "02  b"});
    f.folder.write("01  a.jpg", turnjpegs::QuarterJpeg(64, 48, {}));
    const Names camera = f.folder.names();
    renumberAll(f, 5);
    const Names renumbered = f.folder.names();
    const auto turned = [&] { return turnjpegs::Decode(f.folder.read("05  a.jpg")).width == 48; };
    ASSERT_TRUE(TurnPicture(f.folder.pathOf("05  a.jpg"), 90).ok());
    HistoryOperation turn = TurnOperation(90);
    turn.files.push_back({f.folder.pathOf("05  a.jpg"), f.folder.pathOf("05  a.jpg")});
    RecordByFolder(turn);

    ASSERT_EQ(UndoLastOperation(f.folder.path()).plan.operation.kind, OperationKind::Turn);
    EXPECT_FALSE(turned());
    EXPECT_TRUE(ReadHistory(f.folder.path()).back().undone);
    // The turn back gave the picture a new identity: the renumbering is still undone.
    ASSERT_EQ(UndoLastOperation(f.folder.path()).undoneCount, 2);
    EXPECT_EQ(f.folder.names(), camera);
    EXPECT_EQ(PlanUndo(f.folder.path()).status, UndoPlan::Status::Nothing);
    ASSERT_EQ(RedoLastUndo(f.folder.path()).plan.operation.kind, OperationKind::Renumber);
    EXPECT_EQ(f.folder.names(), renumbered);
    ASSERT_EQ(RedoLastUndo(f.folder.path()).plan.operation.kind, OperationKind::Turn);
    EXPECT_TRUE(turned());
    EXPECT_EQ(PlanRedo(f.folder.path()).status, UndoPlan::Status::Nothing);

    // A new operation after an undo ends what could be redone.
    UndoLastOperation(f.folder.path());
    RelistByName(f.list);
    renumberAll(f, 7);
    EXPECT_EQ(PlanRedo(f.folder.path()).status, UndoPlan::Status::Nothing);
    EXPECT_EQ(ReadHistory(f.folder.path()).size(), 3u);
}

}  // namespace
}  // namespace lumaro
