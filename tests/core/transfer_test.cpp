// Moving pictures to another folder: a free name when one is taken, a verified copy before the
// source goes, and every picture still somewhere, whole, whatever fails on the way.
#include "pictures/transfer.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
    const std::vector<TransferOutcome> outcomes =
        TransferPictures(from.path(), Entries({"a", "b", "c"}), to.path(), [&](int k) { calls.push_back(k); });
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
    EXPECT_EQ(st.st_mtime, 1150000000);  // dateless pictures keep their place in the file-date order
}

TEST(TransferTest, SourceRemovedBehindOurBackIsReportedAndTheOthersStillMove) {
    PictureFolder from, to;
    from.write("a.jpg");
    from.write("c.jpg");
    const std::vector<TransferOutcome> outcomes = TransferPictures(from.path(), Entries({"a", "b", "c"}), to.path());
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
        const std::vector<TransferOutcome> o = TransferPictures(from.path(), Entries({"a", "b", "c"}), to.path());
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

// The copy is good but the source cannot go: the picture stays where it was, and only there.
TEST(TransferTest, SourceThatCannotBeDeletedStaysAndItsCopyIsRemoved) {
    PictureFolder from, to;
    from.write("a.jpg");
    const std::vector<std::string> before = Contents(from);
    std::vector<TransferOutcome> outcomes;
    {
        FrozenFolder frozen(from.path());
        if (!frozen.active()) GTEST_SKIP() << "this system lets us write into a read-only folder";
        outcomes = TransferPictures(from.path(), Entries({"a"}), to.path());
    }
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].status, Status::SourceKept);
    EXPECT_EQ(Contents(from), before);
    EXPECT_EQ(to.names(), Names{});
}

}  // namespace
}  // namespace lumaro
