// Applying and cancelling renames on real folders: no temporary name meets a picture, no file lost.
#include "core/renaming/apply.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "core/renaming/composename.h"
#include "core/renaming/renumber.h"
#include "namingfolder.h"

namespace lumaro {
namespace {

using Names = std::vector<std::string>;

// Runs `atSecondPass` once, when the second rename pass starts.
ListProgress atSecondPass(std::function<void()> action) {
    auto starts = std::make_shared<int>(0);
    return [starts, action](int done, int) {
        if (done == 0 && ++*starts == 2) action();
    };
}

void proposeRename(NamingFolder& f, const std::vector<int>& selection, const std::string& caption) {
    const RenameProposal proposal = ProposeRename(f.list, selection, caption);
    ASSERT_EQ(proposal.check, CaptionCheck::Ok);
    StoreRenameProposal(f.list, proposal, selection);
}

TEST(ApplyTest, RenameGoesThroughTheTemporaryNameAndMovesOnToTheNextPicture) {
    NamingFolder f({"0012  A", "0013  B"});
    proposeRename(f, {0}, "Nord");
    Names between;
    ApplyOptions options;
    options.lastProposalIndex = 0;
    options.progress = atSecondPass([&] { between = f.folder.names(); });
    const ApplyResult result = Apply(f.list, options);
    EXPECT_EQ(between, (Names{".lumaro-journal", "0012x Nord.jpg", "0013  B.jpg"}));
    EXPECT_EQ(f.listed(), (Names{"0012  Nord", "0013  B"}));
    EXPECT_EQ(f.originOf("0012  Nord"), "0012  A");
    EXPECT_TRUE(result.failures.empty());
    EXPECT_EQ(result.renamedCount, 1);
    EXPECT_EQ(result.nextSelection, 1);
    EXPECT_EQ(f.list.apres.items(), Names{"0012  Nord"});  // the undo information
}

TEST(ApplyTest, RenumberingShiftsThroughTemporaryNamesWithoutMeetingAPicture) {
    NamingFolder f({"0003  a", "0004  b"});
    ASSERT_EQ(Renumber(f.list, {0, 1}, 4, "4").outcome, RenumberOutcome::Proposed);
    Names between;
    ApplyOptions options;
    options.lastWasRenumber = true;
    options.lastProposalIndex = 0;
    options.progress = atSecondPass([&] { between = f.folder.names(); });
    const ApplyResult result = Apply(f.list, options);
    // The plan's journal lies beside the pictures until the renames end.
    EXPECT_EQ(between, (Names{".lumaro-journal", "0004x a.jpg", "0005x b.jpg"}));
    EXPECT_EQ(f.listed(), (Names{"0004  a", "0005  b"}));
    EXPECT_EQ(f.originOf("0005  b"), "0004  b");
    EXPECT_TRUE(result.failures.empty());
    EXPECT_EQ(result.nextSelection, -1);  // a renumbering stays put
}

TEST(ApplyTest, CancelAfterARenumberingRestoresTheOldNamesAndOrder) {
    // Numbers moved up, and moved down: going back in one ascending pass would then meet
    // the next picture, which bears the same caption.
    for (const long long start : {4LL, 2LL}) {
        NamingFolder f({"0001  c", "0003  x", "0004  x", "0009  z"});
        const std::vector<std::string> before = f.contents();
        ASSERT_EQ(Renumber(f.list, {1, 2}, start, "4").outcome, RenumberOutcome::Proposed);
        ASSERT_TRUE(Apply(f.list).failures.empty());
        ASSERT_NE(f.originOf("0003  x"), "0003  x");
        const CancelApplyResult cancelled = CancelApply(f.list);
        EXPECT_TRUE(cancelled.failures.empty()) << start;
        EXPECT_EQ(f.listed(), (Names{"0001  c", "0003  x", "0004  x", "0009  z"})) << start;
        EXPECT_EQ(f.originOf("0003  x"), "0003  x");
        EXPECT_EQ(f.originOf("0004  x"), "0004  x");
        EXPECT_EQ(f.contents(), before);
        EXPECT_TRUE(f.list.olds.empty());
    }
}

TEST(ApplyTest, TemporaryNamesNeverMeetAPictureWhenTheFirstCaptionCarriesAMarker) {
    // The first new name has "--" inside its caption; files already sit on the names a
    // temporary name taken at that marker or at the number's end would have.
    NamingFolder f({"0001  a", "0002  b", "0001  ax-b", "0002  zxzz", "0001x a--b", "0002x zzzz"});
    f.list.olds = {{"0001  a", ".jpg"}, {"0002  b", ".jpg"}};
    f.list.apres.add("0001  a--b");
    f.list.apres.add("0002  zzzz");
    const std::vector<std::string> before = f.contents();
    const ApplyResult result = Apply(f.list);
    EXPECT_TRUE(result.failures.empty()) << DescribeRenameFailures(result.failures);
    EXPECT_EQ(f.originOf("0001  a--b"), "0001  a");
    EXPECT_EQ(f.originOf("0002  zzzz"), "0002  b");
    EXPECT_EQ(f.originOf("0001x a--b"), "0001x a--b");
    EXPECT_EQ(f.originOf("0002x zzzz"), "0002x zzzz");
    EXPECT_EQ(f.contents(), before);
}

TEST(ApplyTest, APictureThatAlreadyBearsItsNewNameIsASuccess) {
    NamingFolder f({"01  a", "02  b"});
    proposeRename(f, {0, 1}, "a");
    const ApplyResult result = Apply(f.list);
    EXPECT_TRUE(result.failures.empty());
    EXPECT_EQ(result.renamedCount, 2);
    EXPECT_EQ(f.listed(), (Names{"01  a", "02  a"}));
}

// Every row: an apply that meets a fault on disk keeps every file and names the pictures
// that kept their names; the files not concerned get their new names.
TEST(ApplyTest, FailedRenamesLoseNoFileAndAreReported) {
    struct Row {
        const char* fault;
        std::function<ListProgress(NamingFolder&)> inject;
        Names expected;         // folder names afterwards
        size_t failedPictures;  // rows naming a picture that kept its name
    };
    const auto none = [](NamingFolder&) { return ListProgress(); };
    const Row rows[] = {
        {"target exists", none, {"01  a.jpg", "01  n.jpg", "01x n.jpg", "02  n.jpg"}, 1},
        {"source removed behind our back",
         [](NamingFolder& f) {
             return ListProgress([&f](int done, int) {
                 if (done == 0) std::remove(f.folder.pathOf("02  b.jpg").c_str());
             });
         },
         {"01  a.jpg", "01  n.jpg", "01x n.jpg"},
         2},
        {"target taken between the passes",
         [](NamingFolder& f) {
             return atSecondPass([&f] { f.folder.write("02  n.jpg", "intruder"); });
         },
         {"01  a.jpg", "01  n.jpg", "01x n.jpg", "02  b.jpg", "02  n.jpg"},
         2},
    };
    for (const Row& row : rows) {
        // "01  n" is taken by a picture outside the selection; "01x n" sits where the first
        // picture's temporary name would be and must never be renamed.
        NamingFolder f({"01  a", "02  b", "03  c"});
        f.folder.write("01  n.jpg");
        f.folder.write("01x n.jpg");
        f.list.avant.clear();
        RelistByName(f.list);
        proposeRename(f, f.indicesOf({"01  a", "02  b"}), "n");
        std::vector<std::string> expectedContents = f.contents();
        ApplyOptions options;
        options.progress = row.inject(f);
        const ApplyResult result = Apply(f.list, options);
        Names names = f.folder.names();
        names.erase(std::remove(names.begin(), names.end(), "03  c.jpg"), names.end());
        EXPECT_EQ(names, row.expected) << row.fault;
        EXPECT_EQ(result.failures.size(), row.failedPictures)
            << row.fault << DescribeRenameFailures(result.failures);
        EXPECT_EQ(f.originOf("01x n"), "01x n") << row.fault;
        if (std::string(row.fault) == "source removed behind our back") {
            expectedContents.erase(std::find(expectedContents.begin(), expectedContents.end(),
                                             "content of 02  b.jpg"));
        }
        if (std::string(row.fault) == "target taken between the passes") {
            expectedContents.push_back("intruder");
            std::sort(expectedContents.begin(), expectedContents.end());
        }
        EXPECT_EQ(f.contents(), expectedContents) << row.fault;
    }
}

TEST(ApplyTest, SecondPassNeverTouchesAFileOnTheTemporaryNameOfAPictureThatDidNotMove) {
    NamingFolder f({"0001  A", "0002  B"});
    proposeRename(f, {0, 1}, "Nord");
    f.folder.write("0001x Nord.jpg", "not ours");
    std::remove(f.folder.pathOf("0001  A.jpg").c_str());
    const ApplyResult result = Apply(f.list);
    EXPECT_EQ(result.failures.size(), 1u);
    EXPECT_EQ(f.folder.read("0001x Nord.jpg"), "not ours");
    EXPECT_EQ(f.folder.names(), (Names{"0001x Nord.jpg", "0002  Nord.jpg"}));
}

TEST(ApplyTest, ReadOnlyFolderChangesNothingAndReportsEveryPicture) {
    NamingFolder f({"0003  a", "0004  b", "0005  c"});
    ASSERT_EQ(Renumber(f.list, {0, 1, 2}, 4, "4").outcome, RenumberOutcome::Proposed);
    const std::vector<std::string> before = f.contents();
    ApplyResult result;
    {
        FrozenFolder frozen(f.folder.path());
        if (!frozen.active()) GTEST_SKIP() << "this system lets us write into a read-only folder";
        result = Apply(f.list);
    }
    EXPECT_EQ(result.failures.size(), 3u);
    EXPECT_EQ(result.renamedCount, 0);
    EXPECT_EQ(f.folder.names(), (Names{"0003  a.jpg", "0004  b.jpg", "0005  c.jpg"}));
    EXPECT_EQ(f.contents(), before);
    EXPECT_TRUE(f.list.apres.empty());  // nothing to undo
}

}  // namespace
}  // namespace lumaro
