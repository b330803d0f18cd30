// Renames that never replace a file, folder paths made level by level, and the same folder found.
#include "core/files/fileoperations.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "core/files/createfolder.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

using Status = RenameResult::Status;

TEST(FileOperationsTest, RenameNeverReplacesAFileThatHoldsTheTargetName) {
    PictureFolder folder;
    folder.write("a.jpg");
    folder.write("b.jpg");
    const RenameResult result = renameNoReplace(folder.pathOf("a.jpg"), folder.pathOf("b.jpg"));
    EXPECT_EQ(result.status, Status::TargetExists);
    EXPECT_EQ(result.error, EEXIST);
    EXPECT_EQ(folder.read("a.jpg"), "content of a.jpg");
    EXPECT_EQ(folder.read("b.jpg"), "content of b.jpg");
}

TEST(FileOperationsTest, RenameToItsOwnNameSucceedsAndChangesNothing) {
    PictureFolder folder;
    folder.write("01--.jpg");
    EXPECT_TRUE(renameNoReplace(folder.pathOf("01--.jpg"), folder.pathOf("01--.jpg")).ok());
    EXPECT_EQ(folder.read("01--.jpg"), "content of 01--.jpg");
}

TEST(FileOperationsTest, RenameOfAMissingFileIsAFailureNotASuccess) {
    PictureFolder folder;
    const RenameResult same = renameNoReplace(folder.pathOf("gone.jpg"), folder.pathOf("gone.jpg"));
    EXPECT_EQ(same.status, Status::Failed);
    EXPECT_EQ(same.error, ENOENT);
    EXPECT_FALSE(renameNoReplace(folder.pathOf("gone.jpg"), folder.pathOf("x.jpg")).ok());
    EXPECT_TRUE(folder.names().empty());
}

TEST(FileOperationsTest, SameFolderIsFoundThroughLinksAndDotDotButNotForNeighbours) {
    PictureFolder folder;
    ASSERT_EQ(CreateFolder(folder.pathOf("pictures/")), 0);
    ASSERT_EQ(CreateFolder(folder.pathOf("other/")), 0);
    ASSERT_EQ(symlink(folder.pathOf("pictures").c_str(), folder.pathOf("link").c_str()), 0);
    const std::string pictures = folder.pathOf("pictures/");
    EXPECT_TRUE(IsSameFolder(folder.pathOf("link/"), pictures));
    EXPECT_TRUE(IsSameFolder(folder.pathOf("other/../pictures"), pictures));
    EXPECT_FALSE(IsSameFolder(folder.pathOf("other/"), pictures));
    EXPECT_FALSE(IsSameFolder(folder.pathOf("missing/"), folder.pathOf("missing/")));
    EXPECT_FALSE(IsSameFolder("", pictures));
}

}  // namespace
}  // namespace lumaro
