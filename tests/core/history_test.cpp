// A folder's history on disk, and undoing its operations on real files.
#include "core/history/history.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "core/files/readfile.h"
#include "core/journal/journalformat.h"
#include "core/journal/renamejournal.h"
#include "core/renaming/apply.h"
#include "core/renaming/renumber.h"
#include "core/turning/turnpicture.h"
#include "core/undo/undo.h"
#include "namingfolder.h"
#include "turnjpegs.h"

namespace lumaro {
namespace {

using Names = std::vector<std::string>;

// Every test keeps its histories in a state folder of its own.
class HistoryTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_STATE_HOME", state.path().c_str(), 1); }
    void TearDown() override { SetHistoryBound(kHistoryBound); }

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
        const ApplyResult applied = Apply(f.list, {true, -1, {}});
        // Recorded as the operations layer records an applied renumbering.
        std::vector<FileRename> renames;
        std::vector<bool> companions;
        for (const RenamePair& pair : applied.done) {
            for (const FileRename& file : FileRenamesOf(pair)) {
                companions.push_back(file.oldName != pair.from.fileName());
                renames.push_back(file);
            }
        }
        RecordOperation(f.folder.path(),
                        RenameOperation(OperationKind::Renumber, renames, companions));
    }

    PictureFolder state;
};

HistoryOperation operationOf(OperationKind kind, int files) {
    HistoryOperation operation;
    operation.kind = kind;
    operation.time = 1700000000 + files;
    for (int i = 0; i < files; ++i) {
        operation.files.push_back({"IMG_" + std::to_string(i) + ".jpg",
                                   "0" + std::to_string(i) + "\n\t.jpg", 64, 1000u + i, 77, -5});
    }
    return operation;
}

TEST_F(HistoryTest, ACutOrDamagedRecordIsSkippedAndEveryOtherOperationStillReads) {
    // The first as an older version wrote it (no id): it reads with its place as its id.
    HistoryOperation first = operationOf(OperationKind::Load, 3);
    const std::string older = EncodeHistoryOperation(first);
    first.id = 1;
    HistoryOperation turn = operationOf(OperationKind::Turn, 1);
    turn.effect = OperationEffect::Turn;
    turn.angle = 270;
    turn.lossless = false;
    turn.id = 1700000000000000000;
    HistoryOperation moved = operationOf(OperationKind::Transfer, 2);
    moved.effect = OperationEffect::MoveOut;
    moved.place = "/elsewhere/";
    moved.files[1].companion = true;
    moved.id = turn.id + 1;
    moved.step = HistoryStep::Undo;
    moved.target = turn.id;
    const std::string head =
        EncodeHistoryFolder("/p/", 64, 9) + older + EncodeHistoryOperation(turn);
    const std::string last = EncodeHistoryOperation(moved);
    const ParsedHistory whole = ParseHistory(head + last);
    EXPECT_EQ(whole.folder, "/p/");
    EXPECT_EQ(whole.operations, (std::vector<HistoryOperation>{first, turn, moved}));
    for (size_t cut = 0; cut < last.size(); ++cut) {
        const ParsedHistory history = ParseHistory(head + last.substr(0, cut));
        ASSERT_EQ(history.operations, (std::vector<HistoryOperation>{first, turn})) << cut;
        EXPECT_EQ(history.skippedBytes, cut);
    }
    // One flipped byte in the middle record, and a record cut before the next was appended.
    std::string damaged = head + last;
    damaged[head.size() - 30] ^= 0x10;
    EXPECT_EQ(ParseHistory(damaged).operations, (std::vector<HistoryOperation>{first, moved}));
    const std::string cutInside = head.substr(0, head.size() - 5) + last;
    EXPECT_EQ(ParseHistory(cutInside).operations, (std::vector<HistoryOperation>{first, moved}));
}

