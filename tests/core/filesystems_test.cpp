// Disks of other systems, made and mounted by the test: renames, renumbering through temporary
// names, a crash, an unmount, a mount and the repair, transfers and a read-only mount, each
// checked on disk (every name, every byte, no temporary name, no placeholder, nothing lost).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <map>
#include <memory>

#include "core/files/fileoperations.h"
#include "core/files/transfer.h"
#include "core/history/history.h"
#include "core/journal/renamejournal.h"
#include "core/renaming/folderload.h"
#include "core/renaming/renamecheck.h"
#include "core/renaming/renamepasses.h"
#include "core/settings/messagekeys.h"
#include "mountedimage.h"
#include "operations/picturedeletion.h"
#include "operations/picturetransfer.h"
#include "operations/pictureturn.h"
#include "operations/undo/undo.h"
#include "operations/undo/undostep.h"
#include "picturefolder.h"
#include "stoppedchild.h"
#include "turnjpegs.h"

namespace lumaro {
namespace {

using Files = std::map<std::string, std::string>;  // every name of a folder, with its bytes

struct FileSystemCase {
    ImageKind image;
    RenameWay way;      // the first way to rename without replacing that the file system allows
    bool windowsNames;  // ignores letter case, refuses some characters in names
};

void PrintTo(const FileSystemCase& fileSystem, std::ostream* out) { *out << fileSystem.image.name; }

const FileSystemCase kFileSystems[] = {
    // Ignores letter case, refuses the no-replace flag and hard links, numbers files anew at
    // each mount.
    {{"exfat_fuse", "mkfs.exfat", "mount.exfat-fuse"}, RenameWay::Placeholder, true},
    // Refuses the no-replace flag; allows hard links; keeps letter case.
    {{"ntfs_3g", "mkfs.ntfs -F -Q -q", "ntfs-3g"}, RenameWay::HardLink, false},
};

Files onDisk(const PictureFolder& folder) {
    Files files;
    for (const std::string& name : folder.names()) files[name] = folder.read(name);
    return files;
}

// Pictures 01 to 04 and the sidecar of 02, numbered `up` more, all of one size and written
// together: where files are known by size and time, each could be taken for another.
Files numbered(int up) {
    Files files;
    const auto name = [up](int n) { return "0" + std::to_string(n + up); };
    for (int n = 1; n <= 4; ++n) files[name(n) + ".jpg"] = "picture 0" + std::to_string(n);
    files[name(2) + ".xmp"] = "sidecar 02";
    return files;
}
// Each number one up: every new name but the last is the old name of another picture.
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
        pictures_ = std::make_unique<PictureFolder>(image_->mountPoint());
        folder_ = pictures_->path();
    }
    void write(const Files& files) const {
        for (const auto& [name, bytes] : files) pictures_->write(name, bytes);
    }
    void remount(bool readOnly = false) {
        ASSERT_TRUE(image_->unmount());
        ASSERT_TRUE(image_->mount(readOnly));
    }

    std::unique_ptr<MountedImage> image_;
    std::unique_ptr<PictureFolder> pictures_;
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
    EXPECT_EQ(onDisk(*pictures_), (Files{{"b.jpg", "picture b"}, {"c.jpg", "picture a"}}));
}

