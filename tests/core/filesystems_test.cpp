// Disks of other systems, made and mounted by the test: renames, renumbering through temporary
// names, a crash, an unmount, a mount and the repair, transfers and a read-only mount, each
// checked on disk (every name, every byte, no temporary name, no placeholder, nothing lost).
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

#include "core/files/fileoperations.h"
#include "core/files/transfer.h"
#include "core/journal/renamejournal.h"
#include "core/renaming/folderload.h"
#include "core/renaming/renamepasses.h"
#include "core/settings/messagekeys.h"
#include "core/undo/undo.h"
#include "mountedimage.h"
#include "picturefolder.h"
#include "stoppedchild.h"

namespace lumaro {
namespace {

using Files = std::map<std::string, std::string>;  // every name of a folder, with its bytes

struct FileSystemCase {
    ImageKind image;
    RenameWay way;  // the first way to rename without replacing that the file system allows
};

void PrintTo(const FileSystemCase& fileSystem, std::ostream* out) { *out << fileSystem.image.name; }

const FileSystemCase kFileSystems[] = {
    // Ignores letter case, refuses the no-replace flag and hard links, numbers files anew at
    // each mount.
    {{"exfat_fuse", "mkfs.exfat", "mount.exfat-fuse"}, RenameWay::Placeholder},
    // Refuses the no-replace flag; allows hard links.
    {{"ntfs_3g", "mkfs.ntfs -F -Q -q", "ntfs-3g"}, RenameWay::HardLink},
};

Files onDisk(const std::string& folder) {
    Files files;
    DIR* dir = opendir(folder.c_str());
    while (const dirent* entry = dir ? readdir(dir) : nullptr) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        std::ifstream in(folder + name, std::ios::binary);
        files[name] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    if (dir) closedir(dir);
    return files;
}

// Pictures numbered 01 to 04 and a sidecar, all of one size and written in the same second,
// so that where files are known by size and time they could be taken for one another.
const Files kPictures = {{"01.jpg", "picture 01"},
                         {"02.jpg", "picture 02"},
                         {"02.xmp", "sidecar 02"},
                         {"03.jpg", "picture 03"},
                         {"04.jpg", "picture 04"}};
// Each number one up: every new name but the last is the old name of another picture.
const Files kRenumbered = {{"02.jpg", "picture 01"},
                           {"03.jpg", "picture 02"},
                           {"03.xmp", "sidecar 02"},
                           {"04.jpg", "picture 03"},
                           {"05.jpg", "picture 04"}};
std::vector<RenamePair> renumbering() {
    std::vector<RenamePair> pairs;
    for (const char* number : {"04", "03", "02", "01"}) {
        PictureEntry from{number, ".jpg"};
        if (from.base == "02") from.companions = {".xmp"};
        pairs.push_back({from, "0" + std::to_string(std::stoi(number) + 1)});
    }
    return pairs;
}

class FileSystemTest : public ::testing::TestWithParam<FileSystemCase> {
protected:
    void SetUp() override {
        image_ = std::make_unique<MountedImage>(GetParam().image);
        if (!image_->skipReason().empty()) GTEST_SKIP() << image_->skipReason();
        folder_ = image_->folder() + "DCIM/";
        ASSERT_EQ(mkdir(folder_.c_str(), 0755), 0);
    }
    void write(const Files& files) const {
        for (const auto& [name, bytes] : files) std::ofstream(folder_ + name) << bytes;
    }
    void remount(bool readOnly = false) {
        ASSERT_TRUE(image_->unmount());
        ASSERT_TRUE(image_->mount(readOnly));
    }

