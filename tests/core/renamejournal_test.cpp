// The rename journal: its bytes, operations stopped after every possible rename and finished
// by the repair, and journals that must not be trusted.
#include "core/journal/renamejournal.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

#include "core/journal/journalformat.h"
#include "core/renaming/apply.h"
#include "core/renaming/folderload.h"
#include "core/renaming/move.h"
#include "core/renaming/renumber.h"
#include "namingfolder.h"
#include "stoppedchild.h"

namespace lumaro {
namespace {

using Names = std::vector<std::string>;

ino_t serialOf(const PictureFolder& folder, const std::string& name) {
    struct stat st;
    return stat(folder.pathOf(name).c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(RenameJournalTest, NamesWithAnyByteComeBackExactlyAndOnlyACompleteJournalCounts) {
    const Names names = {"0001  a.jpg", "0001x\n2 b\t.JPG", "12:3 4",
                         std::string("\xff\xfe ") + "\r"};
    std::string bytes = JournalHeader();
    for (size_t i = 0; i < names.size(); ++i) {
        bytes += EncodeJournalRecord(100 + i, names[i], i % 2 ? "" : names[(i + 1) % names.size()],
                                     names[(i + 2) % names.size()]);
    }
    bytes += JournalEnd(names.size());
    const std::string complete = bytes + EncodeTemporaryNote(1, "0009x\n.jpg");
    const auto records = ParseJournal(complete);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ((*records)[i].serial, 100 + i);
        EXPECT_EQ((*records)[i].oldName, names[i]);
        EXPECT_EQ((*records)[i].newName, names[(i + 2) % names.size()]);
    }
    EXPECT_EQ((*records)[1].temporaryNames, (Names{"0009x\n.jpg"}));
    EXPECT_EQ((*records)[2].temporaryNames, (Names{names[3]}));
    // Cut anywhere before its end line was complete, with or without the zeros a power cut
    // may leave after it: written before any rename, never used.
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        for (const std::string& tail : {std::string(), std::string(7, '\0')}) {
            EXPECT_FALSE(ParseJournal(complete.substr(0, cut) + tail)) << "cut at " << cut;
            EXPECT_TRUE(IsJournalCutShort(complete.substr(0, cut) + tail)) << "cut at " << cut;
        }
    }
    EXPECT_FALSE(IsJournalCutShort(complete));
    // A note cut short was never acted on: the records still count, without it.
    const auto noteCut =
        ParseJournal(complete.substr(0, complete.size() - 3) + std::string(9, '\0'));
    ASSERT_TRUE(noteCut);
    EXPECT_EQ((*noteCut)[1].temporaryNames, Names{});
}

TEST(RenameJournalTest, JournalsThatCouldNotComeFromAnOperationAreRefused) {
    const std::string end = JournalEnd(1);
    const std::string one = EncodeJournalRecord(1, "a", "", "b");
    const struct {
        const char* why;
        std::string bytes;
        bool cutShort;  // may still be the beginning of a journal: it is dropped, not kept
    } rows[] = {
        {"another version", "lumaro-journal 3\n" + one + end, false},
        {"a companion before any picture", JournalHeader() + "C 1 1:a 0: 1:b\n" + end, false},
        {"a companion in a journal of pictures only",
         "lumaro-journal 1\n" + one + "C 2 1:c 0: 1:d\n" + JournalEnd(2), false},
        {"a name with a slash", JournalHeader() + EncodeJournalRecord(1, "../a", "", "b") + end,
         false},
        {"a name that is the folder", JournalHeader() + EncodeJournalRecord(1, "a", "", "..") + end,
         false},
        {"a length past the end", JournalHeader() + "P 1 1:a 0: 999:b\n" + end, true},
        {"a count that does not match", JournalHeader() + one + JournalEnd(2), false},
        {"an empty old name", JournalHeader() + "P 1 0: 0: 1:b\n" + end, false},
        {"a name with a NUL byte",
         JournalHeader() + EncodeJournalRecord(1, std::string("a\0b", 3), "", "b") + end, false},
        {"the journal's own name",
         JournalHeader() + EncodeJournalRecord(1, "a", kRenameJournalName, "b") + end, false},
        {"a kept journal's name",
         JournalHeader() + EncodeJournalRecord(1, ".lumaro-journal.unreadable", "", "b") + end,
         false},
        {"a note that is not one", JournalHeader() + one + end + "T 0 1:c\nX\n", false},
        {"a note for no picture", JournalHeader() + one + end + EncodeTemporaryNote(1, "c"), false},
        {"zeros inside", JournalHeader() + std::string(4, '\0') + one + end, false},
    };
    for (const auto& row : rows) {
        EXPECT_FALSE(ParseJournal(row.bytes)) << row.why;
        EXPECT_EQ(IsJournalCutShort(row.bytes), row.cutShort) << row.why;
    }
}

TEST(RenameJournalTest, JournalHoldsTheWholePlanWhileRenamingAndIsGoneAfter) {
    NamingFolder f({"0001  a", "0002  b", "0003  c"});
    ASSERT_EQ(Renumber(f.list, {0, 1, 2}, 2, "4").outcome, RenumberOutcome::Proposed);
    std::optional<std::vector<JournalRecord>> during;
    ApplyOptions options;
    options.lastWasRenumber = true;
    options.progress = [&](int done, int) {
        if (done == 0 && !during) during = ParseJournal(f.folder.read(kRenameJournalName));
    };
    const ino_t serialOfA = serialOf(f.folder, "0001  a.jpg");
    Apply(f.list, options);
    ASSERT_TRUE(during && during->size() == 3);
    const JournalRecord* a = nullptr;
    for (const JournalRecord& record : *during) {
        if (record.oldName == "0001  a.jpg") a = &record;
    }
    ASSERT_TRUE(a);
    EXPECT_EQ(a->serial, serialOfA);
    EXPECT_EQ(a->temporaryNames, (Names{"0002x a.jpg"}));
    EXPECT_EQ(a->newName, "0002  a.jpg");
    EXPECT_EQ(f.folder.names(), (Names{"0002  a.jpg", "0003  b.jpg", "0004  c.jpg"}));
}

// Every place an apply, a cancel apply and a move acceptance can stop at: afterwards the
// repair gives every picture its planned name and the folder holds the same files.
TEST(RenameJournalTest, OperationStoppedAfterAnyRenameIsFinishedByTheRepair) {
    const Names start = {"0001  a", "0002  b", "0003  c", "0004  d"};
    struct Operation {
        const char* name;
        std::function<void(PictureList&)> prepare, run;
        std::map<std::string, std::string> planned;  // new base -> old base
    };
    const Operation operations[] = {
        {"renumbering",
         [](PictureList& l) {
             Renumber(l, {0, 1, 2, 3}, 2, "4");
         },
         [](PictureList& l) {
             Apply(l, {true, -1, {}});
         },
         {{"0002  a", "0001  a"},
          {"0003  b", "0002  b"},
          {"0004  c", "0003  c"},
          {"0005  d", "0004  d"}}},
        {"cancel apply",
         [](PictureList& l) {
             Renumber(l, {0, 1, 2, 3}, 2, "4");
             Apply(l, {true, -1, {}});
         },
         [](PictureList& l) { CancelApply(l); },
         {{"0001  a", "0001  a"},
          {"0002  b", "0002  b"},
          {"0003  c", "0003  c"},
          {"0004  d", "0004  d"}}},
        // A rotation: stopped before the first rename and after the last, the names alone
        // look the same; the files tell the two apart.
        {"move acceptance",
         [](PictureList& l) {
             bool moving = false;
             BeginMove(l, {3}, moving, 0);
             MoveBlock(l, 0);
         },
         [](PictureList& l) {
             bool moving = true;
             AcceptMove(l, moving);
         },
         {{"0001  d", "0004  d"},
          {"0002  a", "0001  a"},
          {"0003  b", "0002  b"},
          {"0004  c", "0003  c"}}},
    };
    for (const Operation& op : operations) {
        for (long long stop = 0; stop <= 8; ++stop) {
            NamingFolder f(start);
            op.prepare(f.list);
            ASSERT_TRUE(RunStoppedAfter(stop, [&] { op.run(f.list); })) << op.name << " " << stop;
            ASSERT_TRUE(f.folder.names().size() == 5) << "journal left behind";
            const JournalRepair repair = RepairInterruptedRenames(f.folder.path());
            EXPECT_TRUE(repair.journalFound);
            EXPECT_TRUE(repair.failures.empty()) << op.name << " " << stop;
            Names expected;
            for (const auto& [to, from] : op.planned) {
                expected.push_back(to + ".jpg");
                EXPECT_EQ(f.originOf(to), from)
                    << op.name << " stopped after " << stop << ": " << to;
            }
            EXPECT_EQ(f.folder.names(), expected) << op.name << " stopped after " << stop;
        }
    }
}

TEST(RenameJournalTest, RepairMovesOnlyThePlannedFilesAndNeverOntoAName) {
    PictureFolder folder;
    folder.write("0001  a.jpg");
    folder.write("0002  b.jpg");
    folder.write("0003x c.jpg");  // on its temporary name
    folder.write("0009  z.jpg");  // a stranger on a planned new name
    std::string journal = JournalHeader();
    // a: nothing done yet; b: its new name is taken by a file the plan never knew;
    // c: on its temporary name; d: recorded with the serial of a file that is not it.
    journal += EncodeJournalRecord(serialOf(folder, "0001  a.jpg"), "0001  a.jpg", "0005x a.jpg",
                                   "0005  a.jpg");
    journal += EncodeJournalRecord(serialOf(folder, "0002  b.jpg"), "0002  b.jpg", "0009x z.jpg",
                                   "0009  z.jpg");
    journal += EncodeJournalRecord(serialOf(folder, "0003x c.jpg"), "0003  c.jpg", "0003x c.jpg",
                                   "0007  c.jpg");
    journal += EncodeJournalRecord(serialOf(folder, "0001  a.jpg") + 999, "0009  z.jpg", "",
                                   "0010  z.jpg");
    journal += JournalEnd(4);
    folder.write(kRenameJournalName, journal);
    const JournalRepair repair = RepairInterruptedRenames(folder.path());
    EXPECT_EQ(repair.renamedNames, (Names{"0005  a.jpg", "0007  c.jpg"}));
    ASSERT_EQ(repair.failures.size(), 1u);
    EXPECT_EQ(repair.failures[0].fromName, "0002  b.jpg");
    EXPECT_EQ(folder.names(), (Names{"0002  b.jpg", "0005  a.jpg", "0007  c.jpg", "0009  z.jpg"}));
    EXPECT_EQ(folder.read("0009  z.jpg"), "content of 0009  z.jpg");
    EXPECT_EQ(folder.read("0007  c.jpg"), "content of 0003x c.jpg");
}

// A journal cut before its end goes; one that holds its end but cannot be read stays, under a
// hidden name beside the earlier ones, since it alone may tell what a picture on a temporary
// name was.
TEST(RenameJournalTest, HalfWrittenJournalGoesAndAnUnreadableOneIsKeptBesideThePictures) {
    const std::string half =
        JournalHeader() + EncodeJournalRecord(1, "0001  a.jpg", "", "0002  a.jpg");
    const std::string kept = std::string(kRenameJournalName) + ".unreadable";
    PictureFolder folder;
    folder.write("0001x a.jpg");
    folder.write(kept, "kept before");
    const struct {
        std::string bytes;
        std::string keptAs;  // empty: removed
    } rows[] = {
        {half, ""},
        {half + std::string(300, '\0'), ""},
        {"\x89PNG garbage\n0001  a.jpg\n", kept + "-2"},
        {"lumaro-journal 3\nP 1 11:0001x a.jpg 0: 11:0001  a.jpg\nend 1\n", kept + "-3"},
    };
    Names names = folder.names();
    for (const auto& row : rows) {
        folder.write(kRenameJournalName, row.bytes);
        const JournalRepair repair = RepairInterruptedRenames(folder.path());
        EXPECT_TRUE(repair.journalFound);
        EXPECT_EQ(repair.count(), 0);
        EXPECT_EQ(repair.keptJournal, row.keptAs);
        if (!row.keptAs.empty()) {
            names.push_back(row.keptAs);
            std::sort(names.begin(), names.end());
            EXPECT_EQ(folder.read(row.keptAs), row.bytes);
        }
        EXPECT_EQ(folder.names(), names);
    }
    EXPECT_EQ(folder.read(kept), "kept before");
    EXPECT_EQ(folder.read("0001x a.jpg"), "content of 0001x a.jpg");

    // A journal that gives its own file as a picture on a temporary name: the repair must not
    // rename the journal onto a picture's name.
    PictureFolder other;
    other.write("0001  a.jpg");
    other.write(kRenameJournalName);
    std::string journal = JournalHeader();
    journal += EncodeJournalRecord(serialOf(other, kRenameJournalName), "0002  b.jpg",
                                   kRenameJournalName, "0003  b.jpg");
    other.write(kRenameJournalName, journal + JournalEnd(1));
    EXPECT_EQ(RepairInterruptedRenames(other.path()).count(), 0);
    EXPECT_EQ(other.names(), (Names{kept, "0001  a.jpg"}));
}

TEST(RenameJournalTest, RenameStoppedBetweenItsLinkAndUnlinkLeavesOneName) {
    PictureFolder folder;
    folder.write("0001  a.jpg");
    ASSERT_EQ(link(folder.pathOf("0001  a.jpg").c_str(), folder.pathOf("0002x a.jpg").c_str()), 0);
    folder.write(kRenameJournalName,
                 JournalHeader() +
                     EncodeJournalRecord(serialOf(folder, "0001  a.jpg"), "0001  a.jpg",
                                         "0002x a.jpg", "0002  a.jpg") +
                     JournalEnd(1));
    RepairInterruptedRenames(folder.path());
    EXPECT_EQ(folder.names(), Names{"0002  a.jpg"});
    EXPECT_EQ(folder.read("0002  a.jpg"), "content of 0001  a.jpg");
}

TEST(RenameJournalTest, FolderLoadFinishesAStoppedCompletionAndSaysWhatItRenamed) {
    NamingFolder f({"0001  a", "0002  b", "x", "y"});
    PictureList list;
    list.currentFolder = f.folder.path();
    list.fileType = "jpg";
    ASSERT_TRUE(RunStoppedAfter(1, [&] { LoadFolder(list, {}); }));
    ASSERT_EQ(f.folder.names(),
              (Names{".lumaro-journal", "0001  a.jpg", "0002  b.jpg", "0003--.jpg", "y.jpg"}));
    const LoadFolderResult result = LoadFolder(list, {});
    EXPECT_EQ(result.repair.renamedNames, Names{"0004--.jpg"});
    EXPECT_TRUE(result.namesChanged);
    EXPECT_EQ(f.folder.names(), (Names{"0001  a.jpg", "0002  b.jpg", "0003--.jpg", "0004--.jpg"}));
    EXPECT_EQ(f.originOf("0004--"), "y");
    EXPECT_EQ(list.avant.size(), 4u);
}

TEST(RenameJournalTest, SwitchedOffJournalLeavesNoFileAndStillRenames) {
    NamingFolder f({"0001  a", "0002  b"});
    Renumber(f.list, {0, 1}, 5, "4");
    bool journalSeen = false;
    ApplyOptions options;
    options.progress = [&](int, int) { journalSeen |= !f.folder.read(kRenameJournalName).empty(); };
    SetRenameJournalEnabled(false);
    Apply(f.list, options);
    SetRenameJournalEnabled(true);
    EXPECT_FALSE(journalSeen);
    EXPECT_EQ(f.listed(), (Names{"0005  a", "0006  b"}));
}

}  // namespace
}  // namespace lumaro