// Renumbered whole (0), or stopped after each of its renames (on a disk that needs placeholders,
// with the next one made), the disk unmounted and mounted again (its files numbered anew) and
// the repair run: every picture and sidecar bears its new name, and the history still knows
// the files it recorded after one more mount.
TEST_P(FileSystemTest, RenumberingStoppedAnywhereIsFinishedByTheRepairAfterAMount) {
    for (long long stop = 0; stop < 10; ++stop) {
        for (const std::string& name : pictures_->names()) unlink((folder_ + name).c_str());
        write(numbered(0));
        if (stop == 0) {
            const RenamePassesResult whole = RenameInTwoPasses(folder_, renumbering());
            EXPECT_TRUE(whole.failures.empty()) << DescribeRenameFailures(whole.failures);
        } else {
            ASSERT_TRUE(RunStoppedAfter(stop, [&] { RenameInTwoPasses(folder_, renumbering()); }));
            const Files stopped = onDisk(*pictures_);
            ASSERT_TRUE(stopped.count(kRenameJournalName)) << stop;
            const auto empty = std::count_if(stopped.begin(), stopped.end(),
                                             [](const auto& file) { return file.second.empty(); });
            // The placeholder of the rename that was stopped.
            EXPECT_EQ(empty, GetParam().way == RenameWay::Placeholder ? 1 : 0) << stop;
            remount();
            const JournalRepair repair = RepairInterruptedRenames(folder_);
            EXPECT_TRUE(repair.failures.empty()) << DescribeRenameFailures(repair.failures);
        }
        EXPECT_EQ(onDisk(*pictures_), numbered(1)) << "stopped after " << stop;
        remount();
        const UndoPlan::Status undo = PlanUndo(folder_).status;
        EXPECT_EQ(undo, stop > 0 ? UndoPlan::Status::Ready : UndoPlan::Status::Nothing) << stop;
    }
}

TEST_P(FileSystemTest, TransferOutAndBackVerifiesEveryCopyAndLeavesNoSource) {
    write({{"01.jpg", "picture 01"}, {"01.xmp", "sidecar 01"}});
    PictureFolder local;
    const std::vector<PictureEntry> picture = {{"01", ".jpg", {".xmp"}}};
    ASSERT_TRUE(TransferPictures(folder_, picture, local.path()).at(0).moved());
    EXPECT_EQ(onDisk(*pictures_), Files{});
    write({{"01.jpg", "another 01"}});
    ASSERT_TRUE(TransferPictures(local.path(), picture, folder_).at(0).moved());
    EXPECT_EQ(onDisk(local), Files{});
    EXPECT_EQ(onDisk(*pictures_), (Files{{"01.jpg", "another 01"},
                                         {"01 (2).jpg", "picture 01"},
                                         {"01 (2).xmp", "sidecar 01"}}));
}

// A card with its lock switch on: the load lists it, and every change is refused at once,
// saying why, with no journal written and nothing recorded; a turn, a delete and an undo are
// refused by their plans (a dry run) as by their runs.
TEST_P(FileSystemTest, ReadOnlyMountIsListedAndEveryChangeIsRefusedBeforeAJournal) {
    const Files unequalWidths = {
        {"01--.jpg", turnjpegs::QuarterJpeg(32, 16, turnjpegs::CommentSegment())},
        {"002--.jpg", "picture 002"}};
    write({{"01--.jpg", unequalWidths.at("01--.jpg")}, {"0002--.jpg", "picture 002"}});
    // An operation to undo.
    ASSERT_TRUE(RenameInTwoPasses(folder_, {{{"0002--", ".jpg"}, "002--"}}).failures.empty());
    ASSERT_TRUE(RecordOperation(
        folder_, RenameOperation(OperationKind::Apply, {{"0002--.jpg", "002--.jpg"}})));
    remount(true);
    const size_t records = ReadHistoryRecords(folder_).operations.size();
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
    EXPECT_EQ(onDisk(local), Files{});

    const std::string picture = folder_ + "01--.jpg";
    PictureTurn turn({picture}, 90);
    PictureDeletion deletion({picture}, true, false);
    UndoStep undo(folder_, UndoStep::Direction::Undo);
    const std::pair<const char*, std::function<Outcome(bool)>> operations[] = {
        {"turn", [&](bool run) { return run ? turn.run() : turn.plan().outcome; }},
        {"delete", [&](bool run) { return run ? deletion.run() : deletion.plan().outcome; }},
        {"undo", [&](bool run) { return run ? undo.run() : undo.plan().outcome; }},
    };
    for (const auto& [name, operation] : operations) {
        for (const bool run : {false, true}) {
            const Outcome refused = operation(run);
            EXPECT_EQ(refused.kind, OutcomeKind::Refused) << name << (run ? " run" : " plan");
            EXPECT_EQ(refused.messageKey, kMessageReadOnlyDisk) << name;
        }
    }
    EXPECT_EQ(ReadHistoryRecords(folder_).operations.size(), records);
    EXPECT_EQ(onDisk(*pictures_), unequalWidths);
}

