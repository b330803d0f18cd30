// Two processes on one folder: while one holds the folder's lock, an operation of the other
// renames nothing and says so; told to wait, it goes on once the first has ended. The same
// through lock files, as on file systems that cannot lock a folder.
#include "core/locking/folderlock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "core/journal/renamejournal.h"
#include "core/renaming/apply.h"
#include "core/renaming/renumber.h"
#include "namingfolder.h"

namespace lumaro {
namespace {

using Names = std::vector<std::string>;

// A child process that locks `folder`, says so on `held`, and ends (releasing the lock by
// its death alone) once `release` is written to or closed.
pid_t holdInChild(const std::string& folder, int held, int release) {
    const pid_t child = fork();
    if (child == 0) {
        const FolderLock lock(folder);
        const char done = lock.busy() ? 'b' : 'h';
        if (write(held, &done, 1) != 1) _exit(2);
        char ignored;
        if (read(release, &ignored, 1) < 0) _exit(3);
        _exit(0);
    }
    return child;
}

void expectRefusedThenWaitedFor(bool lockFilesOnly) {
    const PictureFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    SetFolderLockSettings({.wait = false, .stateFolder = "", .lockFilesOnly = lockFilesOnly});
    NamingFolder f({"0001  a", "0002  b"});
    f.folder.write("0001  a.NEF");
    RelistByName(f.list);
    ASSERT_EQ(Renumber(f.list, {0, 1}, 5, "4").outcome, RenumberOutcome::Proposed);
    const Names before = f.folder.names();

    int held[2], release[2];
    ASSERT_EQ(pipe(held), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t child = holdInChild(f.folder.path(), held[1], release[0]);
    char state = 0;
    ASSERT_EQ(read(held[0], &state, 1), 1);
    ASSERT_EQ(state, 'h');
    if (lockFilesOnly) {
        char* real = realpath(f.folder.path().c_str(), nullptr);
        EXPECT_EQ(runtime.names(), Names{"lumaro"});
        EXPECT_EQ(access((runtime.pathOf("lumaro/") + LockFileNameFor(real)).c_str(), F_OK), 0);
        std::free(real);
    }

    const ApplyResult refused = Apply(f.list, {true, -1, {}});
    EXPECT_TRUE(refused.folderBusy);
    EXPECT_EQ(refused.renamedCount, 0);
    EXPECT_EQ(f.folder.names(), before);
    EXPECT_TRUE(RepairInterruptedRenames(f.folder.path()).folderBusy);

    SetFolderLockSettings({.wait = true, .stateFolder = "", .lockFilesOnly = lockFilesOnly});
    ASSERT_EQ(write(release[1], "e", 1), 1);
    const ApplyResult waited = Apply(f.list, {true, -1, {}});
    int status = -1;
    EXPECT_EQ(waitpid(child, &status, WNOHANG), child);  // it had ended before the renames
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(waited.folderBusy);
    EXPECT_EQ(f.folder.names(), (Names{"0005  a.NEF", "0005  a.jpg", "0006  b.jpg"}));
    for (int fd : {held[0], held[1], release[0], release[1]}) close(fd);
    SetFolderLockSettings({});
    unsetenv("XDG_RUNTIME_DIR");
}

TEST(FolderLockTest, SecondProcessRenamesNothingWhileTheFirstHoldsTheFolderAndWaitsWhenTold) {
    expectRefusedThenWaitedFor(false);
}

TEST(FolderLockTest, LockFilesKeepOneProcessAtATimeWhereFoldersCannotBeLocked) {
    expectRefusedThenWaitedFor(true);
}

// A lock file is one name of at most 255 bytes, and two long paths that differ only at their
// end still get two names.
TEST(FolderLockTest, LockFileNamesOfLongPathsFitOneNameAndStayApart) {
    const std::string deep = "/" + std::string(300, 'a') + "/%b/";
    const std::string name = LockFileNameFor(deep + "1");
    EXPECT_LE(name.size(), 255u);
    EXPECT_EQ(name.find('/'), std::string::npos);
    EXPECT_NE(name, LockFileNameFor(deep + "2"));
    EXPECT_NE(LockFileNameFor("/a%2Fb"), LockFileNameFor("/a/b"));
}

}  // namespace
}  // namespace lumaro
