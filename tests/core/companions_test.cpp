// Companion files (raw files, videos, sidecars) found beside their pictures and carried along by
// every rename, move to another folder, interrupted operation and its repair.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <map>

#include "core/files/transfer.h"
#include "core/journal/journalformat.h"
#include "core/journal/renamejournal.h"
#include "core/naming/picturelisting.h"
#include "core/renaming/apply.h"
#include "core/renaming/renumber.h"
#include "namingfolder.h"
#include "stoppedchild.h"

namespace lumaro {
namespace {

using Names = std::vector<std::string>;

std::map<std::string, Names> companionsByPicture(const std::string& folder, ListCriterion by) {
    std::map<std::string, Names> found;
    for (const PictureEntry& entry : ListPictures(folder, "jpg", by).entries) {
        found[entry.fileName()] = entry.companions;
    }
    return found;
}

TEST(CompanionsTest, EveryKindIsFoundAndAFileTwoPicturesCouldClaimGoesToTheLongerName) {
    PictureFolder f;
    for (const char* name :
         {"DSC_0003.jpg", "DSC_0003.NEF", "DSC_0003.xmp", "DSC_0003.NEF.xmp", "DSC_0003.jpg.xmp",
          "IMG_1234.jpg", "IMG_1234.MOV", "IMG_1234.AAE", "a.jpg", "a.b.jpg", "a.b.xmp", "a.c.xmp",
          "x.jpg", "x.JPG", "x.NEF", "ab.NEF", "a", "y.jpg.JPG"}) {
        f.write(name);
    }
    f.write("e.jpg", "");  // empty: not listed, and neither it nor e.NEF a companion
    f.write("e.NEF");
    const std::map<std::string, Names> expected = {
        {"DSC_0003.jpg", {".jpg.xmp", ".NEF", ".NEF.xmp", ".xmp"}},
        {"IMG_1234.jpg", {".AAE", ".MOV"}},
        {"a.jpg", {".c.xmp"}},
        {"a.b.jpg", {".xmp"}},
        {"x.JPG", {".NEF"}},  // two pictures named x: the first in name order
        {"x.jpg", {}},
        {"y.jpg.JPG", {}},  // a picture of the type is never a companion of "y.jpg"
    };
    EXPECT_EQ(companionsByPicture(f.path(), ListCriterion::Name), expected);
    EXPECT_EQ(companionsByPicture(f.path(), ListCriterion::Date), expected);
}

// A folder of numbered pictures, every second one with a raw file and a sidecar.
struct CameraFolder : NamingFolder {
    explicit CameraFolder(const Names& bases) : NamingFolder(bases) {
        for (size_t i = 0; i < bases.size(); i += 2) {
            folder.write(bases[i] + ".NEF");
            folder.write(bases[i] + ".jpg.xmp");
        }
        RelistByName(list);
    }
    // The file now named `name` came from the file named `origin + rest`.
    bool holds(const std::string& name, const std::string& origin) const {
        return folder.read(name) == "content of " + origin;
    }
};

TEST(CompanionsTest, ApplyRenamesEachPictureWithItsCompanionsAndAGroupWithATakenNameStaysWhole) {
    CameraFolder f({"0001  a", "0002  b", "0003  c"});
    f.folder.write("0004  c.jpg.xmp", "someone else's");  // the new name of 0003's sidecar
    Renumber(f.list, {0, 1, 2}, 2, "4");
    const ApplyResult applied = Apply(f.list, {true, -1, {}});
    ASSERT_EQ(applied.failures.size(), 1u);
    EXPECT_EQ(applied.failures[0].fromName, "0003  c.jpg.xmp");
    const std::pair<const char*, const char*> expected[] = {
        {"0002  a.jpg", "0001  a.jpg"},         {"0002  a.NEF", "0001  a.NEF"},
        {"0002  a.jpg.xmp", "0001  a.jpg.xmp"}, {"0003  b.jpg", "0002  b.jpg"},
        {"0003  c.jpg", "0003  c.jpg"},         {"0003  c.NEF", "0003  c.NEF"},
        {"0003  c.jpg.xmp", "0003  c.jpg.xmp"},
    };
    for (const auto& [name, origin] : expected) EXPECT_TRUE(f.holds(name, origin)) << name;
    EXPECT_EQ(f.folder.names().size(), 8u);
    EXPECT_EQ(f.folder.read("0004  c.jpg.xmp"), "someone else's");
    // Cancelling takes every group back, companions included.
    CancelApply(f.list);
    for (const char* name : {"0001  a.jpg", "0001  a.NEF", "0001  a.jpg.xmp", "0002  b.jpg"}) {
        EXPECT_TRUE(f.holds(name, name)) << name;
    }
}

TEST(CompanionsTest, ApplyStoppedAfterAnyRenameIsRepairedWithNoCompanionApartFromItsPicture) {
    const Names start = {"0001  a", "0002  b", "0003  c", "0004  d"};
    const Names rests = {".jpg", ".NEF", ".jpg.xmp"};
    // 4 pictures and 4 companions, each through a temporary name: 16 renames.
    for (long long stop = 0; stop <= 16; ++stop) {
        CameraFolder f(start);
        Renumber(f.list, {0, 1, 2, 3}, 2, "4");
        ASSERT_TRUE(RunStoppedAfter(stop, [&] { Apply(f.list, {true, -1, {}}); })) << stop;
        const JournalRepair repair = RepairInterruptedRenames(f.folder.path());
        EXPECT_TRUE(repair.failures.empty()) << stop;
        for (size_t i = 0; i < start.size(); ++i) {
            const std::string renamed = "000" + std::to_string(i + 2) + start[i].substr(4);
            for (size_t r = 0; r < (i % 2 ? 1 : rests.size()); ++r) {
                EXPECT_TRUE(f.holds(renamed + rests[r], start[i] + rests[r]))
                    << "stopped after " << stop << ": " << renamed + rests[r];
            }
        }
        EXPECT_EQ(f.folder.names().size(), 8u) << "a temporary name or the journal is left";
    }
}

TEST(CompanionsTest, JournalOfThePicturesOnlyFormatIsStillRepaired) {
    CameraFolder f({"01", "02"});
    // Stopped after its first pass: both pictures on their temporary names.
    rename(f.folder.pathOf("01.jpg").c_str(), f.folder.pathOf("02x.jpg").c_str());
    rename(f.folder.pathOf("02.jpg").c_str(), f.folder.pathOf("03x.jpg").c_str());
    struct stat first, second;
    stat(f.folder.pathOf("02x.jpg").c_str(), &first);
    stat(f.folder.pathOf("03x.jpg").c_str(), &second);
    const std::string journal =
        "lumaro-journal 1\n" + EncodeJournalRecord(first.st_ino, "01.jpg", "02x.jpg", "02.jpg") +
        EncodeJournalRecord(second.st_ino, "02.jpg", "03x.jpg", "03.jpg") + JournalEnd(2);
    f.folder.write(kRenameJournalName, journal);
    const JournalRepair repair = RepairInterruptedRenames(f.folder.path());
    EXPECT_EQ(repair.renamedNames, (Names{"02.jpg", "03.jpg"}));
    EXPECT_TRUE(f.holds("02.jpg", "01.jpg"));
    EXPECT_TRUE(f.holds("03.jpg", "02.jpg"));
    EXPECT_EQ(f.folder.names(), (Names{"01.NEF", "01.jpg.xmp", "02.jpg", "03.jpg"}));
}

TEST(CompanionsTest, MovedPictureTakesEveryCompanionUnderItsFreeNameAndOneUnwrittenKeepsAll) {
    PictureFolder from, to;
    for (const char* name : {"IMG_1.jpg", "IMG_1.NEF", "IMG_1.MOV", "IMG_1.jpg.xmp", "IMG_2.jpg"})
        from.write(name);
    from.write("IMG_2.NEF", std::string(5000, 'r'));  // too large for the limit below
    to.write("IMG_1.jpg", "already there");
    std::vector<PictureEntry> pictures =
        ListPictures(from.path(), "jpg", ListCriterion::Name).entries;
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        const std::vector<TransferOutcome> o = TransferPictures(from.path(), pictures, to.path());
        _exit(o.size() == 2 && o[0].moved() && !o[1].moved() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(from.names(), (Names{"IMG_2.NEF", "IMG_2.jpg"}));
    EXPECT_EQ(to.names(), (Names{"IMG_1 (2).MOV", "IMG_1 (2).NEF", "IMG_1 (2).jpg",
                                 "IMG_1 (2).jpg.xmp", "IMG_1.jpg"}));
    EXPECT_EQ(to.read("IMG_1 (2).jpg.xmp"), "content of IMG_1.jpg.xmp");
}

}  // namespace
}  // namespace lumaro
