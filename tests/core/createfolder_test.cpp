// The one maker of folders: every level or the last one alone, what counts as done, and the
// errno that says why a folder could not be made.
#include "core/files/createfolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "picturefolder.h"

namespace lumaro {
namespace {

TEST(CreateFolderTest, MakesOneOrEveryLevelAndNamesTheFailureOfAFileInTheWay) {
    PictureFolder folder;
    folder.write("taken");
    ASSERT_EQ(mkdir(folder.pathOf("real").c_str(), 0755), 0);
    ASSERT_EQ(symlink("real", folder.pathOf("link").c_str()), 0);
    const struct {
        const char* path;
        bool allLevels;
        int error;
    } rows[] = {
        {"Rome/Jour 2/", true, 0},
        {"Rome/Jour 2", true, 0},           // there already
        {"Rome/Jour 2/", false, 0},         // there already, one level
        {"Naples/Jour 1/", false, ENOENT},  // one level never makes the folder above
        {"Naples/", false, 0},
        {"link/", false, 0},  // a link to a folder is that folder
        {"link/new/", true, 0},
        {"taken/", true, EEXIST},
        {"taken", false, EEXIST},
        {"taken/below/", true, EEXIST},
        {"taken/below/", false, ENOTDIR},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CreateFolder(folder.pathOf(row.path), {.allLevels = row.allLevels}), row.error)
            << row.path << (row.allLevels ? " all levels" : " one level");
    }
    EXPECT_EQ(access(folder.pathOf("Naples/Jour 1").c_str(), F_OK), -1);
    EXPECT_EQ(access(folder.pathOf("real/new").c_str(), F_OK), 0);
    EXPECT_EQ(folder.read("taken"), "content of taken");
}

TEST(CreateFolderTest, EveryLevelMadeTakesTheModeAskedLessTheUmask) {
    PictureFolder folder;
    const mode_t umaskBefore = umask(022);
    ASSERT_EQ(CreateFolder(folder.pathOf("own/settings/"), {.allLevels = true, .mode = 0700}), 0);
    ASSERT_EQ(CreateFolder(folder.pathOf("shared/"), {}), 0);
    umask(umaskBefore);
    struct stat st;
    for (const char* path : {"own", "own/settings"}) {
        ASSERT_EQ(stat(folder.pathOf(path).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0700u) << path;
    }
    ASSERT_EQ(stat(folder.pathOf("shared").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0755u);
}

}  // namespace
}  // namespace lumaro
