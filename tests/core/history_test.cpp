// A folder's history on disk: its records, its size bound, the folder it follows.
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
#include "namingfolder.h"

namespace lumaro {
namespace {

using Names = std::vector<std::string>;

// Every test keeps its histories in a state folder of its own.
class HistoryTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_STATE_HOME", state.path().c_str(), 1); }
    void TearDown() override { SetHistoryBound(kHistoryBound); }

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
