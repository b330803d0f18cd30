// lumaro-cli stopped in the middle of renaming 2,000 pictures, every second one with a raw file
// beside it, by SIGKILL or after a given number of renames: the next load finishes the
// operation, and every file is still there, under the name the operation planned for it; the
// same on disks of other systems, mounted again between the crash and the load.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>

#include "clirun.h"
#include "core/journal/renamejournal.h"
#include "core/naming/numberedname.h"
#include "mountedimage.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

using clitest::CliRun;
using clitest::RunCli;
using clitest::RunStoppableCli;

constexpr int kPictures = 2000;
constexpr int kPicturesOnACard = 40;

uint64_t hashOf(const std::string& bytes) {
    uint64_t hash = 1469598103934665603ULL;  // FNV-1a
    for (const unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ULL;
    return hash;
}

std::string captionOf(int i) { return "p" + std::to_string(i % 7); }

// Pictures 0001 .. `count`, each with bytes of its own, the even ones with a raw file; returns
// name -> hash.
std::map<std::string, uint64_t> writePictures(const PictureFolder& folder, int count = kPictures) {
    std::map<std::string, uint64_t> hashes;
    for (int i = 1; i <= count; ++i) {
        const std::string base = CaptionedName(i, 4, captionOf(i));
        const std::string bytes = "picture " + std::to_string(i) + std::string(i % 97, char(i));
        folder.write(base + ".jpg", bytes);
        hashes[base + ".jpg"] = hashOf(bytes);
        if (i % 2) continue;
        folder.write(base + ".NEF", "raw " + bytes);
        hashes[base + ".NEF"] = hashOf("raw " + bytes);
    }
    return hashes;
}

// The picture `from` and its raw file, when it has one, planned under the base `to`.
template <typename File>
void plan(std::map<std::string, File>& planned, const std::map<std::string, File>& before,
          const std::string& to, const std::string& from) {
    for (const char* rest : {".jpg", ".NEF"}) {
        const auto found = before.find(from + rest);
        if (found != before.end()) planned[to + rest] = found->second;
    }
}

std::map<std::string, uint64_t> hashesIn(const PictureFolder& folder) {
    std::map<std::string, uint64_t> hashes;
    for (const std::string& name : folder.names()) hashes[name] = hashOf(folder.read(name));
    return hashes;
}

struct Moment {
    long stopAfterRenames;  // -1: killed by the clock instead
    long killAfterMicroseconds;
};

// Runs the command stopped at `moment`, then a load; the folder must then hold `planned`.
// Killed by the clock before its plan was on disk, the operation never began: the folder
// must then hold what it held `before`.
void crashThenLoad(const std::vector<std::string>& command, const Moment& moment,
                   const PictureFolder& folder, const std::map<std::string, uint64_t>& before,
                   const std::map<std::string, uint64_t>& planned) {
    std::vector<std::pair<std::string, std::string>> env;
    if (moment.stopAfterRenames >= 0)
        env.emplace_back("LUMARO_STOP_AFTER_RENAMES", std::to_string(moment.stopAfterRenames));
    const CliRun stopped = RunStoppableCli(command, env, moment.killAfterMicroseconds);
    if (moment.stopAfterRenames >= 0) {
        ASSERT_EQ(stopped.code, 86) << stopped.err;
    }
    const std::string dir = folder.path().substr(0, folder.path().size() - 1);
    const CliRun load = RunCli({"load", dir});
    EXPECT_EQ(load.code, 0) << load.err;
    const std::map<std::string, uint64_t> after = hashesIn(folder);
    EXPECT_EQ(after.size(), planned.size());
    const bool neverBegan = moment.stopAfterRenames < 0 && after == before;
    EXPECT_TRUE(after == planned || neverBegan)
        << "stopped after " << moment.stopAfterRenames << " renames, or "
        << moment.killAfterMicroseconds << " us; repair said: " << load.err;
}

// 3,000 files, each renamed twice.
const Moment kMoments[] = {
    {0, 0},    {1, 0},    {999, 0},  {2999, 0},  {3000, 0},   {3001, 0},
    {4444, 0}, {5999, 0}, {6000, 0}, {-1, 6000}, {-1, 18000},  // a whole run takes ~50 ms
};

TEST(CliCrashTest, KilledRenumberingIsFinishedByTheNextLoadWithEveryFileKept) {
    for (const Moment& moment : kMoments) {
        PictureFolder folder;
        const std::map<std::string, uint64_t> before = writePictures(folder);
        std::map<std::string, uint64_t> planned;
        for (int i = 1; i <= kPictures; ++i) {
            plan(planned, before, CaptionedName(i + 100, 4, captionOf(i)),
                 CaptionedName(i, 4, captionOf(i)));
        }
        const std::string dir = folder.path().substr(0, folder.path().size() - 1);
        crashThenLoad({"renumber", dir, "--select", "all", "--start", "101"}, moment, folder,
                      before, planned);
    }
}

TEST(CliCrashTest, KilledMoveAcceptanceIsFinishedByTheNextLoadWithEveryFileKept) {
    for (const Moment& moment : kMoments) {
        PictureFolder folder;
        const std::map<std::string, uint64_t> before = writePictures(folder);
        // The last 500 go to the start: the picture at place p takes the number p.
        std::map<std::string, uint64_t> planned;
        for (int place = 1; place <= kPictures; ++place) {
            const int from = place <= 500 ? 1500 + place : place - 500;
            plan(planned, before, CaptionedName(place, 4, captionOf(from)),
                 CaptionedName(from, 4, captionOf(from)));
        }
        const std::string dir = folder.path().substr(0, folder.path().size() - 1);
        crashThenLoad({"move", dir, "--select", "1501-2000", "--after", "0"}, moment, folder,
                      before, planned);
    }
}

// A renumbering on an exFAT card (which refuses hard links and the no-replace flag, so renames
// go through placeholders, and numbers its files anew at each mount) and on an NTFS disk,
// stopped before its first rename, in the middle of each pass and before its last rename; the
// disk is then mounted again and loaded: every file bears its planned name with its own bytes,
// and no temporary name, placeholder or journal is left.
TEST(CliCrashTest, RenumberingStoppedOnACardIsFinishedByTheLoadAfterAMount) {
    const ImageKind kinds[] = {{"exfat_fuse", "mkfs.exfat", "mount.exfat-fuse"},
                               {"ntfs_3g", "mkfs.ntfs -F -Q -q", "ntfs-3g"}};
    std::string skipped;
    for (const ImageKind& kind : kinds) {
        MountedImage image(kind);
        if (!image.skipReason().empty()) {
            skipped += image.skipReason() + "; ";
            continue;
        }
        // 40 pictures and 20 raw files, each renamed twice.
        for (const long stop : {0L, 30L, 60L, 90L, 119L}) {
            SCOPED_TRACE(std::string(kind.name) + ", stopped after " + std::to_string(stop));
            const PictureFolder folder(image.mountPoint());
            const std::map<std::string, uint64_t> before = writePictures(folder, kPicturesOnACard);
            std::map<std::string, uint64_t> planned;
            for (int i = 1; i <= kPicturesOnACard; ++i)
                plan(planned, before, CaptionedName(i + 1, 4, captionOf(i)),
                     CaptionedName(i, 4, captionOf(i)));
            const std::string dir = folder.path().substr(0, folder.path().size() - 1);
            const CliRun stopped =
                RunStoppableCli({"renumber", dir, "--select", "all", "--start", "2"},
                                {{"LUMARO_STOP_AFTER_RENAMES", std::to_string(stop)}});
            ASSERT_EQ(stopped.code, 86) << stopped.err;
            ASSERT_TRUE(image.unmount());
            ASSERT_TRUE(image.mount());
            const CliRun load = RunCli({"load", dir});
            EXPECT_EQ(load.code, 0) << load.err;
            EXPECT_EQ(hashesIn(folder), planned);
        }
    }
    if (!skipped.empty()) GTEST_SKIP() << skipped;
}

// Every file of a folder by name and the file it is (its inode), the journal left out.
std::map<std::string, ino_t> filesByName(const PictureFolder& folder) {
    std::map<std::string, ino_t> files;
    for (const std::string& name : folder.names()) {
        struct stat st;
        if (name != kRenameJournalName && lstat(folder.pathOf(name).c_str(), &st) == 0)
            files[name] = st.st_ino;
    }
    return files;
}

// A second folder holding the same files under the same names (hard links, so a rename in
// one leaves the other as it was) and a copy of the journal.
void linkCopy(const PictureFolder& from, const PictureFolder& to) {
    for (const std::string& name : from.names()) {
        if (name == kRenameJournalName) {
            to.write(name, from.read(name));
        } else {
            ASSERT_EQ(link(from.pathOf(name).c_str(), to.pathOf(name).c_str()), 0) << name;
        }
    }
}

// The repair of the folder in a child process stopped by the rename hook after `renames`
// renames, as a crash of the load would stop it; true when it was stopped, false when it
// finished first.
bool repairStoppedAfter(const PictureFolder& folder, long renames) {
    const pid_t child = fork();
    if (child == 0) {
        setenv("LUMARO_STOP_AFTER_RENAMES", std::to_string(renames).c_str(), 1);
        RepairInterruptedRenames(folder.path());
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    return WEXITSTATUS(status) == 86;
}

// The folder holds each file under its planned name, and nothing else.
void expectPlanned(const PictureFolder& folder, const std::map<std::string, ino_t>& planned,
                   long stops) {
    ASSERT_EQ(filesByName(folder), planned) << "after " << stops << " stopped repairs";
    ASSERT_EQ(folder.names().size(), planned.size()) << "the journal outlived its repair";
}

// A move acceptance of 2,000 pictures and 1,000 raw files stopped after 1,500 renames leaves
// 1,500 files on their old names and 1,500 on temporary ones. Each load's repair is then stopped
// right after its first rename, so that the repair is stopped after every one of its renames in
// turn, and each next load must go on from there. Along the way a copy of the folder is
// finished by a whole repair, and at the end every file is under its planned name with no
// temporary name and no journal left.
TEST(CliCrashTest, RepairStoppedAfterEachOfItsRenamesIsFinishedByTheNextLoad) {
    const PictureFolder folder(MemoryFolderParent());
    writePictures(folder);
    const std::map<std::string, ino_t> before = filesByName(folder);
    std::map<std::string, ino_t> planned;
    for (int place = 1; place <= kPictures; ++place) {
        const int from = place <= 500 ? 1500 + place : place - 500;
        plan(planned, before, CaptionedName(place, 4, captionOf(from)),
             CaptionedName(from, 4, captionOf(from)));
    }
    const std::string dir = folder.path().substr(0, folder.path().size() - 1);
    ASSERT_EQ(RunStoppableCli({"move", dir, "--select", "1501-2000", "--after", "0"},
                              {{"LUMARO_STOP_AFTER_RENAMES", "1500"}})
                  .code,
              86);
    long stops = 0;
    while (repairStoppedAfter(folder, 1)) {
        ++stops;
        if (stops % 500 == 0) {
            const PictureFolder copy(MemoryFolderParent());
            linkCopy(folder, copy);
            RepairInterruptedRenames(copy.path());
            expectPlanned(copy, planned, stops);
        }
    }
    expectPlanned(folder, planned, stops);
    // 1,500 files to their temporary names, then all 3,000 to their new ones.
    EXPECT_EQ(stops + 1, 4500);
}

// The stop hook lives only in the test build: the program that is installed renames to the end
// whatever its environment says.
TEST(CliCrashTest, InstalledProgramIgnoresTheTestStopHook) {
    const PictureFolder folder;
    for (const char* name : {"b.jpg", "c.jpg", "d.jpg"}) folder.write(name);
    folder.write("b.NEF");
    const std::string dir = folder.path().substr(0, folder.path().size() - 1);
    const CliRun run =
        RunCli({"load", dir, "--format", "replace"}, {{"LUMARO_STOP_AFTER_RENAMES", "2"}});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(folder.names(),
              (std::vector<std::string>{"01--.NEF", "01--.jpg", "02--.jpg", "03--.jpg"}));
    EXPECT_EQ(folder.read("01--.NEF"), "content of b.NEF");
}

}  // namespace
}  // namespace lumaro