    std::unique_ptr<MountedImage> image_;
    std::string folder_;
};

TEST_P(FileSystemTest, RenameTakesOnlyAFreeNameAndLeavesNoPlaceholderWhenItFails) {
    write({{"a.jpg", "picture a"}, {"b.jpg", "picture b"}});
    RenameSteps steps;
    EXPECT_TRUE(renameNoReplace(folder_ + "a.jpg", folder_ + "c.jpg", &steps).ok());
    EXPECT_EQ(steps.way, GetParam().way);
    EXPECT_EQ(renameNoReplace(folder_ + "c.jpg", folder_ + "b.jpg", &steps).status,
              RenameResult::Status::TargetExists);
    EXPECT_EQ(renameNoReplace(folder_ + "gone.jpg", folder_ + "d.jpg", &steps).error, ENOENT);
    EXPECT_EQ(onDisk(folder_), (Files{{"b.jpg", "picture b"}, {"c.jpg", "picture a"}}));
}

TEST_P(FileSystemTest, RenumberingOntoNamesStillTakenKeepsEveryPictureAndSidecar) {
    write(kPictures);
    const RenamePassesResult result = RenameInTwoPasses(folder_, renumbering());
    EXPECT_TRUE(result.failures.empty()) << DescribeRenameFailures(result.failures);
    EXPECT_EQ(onDisk(folder_), kRenumbered);
}

// Stopped after each rename (on a disk that needs placeholders, with the next one made), the
// disk unmounted and mounted again (its files numbered anew), the repair finishes the
// renumbering, and the history still knows the files it recorded after one more mount.
TEST_P(FileSystemTest, CrashUnmountAndMountThenRepairFinishesTheRenumbering) {
    for (long long stop = 1; stop < 10; ++stop) {
        for (const auto& [name, bytes] : onDisk(folder_)) unlink((folder_ + name).c_str());
        write(kPictures);
        ASSERT_TRUE(RunStoppedAfter(stop, [&] { RenameInTwoPasses(folder_, renumbering()); }));
        const Files stopped = onDisk(folder_);
        ASSERT_TRUE(stopped.count(kRenameJournalName)) << stop;
        if (GetParam().way == RenameWay::Placeholder) {
            EXPECT_EQ(std::count_if(stopped.begin(), stopped.end(),
                                    [](const auto& file) { return file.second.empty(); }),
                      1)
                << "the placeholder of the rename stopped, after " << stop;
        }
        remount();
        const JournalRepair repair = RepairInterruptedRenames(folder_);
        EXPECT_TRUE(repair.failures.empty()) << DescribeRenameFailures(repair.failures);
        EXPECT_EQ(onDisk(folder_), kRenumbered) << "stopped after " << stop;
        remount();
        EXPECT_EQ(PlanUndo(folder_).status, UndoPlan::Status::Ready) << "stopped after " << stop;
    }
}

TEST_P(FileSystemTest, TransferOutAndBackVerifiesEveryCopyAndLeavesNoSource) {
    write({{"01.jpg", "picture 01"}, {"01.xmp", "sidecar 01"}});
    PictureFolder local;
    const std::vector<PictureEntry> picture = {{"01", ".jpg", {".xmp"}}};
    ASSERT_TRUE(TransferPictures(folder_, picture, local.path()).at(0).moved());
    EXPECT_EQ(onDisk(folder_), Files{});
    write({{"01.jpg", "another 01"}});
    ASSERT_TRUE(TransferPictures(local.path(), picture, folder_).at(0).moved());
    EXPECT_EQ(onDisk(local.path()), Files{});
    EXPECT_EQ(onDisk(folder_), (Files{{"01.jpg", "another 01"},
                                      {"01 (2).jpg", "picture 01"},
                                      {"01 (2).xmp", "sidecar 01"}}));
}

// A card with its lock switch on: the load lists it, and every change is refused at once,
// saying why, with no journal written.
TEST_P(FileSystemTest, ReadOnlyMountIsListedAndEveryChangeIsRefusedBeforeAJournal) {
    const Files unequalWidths = {{"01--.jpg", "picture 01"}, {"002--.jpg", "picture 002"}};
    write(unequalWidths);
    remount(true);
    PictureList list;
    list.currentFolder = folder_;
    list.fileType = "jpg";
    const LoadFolderResult load = LoadFolder(list, {});
    EXPECT_EQ(load.outcome, LoadOutcome::Loaded);
    EXPECT_EQ(list.avant.size(), 2u);
    EXPECT_EQ(load.messageKey, kMessageReadOnlyDisk);
    const RenamePassesResult renamed = RenameInTwoPasses(folder_, {{{"01--", ".jpg"}, "001--"}});
    EXPECT_EQ(renamed.messageKey, kMessageReadOnlyDisk);
    ASSERT_EQ(renamed.failures.size(), 1u);
    EXPECT_EQ(renamed.failures[0].result.error, EROFS);
    PictureFolder local;
    EXPECT_EQ(TransferPictures(folder_, {{"01--", ".jpg"}}, local.path()).at(0).error, EROFS);
    EXPECT_EQ(onDisk(local.path()), Files{});
    EXPECT_EQ(onDisk(folder_), unequalWidths);
}

INSTANTIATE_TEST_SUITE_P(OtherSystems, FileSystemTest, ::testing::ValuesIn(kFileSystems),
                         [](const auto& info) { return std::string(info.param.image.name); });

}  // namespace
}  // namespace lumaro
