// The one writer of whole files, for what its callers' own tests leave open: a link that gives
// way or is written through, a file that must be there, and which attributes carry over.
#include "core/files/atomicwrite.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "picturefolder.h"

namespace lumaro {
namespace {

using Names = std::vector<std::string>;

TEST(AtomicWriteTest, ALinkIsWrittenThroughOrGivesWayToTheFileAsAsked) {
    PictureFolder folder;
    folder.write("real.ss", "old");
    ASSERT_EQ(symlink("real.ss", folder.pathOf("through.ss").c_str()), 0);
    ASSERT_EQ(symlink("real.ss", folder.pathOf("replaced.ss").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(folder.pathOf("through.ss"), "through").ok());
    EXPECT_EQ(folder.read("real.ss"), "through");
    ASSERT_TRUE(
        WriteFileAtomically(folder.pathOf("replaced.ss"), "own", {.throughLinks = false}).ok());
    struct stat st;
    ASSERT_EQ(lstat(folder.pathOf("replaced.ss").c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(folder.read("replaced.ss"), "own");
    EXPECT_EQ(folder.read("real.ss"), "through");
    ASSERT_EQ(lstat(folder.pathOf("through.ss").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(AtomicWriteTest, ANewFileTakesTheUmaskAnOldOneItsModeAndOnlyATurnItsDate) {
    PictureFolder folder;
    const mode_t umaskBefore = umask(027);
    const bool made = WriteFileAtomically(folder.pathOf("new.ini"), "new").ok();
    umask(umaskBefore);
    ASSERT_TRUE(made);
    struct stat st;
    ASSERT_EQ(stat(folder.pathOf("new.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    for (const bool keep : {false, true}) {
        const std::string name = keep ? "turned.jpg" : "saved.ini";
        folder.write(name, "old");
        ASSERT_EQ(chmod(folder.pathOf(name).c_str(), 0604), 0);
        folder.setModified(name, 1150000000);
        ASSERT_TRUE(
            WriteFileAtomically(folder.pathOf(name), "new", {.keepOwnerAndTimes = keep}).ok());
        ASSERT_EQ(stat(folder.pathOf(name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0604u) << name;
        EXPECT_EQ(st.st_mtime == 1150000000, keep) << name;
    }

    const FileStepResult missing =
        WriteFileAtomically(folder.pathOf("gone.jpg"), "new", kReplaceAsTheSameFile);
    EXPECT_EQ(missing.error, ENOENT);
    EXPECT_EQ(DescribeFileStep(missing), "open: No such file or directory");
    EXPECT_EQ(folder.names(), (Names{"new.ini", "saved.ini", "turned.jpg"}));
}

}  // namespace
}  // namespace lumaro
