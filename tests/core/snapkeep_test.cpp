// The Snapkeep rules: thumbnail captions and the caption box, the files that form a set, and
// the plan of a save (which copies, into which folder, never into the picture folder).
#include "core/snapkeep/snapkeep.h"

#include <gtest/gtest.h>

#include "core/files/createfolder.h"
#include "core/files/fileoperations.h"
#include "core/files/folderentries.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

TEST(SnapkeepTest, CaptionPartFollowsTheFirstTwoBlanksOrIsTheWholeName) {
    EXPECT_EQ(CaptionPartOf("0123  Vacances en Italie"), "Vacances en Italie");
    EXPECT_EQ(CaptionPartOf("0123  Rome  la nuit"), "Rome  la nuit");
    EXPECT_EQ(CaptionPartOf("0123--"), "0123--");
    EXPECT_EQ(CaptionPartOf("DSC 0001"), "DSC 0001");
    EXPECT_EQ(CaptionPartOf("0123  "), "");
    // Cut to characters, never inside one.
    std::string accents;
    for (int i = 0; i < 120; ++i) accents += "é";
    EXPECT_EQ(CaptionPartOf("01  " + accents, kThumbnailCaptionLimit), accents.substr(0, 2 * 99));
    EXPECT_EQ(CaptionPartOf("01  Rome", kThumbnailCaptionLimit), "Rome");
}