// Where letter case is ignored, a name in another case is the same name: a rename that changes
// only the case goes through a temporary name, one onto another file's name in another case is
// refused, and so is a name with a character the disk refuses, by the plan as by the run.
// Where case is kept, two spellings are two names.
TEST_P(FileSystemTest, LetterCaseAndRefusedCharactersAreTheFileSystemsOwn) {
    write({{"rome.jpg", "rome"}, {"b.jpg", "b"}, {"c.jpg", "c"}});
    const std::vector<RenamePair> pairs = {
        {{"rome", ".jpg"}, "Rome"}, {{"c", ".jpg"}, "B"}, {{"b", ".jpg"}, "a:b"}};
    const bool windows = GetParam().windowsNames;
    const RenameCheck plan = CheckGroupRenames(folder_, pairs);
    const RenamePassesResult run = RenameInTwoPasses(folder_, pairs);
    for (const auto& kept : {plan.kept, run.failures}) {
        ASSERT_EQ(kept.size(), windows ? 2u : 0u) << DescribeRenameFailures(kept);
        if (!windows) continue;
        EXPECT_EQ(kept[0].result.status, RenameResult::Status::TargetExists);
        EXPECT_EQ(kept[1].result.status, RenameResult::Status::NameRefused);
    }
    const Files expected = windows ? Files{{"Rome.jpg", "rome"}, {"b.jpg", "b"}, {"c.jpg", "c"}}
                                   : Files{{"Rome.jpg", "rome"}, {"B.jpg", "c"}, {"a:b.jpg", "b"}};
    EXPECT_EQ(onDisk(*pictures_), expected);
    // A picture moved in under such a name stays where it is, as the plan said.
    PictureFolder local;
    local.write("x?y.jpg", "question");
    PictureTransfer transfer(local.path(), {{"x?y", ".jpg"}}, folder_);
    const Outcome planned = transfer.plan().outcome;
    const Outcome ran = transfer.run();
    EXPECT_EQ(ran.kind, windows ? OutcomeKind::SomeKept : OutcomeKind::Done);
    EXPECT_EQ(planned.kind, ran.kind);
    EXPECT_EQ(planned.files, ran.files);
    const Files stayed = {{"x?y.jpg", "question"}};
    EXPECT_EQ(onDisk(local), windows ? stayed : Files());
}

// A rename that changes only letter case, stopped before, between or after its renames,
// the disk mounted again and the repair run: the picture bears its new spelling.
TEST_P(FileSystemTest, CaseOnlyRenameStoppedAnywhereIsFinishedByTheRepair) {
    for (long long stop = 0; stop <= 4; ++stop) {
        for (const std::string& name : pictures_->names()) unlink((folder_ + name).c_str());
        write({{"rome.jpg", "rome"}, {"rome.xmp", "sidecar"}});
        ASSERT_TRUE(RunStoppedAfter(stop, [&] {
            RenameInTwoPasses(folder_, {{{"rome", ".jpg", {".xmp"}}, "Rome"}});
        }));
        remount();
        const JournalRepair repair = RepairInterruptedRenames(folder_);
        EXPECT_TRUE(repair.failures.empty()) << DescribeRenameFailures(repair.failures);
        EXPECT_EQ(onDisk(*pictures_), (Files{{"Rome.jpg", "rome"}, {"Rome.xmp", "sidecar"}}))
            << "stopped after " << stop;
    }
}

INSTANTIATE_TEST_SUITE_P(OtherSystems, FileSystemTest, ::testing::ValuesIn(kFileSystems),
                         [](const auto& info) { return std::string(info.param.image.name); });

}  // namespace
}  // namespace lumaro
