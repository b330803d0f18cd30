// A folder's history on disk, and undoing its operations on real files.
#include "core/history/history.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <functional>

#include "core/files/readfile.h"
#include "core/journal/journalformat.h"
#include "core/journal/renamejournal.h"
#include "core/naming/apply.h"
#include "core/naming/renumber.h"
#include "core/naming/undo.h"
#include "core/picturefile/turnpicture.h"
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
        Apply(f.list, {true, -1, {}});
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
    const HistoryOperation first = operationOf(OperationKind::Load, 3);
    HistoryOperation turn = operationOf(OperationKind::Turn, 1);
    turn.effect = OperationEffect::Turn;
    turn.angle = 270;
    turn.lossless = false;
    HistoryOperation moved = operationOf(OperationKind::Transfer, 2);
    moved.effect = OperationEffect::MoveOut;
    moved.place = "/elsewhere/";
    const std::string head = EncodeHistoryFolder("/p/", 64, 9) + EncodeHistoryOperation(first) +
                             EncodeHistoryOperation(turn);
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
    damaged[head.size() - 3] ^= 0x10;
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

TEST_F(HistoryTest, EachKindOfOperationIsUndoneOnDiskAndASecondUndoDoesItAgain) {
    struct Row {
        const char* name;
        std::function<void(NamingFolder&, const std::string& other, const TrashHooks&)> operate;
        Names after;  // the names in the folder once the operation is done
    };
    const Row rows[] = {
        {"renumber",
         [](NamingFolder& f, const std::string&, const TrashHooks&) { renumberAll(f, 2); },
         {"02  a.jpg", "03  b.jpg", "04  c.jpg"}},
        {"transfer",
         [](NamingFolder& f, const std::string& other, const TrashHooks&) {
             const std::vector<PictureEntry> moved{f.list.avant[1]};
             const auto outcomes = TransferPictures(f.list.currentFolder, moved, other);
             RecordTransfer(f.list.currentFolder, other, moved, outcomes);
         },
         {"01  a.jpg", "03  c.jpg"}},
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
         {"02  b.jpg"}},
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
        UndoLastOperation(f.folder.path(), trash);
        EXPECT_EQ(disk(f.folder), after);
        EXPECT_EQ(ReadHistory(f.folder.path()).size(), 3u);
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

}  // namespace
}  // namespace lumaro