TEST_F(HistoryTest, AnOperationIsFoundUnderAnotherSpellingOfItsFolderAndNeverInTheFolder) {
    NamingFolder f({"01  a", "02  b"});
    renumberAll(f, 5);
    const std::string& path = f.folder.path();
    const std::string leaf = path.substr(path.rfind('/', path.size() - 2) + 1);
    const std::vector<HistoryOperation> history = ReadHistory(path + "./../" + leaf);
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].kind, OperationKind::Renumber);
    EXPECT_EQ(NamesOf(history[0]),
              (std::vector<FileRename>{{"02  b.jpg", "06  b.jpg"}, {"01  a.jpg", "05  a.jpg"}}));
    HistoryFile now = history[0].files[1];
    ASSERT_TRUE(ReadIdentity(f.folder.pathOf("05  a.jpg"), now));
    EXPECT_EQ(now, history[0].files[1]);
    EXPECT_NE(now.inode, history[0].files[0].inode);
    EXPECT_EQ(f.folder.names(), (Names{"05  a.jpg", "06  b.jpg"}));
    EXPECT_EQ(HistoryPathOf(path).rfind(state.path() + "lumaro/", 0), 0u);
}

TEST_F(HistoryTest, TheSizeBoundKeepsTheFirstOperationWithTheCameraNamesAndTheNewest) {
    PictureFolder folder;
    folder.write("a.jpg");
    SetHistoryBound(2000);
    for (int i = 0; i < 40; ++i) {
        RecordOperation(folder.path(), RenameOperation(OperationKind::Apply,
                                                       {{"n" + std::to_string(i), "a.jpg"}}));
    }
    const std::vector<HistoryOperation> history = ReadHistory(folder.path());
    std::string bytes;
    ReadWholeFile(HistoryPathOf(folder.path()), bytes);
    EXPECT_LE(bytes.size(), 2000u);
    EXPECT_EQ(ParseHistory(bytes).skippedBytes, 0u);
    ASSERT_GT(history.size(), 5u);
    EXPECT_LT(history.size(), 40u);
    EXPECT_EQ(history.front().files[0].oldName, "n0");
    EXPECT_EQ(history.back().files[0].oldName, "n39");
    EXPECT_EQ(history[1].files[0].oldName, "n" + std::to_string(40 - history.size() + 1));
}

// A Trash that is a folder beside the pictures, as the window's and command line's would be.
TrashHooks folderTrash(const std::string& trash) {
    mkdir(trash.c_str(), 0700);
    TrashHooks hooks;
    hooks.toTrash = [trash](const std::string& path, std::string& pathInTrash) -> std::string {
        pathInTrash = trash + path.substr(path.rfind('/') + 1);
        return renameNoReplace(path, pathInTrash).ok() ? "" : "refused";
    };
    hooks.fromTrash = [](const std::string& pathInTrash, const std::string& path) -> std::string {
        return renameNoReplace(pathInTrash, path).ok() ? "" : "refused";
    };
    return hooks;
}

