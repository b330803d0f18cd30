// Moving pictures to another folder: a free name when one is taken, a verified copy before the
// source goes, and every picture still somewhere, whole, whatever fails on the way.
#include "core/files/transfer.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <linux/magic.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <functional>

#include "namingfolder.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

using Names = std::vector<std::string>;
using Status = TransferOutcome::Status;

std::vector<PictureEntry> Entries(const Names& bases) {
    std::vector<PictureEntry> out;
    for (const std::string& base : bases) out.push_back({base, ".jpg"});
    return out;
}

TEST(TransferTest, TakenNamesGetANumberAndTheSourcesGoOnlyOnceCopied) {
    PictureFolder from, to;
    from.write("a.jpg", std::string(9 << 20, 'a') + "end");  // more than one chunk
    from.write("b.jpg");
    from.write("c.jpg");
    to.write("b.jpg", "already there");
    to.write("b (2).jpg", "also there");
    chmod(from.pathOf("c.jpg").c_str(), 0604);
    from.setModified("c.jpg", 1150000000);
    const std::string a = from.read("a.jpg");
    std::vector<int> calls;
    TransferOptions options;
    options.beforeEach = [&](int k) { calls.push_back(k); };
    const std::vector<TransferOutcome> outcomes =
        TransferPictures(from.path(), Entries({"a", "b", "c"}), to.path(), options);
    EXPECT_EQ(calls, (std::vector<int>{0, 1, 2}));
    ASSERT_EQ(outcomes.size(), 3u);
    for (const TransferOutcome& o : outcomes) EXPECT_TRUE(o.moved()) << o.source << " " << o.error;
    EXPECT_EQ(outcomes[1].target, to.pathOf("b (3).jpg"));
    EXPECT_EQ(from.names(), Names{});
    EXPECT_EQ(to.names(), (Names{"a.jpg", "b (2).jpg", "b (3).jpg", "b.jpg", "c.jpg"}));
    EXPECT_EQ(to.read("a.jpg"), a);
    EXPECT_EQ(to.read("b.jpg"), "already there");
    EXPECT_EQ(to.read("b (3).jpg"), "content of b.jpg");
    struct stat st;
    ASSERT_EQ(stat(to.pathOf("c.jpg").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0604u);
    EXPECT_EQ(st.st_mtime,
              1150000000);  // dateless pictures keep their place in the file-date order
}

TEST(TransferTest, SourceRemovedBehindOurBackIsReportedAndTheOthersStillMove) {
    PictureFolder from, to;
    from.write("a.jpg");
    from.write("c.jpg");
    const std::vector<TransferOutcome> outcomes =
        TransferPictures(from.path(), Entries({"a", "b", "c"}), to.path());
    ASSERT_EQ(outcomes.size(), 3u);
    EXPECT_EQ(outcomes[1].status, Status::SourceMissing);
    EXPECT_TRUE(outcomes[1].target.empty());
    EXPECT_TRUE(outcomes[0].moved() && outcomes[2].moved());
    EXPECT_EQ(to.names(), (Names{"a.jpg", "c.jpg"}));
}

TEST(TransferTest, CopyToFolderBecomesTheParentOfTheDestination) {
    EXPECT_EQ(CopyToFolderAfter("/p/Photos/Italie/"), "/p/Photos/");
    EXPECT_EQ(CopyToFolderAfter("/Italie/"), "/");
    EXPECT_EQ(CopyToFolderAfter("/"), "/");
}

std::vector<std::string> Contents(const PictureFolder& folder) {
    std::vector<std::string> out;
    for (const std::string& name : folder.names()) out.push_back(name + ":" + folder.read(name));
    return out;
}

// What this process has read from block devices so far (its page cache hits not counted);
// -1 where the system does not count.
long long bytesReadFromDevices() {
    std::ifstream in("/proc/self/io");
    std::string key;
    long long value = -1;
    while (in >> key >> value)
        if (key == "read_bytes:") return value;
    return -1;
}

// A copy that the disk wrote badly is caught only by a comparison that reads the disk: the
// copy, still in memory after it was written, is read back from the device.
TEST(TransferTest, CopyIsComparedAsReadBackFromTheDisk) {
    PictureFolder from("/var/tmp"), to("/var/tmp");  // on a disk, where systems keep it so
    struct statfs fs;
    if (to.path().empty() || statfs(to.path().c_str(), &fs) != 0 || fs.f_type == TMPFS_MAGIC ||
        fs.f_type == RAMFS_MAGIC || bytesReadFromDevices() < 0) {
        GTEST_SKIP() << "no disk under /var/tmp whose reads the system counts";
    }
    std::string picture(4 << 20, '\0');
    for (size_t k = 0; k < picture.size(); ++k) picture[k] = static_cast<char>(k * 7919 >> 5);
    from.write("a.jpg", picture);
    const long long before = bytesReadFromDevices();
    ASSERT_TRUE(TransferPictures(from.path(), Entries({"a"}), to.path()).at(0).moved());
    EXPECT_GE(bytesReadFromDevices() - before, static_cast<long long>(picture.size()));
    EXPECT_EQ(to.read("a.jpg"), picture);
}

TEST(TransferTest, FullDiskKeepsEverySourceAndLeavesNoPartialCopy) {
    PictureFolder from, to;
    from.write("a.jpg", std::string(5000, 'a'));
    from.write("b.jpg", std::string(300, 'b'));  // fits: moved
    from.write("c.jpg", std::string(5000, 'c'));
    const std::vector<std::string> before = Contents(from);
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        const std::vector<TransferOutcome> o =
            TransferPictures(from.path(), Entries({"a", "b", "c"}), to.path());
        _exit(o.size() == 3 && !o[0].moved() && o[1].moved() && !o[2].moved() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Contents(from), (std::vector<std::string>{before[0], before[2]}));
    EXPECT_EQ(Contents(to), std::vector<std::string>{before[1]});
}

TEST(TransferTest, ReadOnlyDestinationKeepsEverySource) {
    PictureFolder from, to;
    from.write("a.jpg");
    from.write("b.jpg");
    const std::vector<std::string> before = Contents(from);
    std::vector<TransferOutcome> outcomes;
    {
        FrozenFolder frozen(to.path());
        if (!frozen.active()) GTEST_SKIP() << "this system lets us write into a read-only folder";
        outcomes = TransferPictures(from.path(), Entries({"a", "b"}), to.path());
    }
    for (const TransferOutcome& o : outcomes) EXPECT_EQ(o.status, Status::CopyFailed);
    EXPECT_EQ(Contents(from), before);
    EXPECT_EQ(to.names(), Names{});
}

// A source written to, or saved over, after its copy was made: deleting it would lose the
// change, so it stays as it now is and the copy goes.
TEST(TransferTest, SourceChangedBeforeItsDeleteStaysAndItsCopyIsRemoved) {
    const struct {
        const char* change;
        std::function<void(const std::string&)> hook;
        Status status;
        std::string after;  // the source's bytes afterwards, wherever it is
    } rows[] = {
        {"none", [](const std::string&) {}, Status::Moved, "content of a.jpg"},
        {"appended to",
         [](const std::string& source) { std::ofstream(source, std::ios::app) << " and more"; },
         Status::SourceChanged, "content of a.jpg and more"},
        // An editor's save: a new file of the same bytes renamed over the name.
        {"replaced by rename",
         [](const std::string& source) {
             std::ofstream(source + ".new") << "content of a.jpg";
             rename((source + ".new").c_str(), source.c_str());
         },
         Status::SourceChanged, "content of a.jpg"},
        // Same size, its date put back: only the change time and the bytes tell.
        {"rewritten in place",
         [](const std::string& source) {
             struct stat st;
             stat(source.c_str(), &st);
             std::ofstream(source, std::ios::in | std::ios::out) << "CONTENT";
             const timespec times[2] = {st.st_atim, st.st_mtim};
             utimensat(AT_FDCWD, source.c_str(), times, 0);
         },
         Status::SourceChanged, "CONTENT of a.jpg"},
    };
    for (const auto& row : rows) {
        PictureFolder from, to;
        from.write("a.jpg");
        std::string called;
        TransferOptions options;
        options.beforeDelete = [&](const std::string& source) {
            called = source;
            row.hook(source);
        };
        const std::vector<TransferOutcome> outcomes =
            TransferPictures(from.path(), Entries({"a"}), to.path(), options);
        EXPECT_EQ(called, from.pathOf("a.jpg")) << row.change;
        ASSERT_EQ(outcomes.size(), 1u);
        EXPECT_EQ(outcomes[0].status, row.status) << row.change;
        const PictureFolder& kept = row.status == Status::Moved ? to : from;
        EXPECT_EQ(Contents(kept), Names{"a.jpg:" + row.after}) << row.change;
        EXPECT_EQ(Contents(row.status == Status::Moved ? from : to), Names{}) << row.change;
        EXPECT_EQ(outcomes[0].target.empty(), row.status != Status::Moved) << row.change;
    }
}

// The copy is good but the source cannot go: it is said as such, and the copy stays, so the
// picture is in both folders. Root deletes anywhere, so a child that became nobody tries.
TEST(TransferTest, SourceThatCannotBeDeletedIsReportedAndItsCopyStays) {
    PictureFolder from, to;
    from.write("a.jpg");
    chmod(from.pathOf("a.jpg").c_str(), 0644);
    const bool root = geteuid() == 0;
    chmod(from.path().c_str(), root ? 0755 : 0555);
    chmod(to.path().c_str(), 0777);
    const pid_t child = fork();
    if (child == 0) {
        if (root && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        const std::vector<TransferOutcome> o =
            TransferPictures(from.path(), Entries({"a"}), to.path());
        _exit(o.size() == 1 && o[0].status == Status::SourceKept && o[0].error == EACCES &&
                      o[0].target == to.pathOf("a.jpg")
                  ? 0
                  : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    chmod(from.path().c_str(), 0700);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Contents(from), Names{"a.jpg:content of a.jpg"});
    EXPECT_EQ(Contents(to), Names{"a.jpg:content of a.jpg"});
}

}  // namespace
}  // namespace lumaro
