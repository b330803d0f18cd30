// Moving blocks in the list: steps, targets, refusals, and accepting or cancelling moves on disk.
#include "core/renaming/move.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "core/settings/messagekeys.h"
#include "namingfolder.h"

namespace lumaro {
namespace {

using Names = std::vector<std::string>;

// "01  p1", "02  p2", ...
Names numbered(int count) {
    Names bases;
    for (int i = 1; i <= count; ++i) {
        bases.push_back(std::string(i < 10 ? "0" : "") + std::to_string(i) + "  p" +
                        std::to_string(i));
    }
    return bases;
}

std::vector<int> places(int first, int count) {
    std::vector<int> out;
    for (int k = 0; k < count; ++k) out.push_back(first + k);
    return out;
}

class MoveTest : public ::testing::Test {
protected:
    MoveBlockResult move(NamingFolder& f, const std::vector<int>& selection, int displacement) {
        EXPECT_TRUE(BeginMove(f.list, selection, moving_, 0).ok());
        return MoveBlock(f.list, displacement);
    }
    bool moving_ = false;
};

TEST_F(MoveTest, AcceptedMoveRenumbersByPlaceAndCaptionsTravel) {
    NamingFolder f({"01  a", "02  b", "03  c", "04  d", "05  e"});
    const std::vector<std::string> before = f.contents();
    const BeginMoveResult begun = BeginMove(f.list, {3, 4}, moving_, 0);
    EXPECT_TRUE(begun.startedSequence);
    MoveBlock(f.list, -1);
    EXPECT_EQ(f.listed(), (Names{"01  a", "02  b", "04  d", "05  e", "03  c"}));
    EXPECT_EQ(f.folder.names().front(), "01  a.jpg");  // nothing on disk yet
    const AcceptMoveResult accepted = AcceptMove(f.list, moving_);
    EXPECT_TRUE(accepted.failures.empty());
    EXPECT_EQ(accepted.renamedCount, 3);
    EXPECT_EQ(f.listed(), (Names{"01  a", "02  b", "03  d", "04  e", "05  c"}));
    EXPECT_EQ(f.originOf("03  d"), "04  d");
    EXPECT_EQ(f.originOf("05  c"), "03  c");
    EXPECT_EQ(f.contents(), before);
    EXPECT_FALSE(moving_);
    EXPECT_TRUE(f.list.olds.empty());
}

TEST_F(MoveTest, AcceptAfterSeveralMovesUsesTheOrderBeforeTheFirstMove) {
    NamingFolder f({"01  a", "02  b", "03  c", "04  d", "05  e"});
    move(f, {3, 4}, -1);
    EXPECT_FALSE(BeginMove(f.list, {2, 3}, moving_, 0).startedSequence);
    MoveBlock(f.list, -1);
    AcceptMove(f.list, moving_);
    EXPECT_EQ(f.listed(), (Names{"01  a", "02  d", "03  e", "04  b", "05  c"}));
}

TEST_F(MoveTest, StepsStopAtEitherEndAndTellWhatTheSlotsShow) {
    struct Row {
        int first, count, displacement;
        int landsAt, before, after;
        bool towardStart, towardEnd;
    };
    const Row rows[] = {
        {3, 2, -10, 0, -1, 2, false, true},  // ten toward the start, only three before
        {3, 2, +10, 6, 5, -1, true, false},  // ten toward the end, fewer after
        {3, 2, -1, 2, 1, 4, true, true},    {3, 1, +1, 4, 3, 5, true, true},
        {5, 3, 0, 0, -1, 3, false, true},   // 0: to the start
        {0, 2, -1, 0, -1, 2, false, true},  // already first: stays
    };
    for (const Row& row : rows) {
        NamingFolder f(numbered(8));
        moving_ = false;
        const Names before = f.listed();
        const MoveBlockResult result = move(f, places(row.first, row.count), row.displacement);
        const std::string label =
            std::to_string(row.first) + " by " + std::to_string(row.displacement);
        EXPECT_EQ(result.selection, places(row.landsAt, row.count)) << label;
        EXPECT_EQ(result.blockFirst, row.landsAt) << label;
        EXPECT_EQ(result.blockLast, row.landsAt + row.count - 1) << label;
        EXPECT_EQ(result.before, row.before) << label;
        EXPECT_EQ(result.after, row.after) << label;
        EXPECT_EQ(result.towardStartEnabled, row.towardStart) << label;
        EXPECT_EQ(result.towardEndEnabled, row.towardEnd) << label;
        EXPECT_EQ(result.moved, row.landsAt != row.first) << label;
        for (int k = 0; k < row.count; ++k) {
            EXPECT_EQ(f.list.avant[row.landsAt + k].base, before[row.first + k]) << label;
        }
    }
}

TEST_F(MoveTest, TargetedMoveLandsRightAfterTheNumberOrStaysPut) {
    struct Row {
        long long target;
        int landsAt;  // block of places 3 and 4 (numbers 04 and 05) of ten pictures
    };
    const Row rows[] = {
        {0, 0},   // to the start
        {10, 8},  // the last number: to the end
        {1, 1},   // after 01, toward the start
        {7, 5},   // after 07, toward the end
        {3, 3},   // already right after 03: displacement 0 stays put
        {4, 3},   // a number of the block itself stays put
        {5, 3},
    };
    for (const Row& row : rows) {
        NamingFolder f(numbered(10));
        moving_ = false;
        ASSERT_TRUE(BeginMove(f.list, {3, 4}, moving_, 0).ok());
        const MoveBlockResult result = MoveToTarget(f.list, row.target);
        EXPECT_EQ(result.selection, places(row.landsAt, 2)) << row.target;
        EXPECT_EQ(f.list.avant[row.landsAt].base, "04  p4") << row.target;
    }
}

TEST_F(MoveTest, TargetedMoveToANumberNoPictureBearsLandsAfterTheNextSmaller) {
    NamingFolder f({"01  a", "02  b", "05  e", "06  f", "07  g"});
    ASSERT_TRUE(BeginMove(f.list, {0}, moving_, 0).ok());
    MoveToTarget(f.list, 4);
    EXPECT_EQ(f.listed(), (Names{"02  b", "01  a", "05  e", "06  f", "07  g"}));
}

TEST_F(MoveTest, TargetInsideTheBlockIsJudgedByTheBlocksNumbersNotByAnotherBearer) {
    // Another picture outside the block bears the block's number, before it in the list.
    NamingFolder twice({"02  a", "02  b", "02  c", "03  d"});
    ASSERT_TRUE(BeginMove(twice.list, {2, 3}, moving_, 0).ok());
    EXPECT_FALSE(MoveToTarget(twice.list, 2).moved);
    EXPECT_EQ(twice.listed(), (Names{"02  a", "02  b", "02  c", "03  d"}));
    EXPECT_EQ(AcceptMove(twice.list, moving_).renamedCount, 0);
    EXPECT_EQ(twice.listed(), (Names{"02  a", "02  b", "02  c", "03  d"}));

    // Listed by date: the dateless "03--" first.
    NamingFolder dated({"01  a", "02  b", "03  c", "03--"});
    dated.list.avant = {dated.list.avant[3], dated.list.avant[0], dated.list.avant[1],
                        dated.list.avant[2]};
    moving_ = false;
    ASSERT_TRUE(BeginMove(dated.list, {3}, moving_, 0).ok());
    EXPECT_FALSE(MoveToTarget(dated.list, 3).moved);
    EXPECT_EQ(dated.list.avant[3].base, "03  c");
}

TEST_F(MoveTest, AcceptRefusesAnOrderBeforeTheMovesThatIsNotTheList) {
    struct Road {
        const char* what;
        void (*spoil)(PictureList& list, bool& moving);
    };
    const Road roads[] = {
        {"a rename's pairs left while no move is pending",
         [](PictureList& list, bool& moving) {
             moving = false;
             list.olds = {list.avant[1]};
         }},
        {"a refused renumbering emptied the lists",
         [](PictureList& list, bool&) { list.clearUndoPairs(); }},
        {"the order holds other names",
         [](PictureList& list, bool&) { list.olds[0].base = "01  gone"; }},
    };
    for (const Road& road : roads) {
        NamingFolder f({"01  a", "02  b", "03  c"});
        moving_ = false;
        move(f, {1}, -1);
        road.spoil(f.list, moving_);
        const std::vector<std::string> before = f.contents();
        const AcceptMoveResult result = AcceptMove(f.list, moving_);
        EXPECT_EQ(result.messageKey, kMessageMoveOutdated) << road.what;
        EXPECT_EQ(result.renamedCount, 0) << road.what;
        EXPECT_EQ(f.contents(), before) << road.what;
        EXPECT_EQ(f.listed(), (Names{"01  a", "02  b", "03  c"})) << road.what;
        EXPECT_FALSE(moving_) << road.what;
    }
}

TEST_F(MoveTest, DroppedSequenceTakesBackTheDiskOrderAndFollowsTheSelection) {
    NamingFolder f({"01  a", "02  b", "03  c", "04  d"});
    move(f, {2, 3}, 0);  // 03 c, 04 d, 01 a, 02 b
    f.list.selectedIndices = {0, 3};
    DropMoveSequence(f.list, moving_);
    EXPECT_FALSE(moving_);
    EXPECT_EQ(f.listed(), (Names{"01  a", "02  b", "03  c", "04  d"}));
    EXPECT_EQ(f.list.selectedIndices, (std::vector<int>{1, 2}));  // 03 c and 02 b
    EXPECT_TRUE(f.list.olds.empty());
}

TEST_F(MoveTest, TargetAnswerAllowsZeroAndTheRangeOfTheNumberedNames) {
    NamingFolder f({"03  a", "04  b", "07  c", "x"});
    const TargetRange range = TargetMoveRange(f.list);
    EXPECT_EQ(range.firstText, "03");
    EXPECT_EQ(range.lastText, "07");
    const std::pair<const char*, TargetAnswer> rows[] = {
        {"", TargetAnswer::Cancelled},   {"0", TargetAnswer::Accepted},
        {"3", TargetAnswer::Accepted},   {"007", TargetAnswer::Accepted},
        {"2", TargetAnswer::OutOfRange}, {"8", TargetAnswer::OutOfRange},
        {"4a", TargetAnswer::NotDigits}, {" 4", TargetAnswer::NotDigits},
        {"-1", TargetAnswer::NotDigits},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(CheckTargetAnswer(text, range), expected) << text;
    }
}

TEST_F(MoveTest, BlocksWithHolesInNumbersOrPlacesAreRefused) {
    NamingFolder f({"01  a", "02  b", "03  c", "04  d", "05  e"});
    const BeginMoveResult holes = BeginMove(f.list, {2, 4}, moving_, 0);
    EXPECT_EQ(holes.check, MoveCheck::NotContiguous);
    EXPECT_EQ(holes.messageKey(), 62);
    EXPECT_EQ(holes.titleKey(), 33);
    EXPECT_FALSE(moving_);
    // After a move, places 1 and 3 hold 02 and 03: consecutive numbers, not places.
    move(f, {2}, -1);
    ASSERT_EQ(f.listed(), (Names{"01  a", "03  c", "02  b", "04  d", "05  e"}));
    EXPECT_EQ(BeginMove(f.list, {1, 3}, moving_, 0).check, MoveCheck::NotContiguous);
    // Adjacent places but numbers 03, 02: refused as well.
    EXPECT_EQ(BeginMove(f.list, {1, 2}, moving_, 0).check, MoveCheck::NotContiguous);
}

TEST_F(MoveTest, AListWithAnUnnumberedPictureCannotBeMoved) {
    NamingFolder f({"01  a", "02  b", "IMG_3"});
    const BeginMoveResult result = BeginMove(f.list, {0}, moving_, 0);
    EXPECT_EQ(result.check, MoveCheck::NotNumbered);
    EXPECT_EQ(result.unnumberedNames, Names{"IMG_3.jpg"});
}

TEST_F(MoveTest, CancelRestoresTheOrderOnDiskAndTouchesNoFile) {
    NamingFolder f({"01  a", "02  b", "03  c"});
    move(f, {2}, 0);
    CancelMove(f.list, moving_);
    EXPECT_EQ(f.listed(), (Names{"01  a", "02  b", "03  c"}));
    EXPECT_FALSE(moving_);
    EXPECT_EQ(f.originOf("03  c"), "03  c");
}

TEST_F(MoveTest, AcceptanceThatMeetsFaultsLosesNoFile) {
    NamingFolder f({"01  a", "02  b", "03  c", "04  d"});
    move(f, {3}, 0);  // 04 d to the start: every picture changes place
    std::remove(f.folder.pathOf("02  b.jpg").c_str());  // gone behind our back
    f.folder.write("02  a.jpg", "intruder");            // 01 a's new name is taken
    const std::vector<std::string> before = f.contents();
    const AcceptMoveResult result = AcceptMove(f.list, moving_);
    EXPECT_EQ(result.failures.size(), 2u) << DescribeRenameFailures(result.failures);
    EXPECT_EQ(f.contents(), before);
    EXPECT_EQ(f.folder.read("02  a.jpg"), "intruder");
    EXPECT_EQ(f.originOf("01  d"), "04  d");
    EXPECT_EQ(f.originOf("01  a"), "01  a");  // kept its name
    EXPECT_EQ(f.originOf("04  c"), "03  c");
}

TEST_F(MoveTest, AcceptanceInAReadOnlyFolderChangesNothing) {
    NamingFolder f({"01  a", "02  b", "03  c"});
    move(f, {2}, 0);
    const std::vector<std::string> before = f.contents();
    AcceptMoveResult result;
    {
        FrozenFolder frozen(f.folder.path());
        if (!frozen.active()) GTEST_SKIP() << "this system lets us write into a read-only folder";
        result = AcceptMove(f.list, moving_);
    }
    EXPECT_EQ(result.failures.size(), 3u);
    EXPECT_EQ(f.listed(), (Names{"01  a", "02  b", "03  c"}));
    EXPECT_EQ(f.contents(), before);
}

}  // namespace
}  // namespace lumaro