TEST_F(HistoryTest, EachKindOfOperationIsUndoneOnDiskAndARedoDoesItAgain) {
    struct Row {
        const char* name;
        std::function<void(NamingFolder&, const std::string& other, const TrashHooks&)> operate;
        Names after;   // the names in the folder once the operation is done
        size_t moved;  // files the operation changed
    };
    const Row rows[] = {
        {"renumber",
         [](NamingFolder& f, const std::string&, const TrashHooks&) { renumberAll(f, 2); },
         {"02  a.jpg", "03  b.jpg", "04  c.jpg"},
         3},
        {"transfer",
         [](NamingFolder& f, const std::string& other, const TrashHooks&) {
             const std::vector<PictureEntry> moved{f.list.avant[1]};
             const auto outcomes = TransferPictures(f.list.currentFolder, moved, other);
             RecordTransfer(f.list.currentFolder, other, moved, outcomes);
         },
         {"01  a.jpg", "03  c.jpg"},
         1},
        {"delete",
         [](NamingFolder& f, const std::string&, const TrashHooks& trash) {
             HistoryOperation deleted;
             deleted.kind = OperationKind::Delete;
             deleted.effect = OperationEffect::ToTrash;
             for (const char* name : {"01  a.jpg", "03  c.jpg"}) {
                 std::string inTrash;
                 trash.toTrash(f.folder.pathOf(name), inTrash);
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
        const TrashHooks trash = folderTrash(other.path() + "trash/");
        const Names before = disk(f.folder);
        row.operate(f, other.path(), trash);
        const Names after = disk(f.folder);
        EXPECT_EQ(f.folder.names(), row.after);
        ASSERT_EQ(PlanUndo(f.folder.path()).status, UndoPlan::Status::Ready);
        const UndoResult undone = UndoLastOperation(f.folder.path(), trash);
        EXPECT_TRUE(undone.failures.empty());
        EXPECT_EQ(disk(f.folder), before);
        EXPECT_TRUE(ReadHistory(f.folder.path()).at(0).undone);
        EXPECT_EQ(UndoLastOperation(f.folder.path(), trash).plan.status, UndoPlan::Status::Nothing);
        EXPECT_EQ(RedoLastUndo(f.folder.path(), trash).undoneCount, static_cast<int>(row.moved));
        EXPECT_EQ(disk(f.folder), after);
        EXPECT_EQ(ReadHistory(f.folder.path()).size(), 1u);
        // Undone and redone as often as one likes: every step finds the files where the last left
        // them, with the identity it recorded (a transfer's copies are new files each time).
        UndoLastOperation(f.folder.path(), trash);
        EXPECT_EQ(disk(f.folder), before);
        RedoLastUndo(f.folder.path(), trash);
        EXPECT_EQ(disk(f.folder), after);
    }
}

TEST_F(HistoryTest, ALosslessTurnIsTurnedBackAndALossyOneIsNeverTurnedAgain) {
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

TEST_F(HistoryTest, AnOperationWhoseFileWasRenamedReplacedOrChangedIsNotUndone) {
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

TEST_F(HistoryTest, AnOperationFinishedByTheRepairIsRecordedWholeByIt) {
    NamingFolder f({"01 a", "02 b"});
    // Stopped after the first of two renames: one picture bears its new name, one its old.
    ASSERT_TRUE(renameNoReplace(f.folder.pathOf("01 a.jpg"), f.folder.pathOf("05 a.jpg")).ok());
    struct stat a, b;
    stat(f.folder.pathOf("05 a.jpg").c_str(), &a);
    stat(f.folder.pathOf("02 b.jpg").c_str(), &b);
    std::string journal = JournalHeader();
    AppendJournalRecord(journal, a.st_ino, "01 a.jpg", "", "05 a.jpg");
    AppendJournalRecord(journal, b.st_ino, "02 b.jpg", "", "06 b.jpg");
    f.folder.write(kRenameJournalName, journal + JournalEnd(2));
    RepairInterruptedRenames(f.folder.path());
    const std::vector<HistoryOperation> history = ReadHistory(f.folder.path());
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].kind, OperationKind::Repair);
    EXPECT_EQ(NamesOf(history[0]),
              (std::vector<FileRename>{{"01 a.jpg", "05 a.jpg"}, {"02 b.jpg", "06 b.jpg"}}));
}

// A picture and its raw file put back by an undo where a stranger took a name of theirs again.
TEST_F(HistoryTest, AnUndoPutsAPictureBackWithItsCompanionsUnderOneFreeNameOrLeavesThemInTheTrash) {
    const auto transferFirst = [](NamingFolder& f, const std::string& other, const TrashHooks&) {
        const std::vector<PictureEntry> moved{f.list.avant[0]};
        RecordTransfer(f.list.currentFolder, other, moved,
                       TransferPictures(f.list.currentFolder, moved, other));
    };
    const auto deleteFirst = [](NamingFolder& f, const std::string&, const TrashHooks& trash) {
        HistoryOperation deleted = TrashOperation();
        for (const char* name : {"IMG_1.jpg", "IMG_1.NEF"}) {
            std::string inTrash;
            trash.toTrash(f.folder.pathOf(name), inTrash);
            deleted.files.push_back({f.folder.pathOf(name), inTrash});
        }
        deleted.files[1].companion = true;
        RecordByFolder(deleted);
    };
    struct Row {
        const char* name;
        std::vector<std::string> bases;  // the pictures; the first has a raw file
        std::function<void(NamingFolder&, const std::string&, const TrashHooks&)> operate;
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
         [](NamingFolder& f, const std::string&, const TrashHooks&) { renumberAll(f, 5); },
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
        const TrashHooks trash = folderTrash(other.path() + "trash/");
        row.operate(f, other.path(), trash);
        if (!row.stranger.empty()) f.folder.write(row.stranger, "stranger");
        const UndoPlan plan = PlanUndo(f.folder.path());
        ASSERT_EQ(plan.status, UndoPlan::Status::Ready);
        const UndoResult undone = UndoLastOperation(f.folder.path(), trash, &plan);
        EXPECT_EQ(disk(f.folder), row.after);
        EXPECT_EQ(plan.kept.size(), row.kept);
        EXPECT_EQ(undone.failures, plan.kept);
        EXPECT_EQ(undone.done, plan.moves);  // the plan a dry run shows is what the run does
        if (row.kept > 0) EXPECT_EQ(other.names(), Names{"trash"});
    }
}

TEST_F(HistoryTest, UndoStepsBackOneOperationAtATimeAndRedoTakesTheLastUndoBack) {
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

TEST_F(HistoryTest, AHistoryFollowsItsFolderRenamedOnItsDiskButNeverANewFolderOnAReusedInode) {
    PictureFolder parent;
    const std::string before = parent.path() + "before/";
    const std::string after = parent.path() + "after/";
    mkdir(before.c_str(), 0700);
    std::ofstream(before + "a.jpg") << "a";
    RecordOperation(before, RenameOperation(OperationKind::Apply, {{"x.jpg", "a.jpg"}}));
    ASSERT_EQ(rename(before.c_str(), after.c_str()), 0);
    ASSERT_EQ(ReadHistory(after).size(), 1u);
    RecordOperation(after, RenameOperation(OperationKind::Apply, {{"a.jpg", "a.jpg2"}}));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(HistoryPathOf(after), bytes).ok());
    EXPECT_EQ(ParseHistory(bytes).folder, CanonicalFolder(after));
    EXPECT_EQ(ParseHistory(bytes).operations.size(), 2u);
    size_t histories = 0;  // the one history, taken over under the new path
    for (const auto& entry : std::filesystem::directory_iterator(state.path() + "lumaro"))
        histories += entry.path().extension() == ".history";
    EXPECT_EQ(histories, 1u);

    // A history whose folder was deleted and whose inode a new folder took: its newest
    // operation's file is not in the new folder, so the new folder starts a history of its own.
    struct stat folder, file;
    PictureFolder fresh;
    fresh.write("c.jpg");
    stat(fresh.path().c_str(), &folder);
    stat(fresh.pathOf("c.jpg").c_str(), &file);
    HistoryOperation stale = RenameOperation(OperationKind::Apply, {{"x.jpg", "c.jpg"}});
    stale.files[0] = {"x.jpg", "c.jpg", file.st_dev, file.st_ino + 1, 0, 0};
    const auto write = [&](const HistoryOperation& operation) {
        std::ofstream(state.path() + "lumaro/stale.history")
            << EncodeHistoryFolder("/gone/", folder.st_dev, folder.st_ino)
            << EncodeHistoryOperation(operation);
    };
    write(stale);
    EXPECT_TRUE(ReadHistory(fresh.path()).empty());
    ASSERT_TRUE(ReadIdentity(fresh.pathOf("c.jpg"), stale.files[0]));
    write(stale);
    EXPECT_EQ(ReadHistory(fresh.path()).size(), 1u);
}

}  // namespace
}  // namespace lumaro