TEST(SnapkeepTest, ADoubleClickTakesOutOnlyTheCaptionItsClickAppended) {
    const struct {
        const char* box;
        const char* caption;
        const char* clicked;
    } rows[] = {
        {"Vacances", "Rome", "Vacances, Rome"},
        {"", "Rome", "Rome"},
        {"Rome, Naples", "Rome", "Rome, Naples, Rome"},
        {"Été", "Côte", "Été, Côte"},
        {"Vacances à Rome", "Rome", "Vacances à Rome, Rome"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(WithThumbnailCaption(row.box, row.caption), row.clicked) << row.box;
        EXPECT_EQ(WithoutThumbnailCaption(row.clicked, row.caption), row.box) << row.box;
    }
}

TEST(SnapkeepTest, ADoubleClickTakesOutAWholeItemNeverTextInsideAnother) {
    const struct {
        const char* box;
        const char* caption;
        const char* taken;
    } rows[] = {
        {"Rome, Naples", "Rome", "Naples"},                      // first item
        {"Vacances, Rome, Naples", "Rome", "Vacances, Naples"},  // middle
        {"Vacances, Rome", "Rome", "Vacances"},                  // last
        {"Rome", "Rome", ""},                                    // only item
        {"Vacances, Naples", "Rome", "Vacances, Naples"},        // no match
        {"Vacances à Rome", "Rome", "Vacances à Rome"},          // inside another item only
        {"Vacances à Rome, Rome", "Rome", "Vacances à Rome"},
        {"Rome antique, Romes", "Rome", "Rome antique, Romes"},
        {"Rome, Naples, Rome", "Rome", "Rome, Naples"},  // the later of two
        {"Été, Rome, la nuit", "Rome, la nuit", "Été"},  // a caption holding ", "
        {"Vacances", "", "Vacances"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(WithoutThumbnailCaption(row.box, row.caption), row.taken)
            << row.box << " less " << row.caption;
    }
}

TEST(SnapkeepTest, SetIsTheFirstTwelveJpegFilesInNameOrder) {
    PictureFolder folder;
    for (int i = 15; i >= 1; --i)
        folder.write((i < 10 ? "0" : "") + std::to_string(i) + "  Photo." +
                     (i % 3 ? "jpg" : "JPEG"));
    folder.write("00  Plan.png");
    folder.write(".05  hidden.jpg");
    folder.write("jpg");
    ASSERT_EQ(CreateFolder(folder.pathOf("00 folder.jpg/")), 0);
    const auto set = SnapkeepSetIn(folder.path());
    ASSERT_TRUE(set);
    ASSERT_EQ(set->size(), 12u);
    EXPECT_EQ((*set)[0].fileName, "01  Photo.jpg");
    EXPECT_EQ((*set)[2].fileName, "03  Photo.JPEG");
    EXPECT_EQ((*set)[11].fileName, "12  Photo.JPEG");
    EXPECT_EQ((*set)[11].caption, "Photo");
    EXPECT_FALSE(SnapkeepSetIn(folder.pathOf("missing/")));
}

TEST(SnapkeepTest, SavePlanNamesCopiesAfterTheListAndRefusesThePictureFolderUnderAnySpelling) {
    PictureFolder disk;
    ASSERT_EQ(CreateFolder(disk.pathOf("pictures/")), 0);
    ASSERT_EQ(symlink(disk.pathOf("pictures").c_str(), disk.pathOf("link").c_str()), 0);
    const std::string pictureFolder = disk.pathOf("pictures/");
    std::vector<PictureEntry> list;
    for (int i = 1; i <= 14; ++i)
        list.push_back({"0" + std::to_string(i) + "  Rome", i == 2 ? ".JPG" : ".jpg"});

    for (const std::string& spelling :
         {disk.pathOf("link"), disk.pathOf("pictures/."), disk.pathOf("new/../pictures")}) {
        const SnapkeepSavePlan refused = PlanSnapkeepSave(list, pictureFolder, spelling);
        EXPECT_EQ(refused.outcome, SnapkeepSavePlan::Outcome::PictureFolder) << spelling;
        EXPECT_TRUE(refused.copies.empty());
    }

    const SnapkeepSavePlan plan = PlanSnapkeepSave(list, pictureFolder, disk.pathOf("set/Jour 2"));
    ASSERT_EQ(plan.outcome, SnapkeepSavePlan::Outcome::Ready);
    EXPECT_EQ(plan.folder, disk.pathOf("set/Jour 2/"));
    ASSERT_EQ(plan.copies.size(), 12u);
    EXPECT_TRUE(plan.moreThanTwelve);
    EXPECT_EQ(plan.copies[1].source, pictureFolder + "02  Rome.JPG");
    EXPECT_EQ(plan.copies[1].copyName, "02  Rome.jpg");
    EXPECT_EQ(plan.copies[1].copyBase, disk.pathOf("set/Jour 2/02  Rome"));
    EXPECT_EQ(plan.copies[1].caption, "Rome");
    EXPECT_TRUE(plan.existing.empty());

    disk.write("set/Jour 2/03  Rome.jpg", "older copy");
    const SnapkeepSavePlan again =
        PlanSnapkeepSave({list.begin(), list.begin() + 5}, pictureFolder, plan.folder);
    EXPECT_EQ(again.existing, std::vector<std::string>{"03  Rome.jpg"});
    EXPECT_FALSE(again.moreThanTwelve);
    EXPECT_EQ(disk.read("set/Jour 2/03  Rome.jpg"), "older copy");

    disk.write("file");
    EXPECT_EQ(PlanSnapkeepSave(list, pictureFolder, disk.pathOf("file/set")).outcome,
              SnapkeepSavePlan::Outcome::CannotCreate);
}

TEST(SnapkeepTest, PicturesThatDifferOnlyInTheirExtensionNeverShareACopy) {
    PictureFolder disk;
    const std::vector<PictureEntry> list = {{"01  a", ".jpg"},
                                            {"01  a", ".JPG"},
                                            {"01  a (2)", ".jpg"},
                                            {"01  a", ".Jpg"},
                                            {"02  b", ".jpg"}};
    const SnapkeepSavePlan plan =
        PlanSnapkeepSave(list, disk.pathOf("pictures/"), disk.pathOf("set"));
    ASSERT_EQ(plan.outcome, SnapkeepSavePlan::Outcome::Ready);
    std::vector<std::string> names;
    for (const SnapkeepCopy& copy : plan.copies) names.push_back(copy.copyName);
    EXPECT_EQ(names, (std::vector<std::string>{"01  a.jpg", "01  a (3).jpg", "01  a (2).jpg",
                                               "01  a (4).jpg", "02  b.jpg"}));
    EXPECT_EQ(plan.copies[1].source, disk.pathOf("pictures/01  a.JPG"));
    EXPECT_EQ(plan.copies[1].copyBase, disk.pathOf("set/01  a (3)"));
    EXPECT_EQ(plan.copies[1].caption, "a");

    // Saved again into the same folder, each copy keeps its name and is asked about.
    for (const std::string& name : names) disk.write("set/" + name);
    EXPECT_EQ(PlanSnapkeepSave(list, disk.pathOf("pictures/"), disk.pathOf("set")).existing, names);
}

TEST(SnapkeepTest, ALoadStartsInTheDefaultFolderOrMakesItOrElseOnTheHomeFolder) {
    PictureFolder disk;
    disk.write("file", "kept");
    ASSERT_EQ(CreateFolder(disk.pathOf("Snapkeep/")), 0);
    ASSERT_EQ(CreateFolder(disk.pathOf("unreadable/")), 0);
    chmod(disk.pathOf("unreadable").c_str(), 0);
    const struct {
        std::string folder;
        bool created;
        std::string browseFrom;
    } rows[] = {
        {disk.pathOf("Snapkeep/"), false, disk.pathOf("Snapkeep/")},
        {disk.pathOf("new/Snapkeep/"), true, disk.pathOf("new/Snapkeep/")},
        {disk.pathOf("file/"), false, HomeFolder()},           // a file in the folder's place
        {disk.pathOf("file/Snapkeep/"), false, HomeFolder()},  // cannot be made
        // A folder that cannot be read (its mode does not keep root from reading it).
        {disk.pathOf("unreadable/"), false,
         IsListableFolder(disk.pathOf("unreadable/")) ? disk.pathOf("unreadable/") : HomeFolder()},
    };
    for (const auto& row : rows) {
        const SnapkeepLoadStart start = StartSnapkeepLoad(row.folder);
        EXPECT_EQ(start.created, row.created) << row.folder;
        EXPECT_EQ(start.browseFrom, row.browseFrom) << row.folder;
    }
    EXPECT_TRUE(IsListableFolder(disk.pathOf("new/Snapkeep/")));
    EXPECT_EQ(disk.read("file"), "kept");
    chmod(disk.pathOf("unreadable").c_str(), 0700);
}

}  // namespace
}  // namespace lumaro
