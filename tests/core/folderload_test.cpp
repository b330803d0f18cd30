// Loading folders: widths made equal, the unnumbered numbered, taken names and six digits heeded.
#include "core/renaming/folderload.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "jpegbytes.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

using namespace jpegbytes;

class FolderLoadTest : public ::testing::Test {
protected:
    void write(std::initializer_list<const char*> names) {
        for (const char* name : names) folder_.write(name);
    }
    LoadFolderResult load(const std::string& format = "-1", const std::string& sort = "N") {
        list_.currentFolder = folder_.path();
        list_.fileType = "jpg";
        LoadFolderOptions options;
        options.askFirstNumbering = [&, format, sort] {
            ++questions_;
            return FirstNumberingAnswer{format, sort};
        };
        return LoadFolder(list_, options);
    }
    std::vector<std::string> listed() const {
        std::vector<std::string> names;
        for (const PictureEntry& entry : list_.avant) names.push_back(entry.fileName());
        return names;
    }
    // The folder holds exactly `names`, each still with the content it was written with.
    void expectFolder(const std::vector<std::pair<std::string, std::string>>& nameAndOrigin) {
        std::vector<std::string> names;
        for (const auto& [name, origin] : nameAndOrigin) {
            names.push_back(name);
            EXPECT_EQ(folder_.read(name), "content of " + origin) << name;
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(folder_.names(), names);
    }

    PictureFolder folder_;
    PictureList list_;
    int questions_ = 0;
};

TEST_F(FolderLoadTest, WidthsAreMadeEqualAndTheUnnumberedTailIsNumberedOn) {
    write({"07  a.jpg", "123  b.jpg", "zz.jpg"});
    const LoadFolderResult result = load();
    EXPECT_EQ(result.outcome, LoadOutcome::Loaded);
    EXPECT_TRUE(result.namesChanged);
    EXPECT_EQ(questions_, 0);
    expectFolder(
        {{"007  a.jpg", "07  a.jpg"}, {"123  b.jpg", "123  b.jpg"}, {"124--.jpg", "zz.jpg"}});
    EXPECT_EQ(listed(), (std::vector<std::string>{"007  a.jpg", "123  b.jpg", "124--.jpg"}));
    EXPECT_EQ(list_.numberWidth, 3);
    EXPECT_EQ(list_.pictureCount, 3);
    EXPECT_FALSE(list_.folderNumbered);
}

TEST_F(FolderLoadTest, AnUnnumberedNameWithTwoSpacesIsNeverPaddedAsIfNumbered) {
    write({"07  a.jpg", "123  b.jpg", "a  b.jpg"});
    load();
    expectFolder(
        {{"007  a.jpg", "07  a.jpg"}, {"123  b.jpg", "123  b.jpg"}, {"124--.jpg", "a  b.jpg"}});
}

TEST_F(FolderLoadTest, CompletionKeepsTheCaptionOfANumberedPictureItRenumbers) {
    write({"01--.jpg", "01x.jpg", "02  c.jpg"});
    load();
    expectFolder({{"01--.jpg", "01--.jpg"}, {"02--.jpg", "01x.jpg"}, {"03  c.jpg", "02  c.jpg"}});
}

TEST_F(FolderLoadTest, CompletionThatOutgrowsTheWidthGivesEveryNameTheNewWidth) {
    write({"98--.jpg", "99  x.jpg", "a.jpg", "b.jpg"});
    load();
    expectFolder({{"098--.jpg", "98--.jpg"},
                  {"099  x.jpg", "99  x.jpg"},
                  {"100--.jpg", "a.jpg"},
                  {"101--.jpg", "b.jpg"}});
    EXPECT_EQ(list_.numberWidth, 3);
}

TEST_F(FolderLoadTest, CompletionPastSixDigitsStopsWithoutRenaming) {
    write({"999999--.jpg", "zz.jpg"});
    const LoadFolderResult result = load();
    EXPECT_EQ(result.outcome, LoadOutcome::TooManyPictures);
    EXPECT_EQ(result.messageKey, 34);
    expectFolder({{"999999--.jpg", "999999--.jpg"}, {"zz.jpg", "zz.jpg"}});
}

TEST_F(FolderLoadTest, PaddingOntoATakenNameKeepsBothFilesAndReportsIt) {
    write({"007  a.jpg", "07  a.jpg", "123  b.jpg"});
    const LoadFolderResult result = load();
    ASSERT_EQ(result.failedRenames.size(), 1u);
    EXPECT_EQ(result.failedRenames[0].fromName, "07  a.jpg");
    EXPECT_EQ(result.failedRenames[0].toName, "007  a.jpg");
    EXPECT_EQ(result.failedRenames[0].result.status, RenameResult::Status::TargetExists);
    expectFolder(
        {{"007  a.jpg", "007  a.jpg"}, {"07  a.jpg", "07  a.jpg"}, {"123  b.jpg", "123  b.jpg"}});
}

TEST_F(FolderLoadTest, FirstNumberingInsertsNumbersInNameOrder) {
    write({"b.jpg", "a.jpg", "c.jpg"});
    const LoadFolderResult result = load("2", "N");
    EXPECT_EQ(questions_, 1);
    EXPECT_EQ(result.outcome, LoadOutcome::FirstNumbered);
    expectFolder({{"01  a.jpg", "a.jpg"}, {"02  b.jpg", "b.jpg"}, {"03  c.jpg", "c.jpg"}});
    EXPECT_EQ(listed(), (std::vector<std::string>{"01  a.jpg", "02  b.jpg", "03  c.jpg"}));
    EXPECT_TRUE(list_.sortByDateNext);
    ASSERT_EQ(list_.olds.size(), 3u);  // the pairs that allow the numbering to be cancelled
    EXPECT_EQ(list_.apres[1], "02  b");
    EXPECT_EQ(list_.olds[1], (PictureEntry{"b", ".jpg"}));
}

TEST_F(FolderLoadTest, FirstNumberingRenamesKeepEachFilesOwnExtension) {
    write({"x.jpg", "y.JPG", "z.Jpg"});
    load("1", "N");
    expectFolder({{"01--.jpg", "x.jpg"}, {"02--.JPG", "y.JPG"}, {"03--.Jpg", "z.Jpg"}});
    EXPECT_EQ(listed(), (std::vector<std::string>{"01--.jpg", "02--.JPG", "03--.Jpg"}));
}

TEST_F(FolderLoadTest, FirstNumberingByDateNumbersInPictureDateOrder) {
    Exif early, late;
    early.date = "2001:01:01 00:00:00";
    late.date = "2009:01:01 00:00:00";
    folder_.write("a.jpg", Picture(ExifApp1(late)));
    folder_.write("b.jpg", Picture(ExifApp1(early)));
    folder_.write("c.jpg", Picture(""));
    const LoadFolderResult result = load("2", "D");
    EXPECT_TRUE(result.someWithoutDate);
    EXPECT_FALSE(list_.sortByDateNext);
    EXPECT_EQ(folder_.names(), (std::vector<std::string>{"01  c.jpg", "02  b.jpg", "03  a.jpg"}));
}

TEST_F(FolderLoadTest, LeavingOrCancellingTheFirstNumberingRenamesNothing) {
    write({"b.jpg", "a.jpg"});
    LoadFolderResult result = load("3");
    EXPECT_EQ(result.outcome, LoadOutcome::LeftUnnumbered);
    EXPECT_EQ(listed(), (std::vector<std::string>{"a.jpg", "b.jpg"}));
    EXPECT_FALSE(list_.folderNumbered);
    result = load("-1");
    EXPECT_EQ(result.outcome, LoadOutcome::Cancelled);
    EXPECT_TRUE(list_.avant.empty());
    expectFolder({{"a.jpg", "a.jpg"}, {"b.jpg", "b.jpg"}});
}

TEST_F(FolderLoadTest, InsertThatWouldGiveAnUnnumberedNameIsRefusedBeforeAnyRename) {
    write({"a.jpg", "x--y.jpg"});
    const LoadFolderResult result = load("2");
    EXPECT_EQ(result.outcome, LoadOutcome::InsertWouldUnnumber);
    EXPECT_EQ(result.refusedNames, std::vector<std::string>{"x--y.jpg"});
    expectFolder({{"a.jpg", "a.jpg"}, {"x--y.jpg", "x--y.jpg"}});
}

TEST_F(FolderLoadTest, FirstNumberingPastSixDigitsStopsWithoutRenaming) {
    write({"a.jpg", "b.jpg"});
    list_.startNumber = 999999;
    const LoadFolderResult result = load("1");
    EXPECT_EQ(result.outcome, LoadOutcome::TooManyPictures);
    EXPECT_EQ(result.messageKey, 34);
    expectFolder({{"a.jpg", "a.jpg"}, {"b.jpg", "b.jpg"}});
}

TEST_F(FolderLoadTest, FirstNumberingOntoATakenNameKeepsBothFilesAndPairsOnlyWhatMoved) {
    write({" x.jpg", "01--.jpg"});
    const LoadFolderResult result = load("1");
    ASSERT_EQ(result.failedRenames.size(), 1u);  // " x" -> 01-- fails; 01-- -> 02-- moves
    expectFolder({{" x.jpg", " x.jpg"}, {"02--.jpg", "01--.jpg"}});
    EXPECT_EQ(result.failedRenames[0].fromName, " x.jpg");
    EXPECT_EQ(list_.olds, (std::vector<PictureEntry>{{"01--", ".jpg"}}));
}

TEST_F(FolderLoadTest, EmptyAndUnreadableFoldersAreToldApart) {
    folder_.write("a.png");
    folder_.write("empty.jpg", "");
    LoadFolderResult result = load();
    EXPECT_EQ(result.outcome, LoadOutcome::NoPictures);
    EXPECT_EQ(result.messageKey, 102);
    folder_.write("a.jpg");
    list_.currentFolder = folder_.pathOf("missing");
    result = LoadFolder(list_, {});
    EXPECT_EQ(result.outcome, LoadOutcome::Unreadable);
    EXPECT_TRUE(list_.avant.empty());
    list_.currentFolder = "";  // never read as the working folder
    EXPECT_EQ(LoadFolder(list_, {}).outcome, LoadOutcome::Unreadable);
}

// A command checks its rules on the plan of the load before anything is renamed: the plan
// must be the load itself, in name and in date order, down to the renames that will fail.
TEST(FolderLoadPlanTest, APlanGivesTheListAndResultOfTheLoadAndRenamesNothing) {
    const struct {
        const char* what;
        std::vector<std::string> names;  // a name ending with '/' is a folder
        std::string format;              // the answer when the folder is not numbered
        std::string sort = "N";
    } rows[] = {
        {"widths made equal, the tail numbered on", {"07  a.jpg", "123  b.jpg", "zz.jpg"}, "-1"},
        {"padded names come first in name and date order",
         {"099  a.jpg", "10  b.jpg", "11  c.jpg"},
         "-1"},
        {"a padded name another picture bears", {"1  a.jpg", "01  a.jpg", "02  b.JPG"}, "-1"},
        {"a completed name a folder bears", {"01  a.jpg", "02  b.jpg", "x.jpg", "03--.jpg/"}, "-1"},
        {"a completion that outgrows the width", {"98--.jpg", "99  x.jpg", "a.jpg", "b.jpg"}, "-1"},
        {"first numbering by inserting, by date", {"b.jpg", "a.JPG", "c.jpg"}, "2", "D"},
        {"first numbering that would not number", {"x--y.jpg", "a.jpg"}, "2"},
        {"an unnumbered folder left alone", {"b.jpg", "a.jpg"}, "3"},
    };
    for (const auto& row : rows) {
        PictureFolder folder;
        for (const std::string& name : row.names) {
            if (name.back() == '/') {
                mkdir(folder.pathOf(name).c_str(), 0755);
            } else {
                folder.write(name);
            }
        }
        LoadFolderOptions options;
        options.askFirstNumbering = [&row] { return FirstNumberingAnswer{row.format, row.sort}; };
        PictureList planned;
        planned.currentFolder = folder.path();
        planned.fileType = "jpg";
        PictureList loaded = planned;
        const std::vector<std::string> before = folder.names();

        const LoadFolderResult plan = PlanFolderLoad(planned, options);
        PictureList plannedByDate = planned;
        RelistPlanned(plannedByDate, plan.plannedRenames, ListCriterion::Date);
        EXPECT_EQ(folder.names(), before) << row.what;

        const LoadFolderResult load = LoadFolder(loaded, options);
        EXPECT_EQ(plan.outcome, load.outcome) << row.what;
        EXPECT_EQ(plan.namesChanged, load.namesChanged) << row.what;
        EXPECT_EQ(plan.equalisedCount, load.equalisedCount) << row.what;
        EXPECT_EQ(plan.completedCount, load.completedCount) << row.what;
        EXPECT_EQ(plan.refusedNames, load.refusedNames) << row.what;
        ASSERT_EQ(plan.failedRenames.size(), load.failedRenames.size()) << row.what;
        for (size_t i = 0; i < plan.failedRenames.size(); ++i) {
            EXPECT_EQ(plan.failedRenames[i].fromName, load.failedRenames[i].fromName) << row.what;
            EXPECT_EQ(plan.failedRenames[i].toName, load.failedRenames[i].toName) << row.what;
        }
        EXPECT_EQ(planned.avant, loaded.avant) << row.what;
        EXPECT_EQ(planned.olds, loaded.olds) << row.what;
        EXPECT_EQ(planned.numberWidth, loaded.numberWidth) << row.what;
        EXPECT_EQ(planned.pictureCount, loaded.pictureCount) << row.what;
        EXPECT_EQ(planned.folderNumbered, loaded.folderNumbered) << row.what;
        Relist(loaded, ListCriterion::Date);
        EXPECT_EQ(plannedByDate.avant, loaded.avant) << row.what;
    }
}

}  // namespace
}  // namespace lumaro
