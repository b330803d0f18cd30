// Renumbering: the placement rules, widths and answers, and never a number another picture bears.
#include "core/renaming/renumber.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "namingfolder.h"

namespace lumaro {
namespace {

using Names = std::vector<std::string>;

Names oneToNine() {
    Names bases;
    for (int i = 1; i <= 9; ++i)
        bases.push_back("0" + std::to_string(i) + "  p" + std::to_string(i));
    return bases;
}

TEST(RenumberTest, ARunBetweenFreeNumbersIsAcceptedAndOneIntoTakenNumbersRefused) {
    struct Row {
        std::vector<int> selection;
        long long start;
        RenumberOutcome expected;
    };
    const Row rows[] = {
        {{2, 3, 4}, 20, RenumberOutcome::Proposed},                   // 03-05 of 01-09 from 20
        {{2, 3, 4}, 7, RenumberOutcome::Overlap},                     // from 07: meets 07 to 09
        {{0, 1, 2, 3, 4, 5, 6, 7, 8}, 5, RenumberOutcome::Proposed},  // everything
        {{2, 3, 4}, 3, RenumberOutcome::Proposed},                    // the same numbers
        {{2, 3, 4}, 1, RenumberOutcome::Overlap},
    };
    for (const Row& row : rows) {
        NamingFolder f(oneToNine());
        f.list.allSelected = true;
        const RenumberResult result = Renumber(f.list, row.selection, row.start, "2");
        EXPECT_EQ(result.outcome, row.expected) << row.start;
        if (row.expected == RenumberOutcome::Overlap) {
            EXPECT_EQ(result.messageKey(), 73);
            EXPECT_TRUE(f.list.apres.empty());
            EXPECT_TRUE(f.list.selectedIndices.empty());
            EXPECT_FALSE(f.list.allSelected);
        } else {
            EXPECT_EQ(f.list.apres.size(), row.selection.size());
        }
    }
}

TEST(RenumberTest, NewNamesKeepTheirCaptionsAndShowFirstAndLast) {
    NamingFolder f({"0003  a", "0004--", "0009  z"});
    const RenumberResult result = Renumber(f.list, {0, 1}, 4, "4");
    ASSERT_EQ(result.outcome, RenumberOutcome::Proposed);
    EXPECT_EQ(result.firstNewName, "0004  a");
    EXPECT_EQ(result.lastNewName, "0005--");
    EXPECT_EQ(f.list.apres.items(), (Names{"0004  a", "0005--"}));
    EXPECT_EQ(f.list.olds[1].base, "0004--");
    EXPECT_EQ(f.list.startNumber, 4);
    EXPECT_EQ(f.list.numberWidth, 4);
}

TEST(RenumberTest, WidthComesFromTheCountUnlessATypedWidthFits) {
    struct Row {
        long long start;
        size_t count;
        const char* typed;
        int expected;
    };
    const Row rows[] = {
        {1, 9, "1", 2},      {1, 9, "", 2},         {1, 9, "4", 4},
        {1, 9, "6", 6},      {90, 9, "2", 2},       {91, 9, "2", 3},  // the count reaches 100
        {1, 150, "2", 3},    {1, 150, "4", 4},      {5000, 10, "3", 4},
        {999990, 10, "", 6}, {999991, 10, "6", -1},  // beyond a million: seven digits
        {2, 999999, "", -1},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RenumberWidth(row.start, row.count, row.typed), row.expected)
            << row.start << " " << row.count << " '" << row.typed << "'";
    }
}

TEST(RenumberTest, TooLargeANumberStopsWithMessage34AndNothingChanges) {
    NamingFolder f({"01  a", "02  b"});
    const RenumberResult result = Renumber(f.list, {0}, 999999, "");
    EXPECT_EQ(result.outcome, RenumberOutcome::TooLarge);
    EXPECT_EQ(result.messageKey(), 34);
    EXPECT_TRUE(f.list.apres.empty());
}

TEST(RenumberTest, DialogAnswersAreCheckedForDigitsAndWidth) {
    const std::tuple<const char*, const char*, RenumberAnswer> rows[] = {
        {"12", "4", RenumberAnswer::Accepted},  {"12", " ", RenumberAnswer::Accepted},
        {"12", "0", RenumberAnswer::Accepted},  {"12", "", RenumberAnswer::Accepted},
        {"", "4", RenumberAnswer::Cancelled},   {"1a", "4", RenumberAnswer::NotDigits},
        {"-1", "4", RenumberAnswer::NotDigits}, {"12", "7", RenumberAnswer::BadWidth},
        {"12", "x", RenumberAnswer::BadWidth},  {"", "9", RenumberAnswer::BadWidth},
    };
    for (const auto& [first, width, expected] : rows) {
        EXPECT_EQ(CheckRenumberAnswer(first, width), expected) << first << " / " << width;
    }
}

TEST(RenumberTest, NamesThatWouldLoseTheirNumberAreRefused) {
    NamingFolder narrower({"0001  a--", "0002  b"});  // "01  a--" would not be numbered
    EXPECT_EQ(Renumber(narrower.list, {0, 1}, 1, "2").outcome, RenumberOutcome::WouldUnnumber);
    NamingFolder mixed({"01  a", "IMG_2"});
    const RenumberResult result = Renumber(mixed.list, {0, 1}, 5, "");
    EXPECT_EQ(result.outcome, RenumberOutcome::NotNumbered);
    EXPECT_EQ(result.refusedNames, Names{"IMG_2.jpg"});
    EXPECT_TRUE(mixed.list.apres.empty());
}

TEST(RenumberTest, CancelDropsTheProposalAndRereadsTheList) {
    NamingFolder f(oneToNine());
    ASSERT_EQ(Renumber(f.list, {0}, 20, "").outcome, RenumberOutcome::Proposed);
    CancelRenumber(f.list);
    EXPECT_TRUE(f.list.apres.empty());
    EXPECT_TRUE(f.list.olds.empty());
    EXPECT_EQ(f.listed(), oneToNine());
}

TEST(RenumberTest, NumbersOfAListInDateOrderThatThePlacementRulesMissAreRefused) {
    // Numbers 05 01 02 03 as listed by date: 02 lies below all... but is taken.
    EXPECT_EQ(RenumberOverlapCheck({5, 1, 2, 3}, {0}, 2), 0);
    EXPECT_EQ(RenumberOverlapCheck({5, 1, 2, 3}, {0}, 4), 1);
}

// The placement rules as they read, one decision after the other.
bool placementRules(const std::vector<long long>& num, const std::vector<int>& sel, long long b) {
    const long long S = static_cast<long long>(sel.size());
    const long long N = static_cast<long long>(num.size());
    const long long F = num[sel.front()];
    const long long L = num[sel.back()];
    if (S == N) return true;
    if (b + S - 1 < num[0]) return true;
    if (num[N - 1] < b) return true;
    if (F == b && L == b + S - 1) return true;
    if (b < F) {
        if (F == num[0]) return true;
        for (long long i = 0; i <= N - S; ++i) {
            if (num[i] == b) return false;
            if (num[i] > b) return b + S - 1 < num[i] || num[i] == F;
        }
        return false;
    }
    if (L == num[N - 1] && L < b + S) return true;
    for (long long i = N - 1; i >= S - 1; --i) {
        if (num[i] <= b) {
            const bool pastEnd = i + 1 >= N;
            return pastEnd || b + S - 1 < num[i + 1] || num[i] == b + S - 1;
        }
    }
    return true;
}

TEST(RenumberTest, RandomFoldersNeverAcceptANewNumberThatAnotherPictureBears) {
    std::mt19937 random(20240607);
    int acceptedByRules = 0;
    int meetingsCaught = 0;
    for (int round = 0; round < 20000; ++round) {
        const int count = 1 + static_cast<int>(random() % 12);
        std::vector<long long> numbers;
        long long number = random() % 4;
        for (int i = 0; i < count; ++i) numbers.push_back(number += 1 + random() % 3);
        if (random() % 4 == 0) std::shuffle(numbers.begin(), numbers.end(), random);  // by date
        std::vector<int> selected;
        if (random() % 2) {  // a contiguous block
            const int first = static_cast<int>(random() % count);
            const int size = 1 + static_cast<int>(random() % (count - first));
            for (int k = 0; k < size; ++k) selected.push_back(first + k);
        } else {
            for (int i = 0; i < count; ++i) {
                if (random() % 2) selected.push_back(i);
            }
            if (selected.empty()) selected.push_back(static_cast<int>(random() % count));
        }
        const long long start = random() % (numbers.size() * 3 + 6);
        std::set<long long> outside;
        for (int i = 0, k = 0; i < count; ++i) {
            if (k < static_cast<int>(selected.size()) && selected[k] == i) {
                ++k;
            } else {
                outside.insert(numbers[i]);
            }
        }
        bool meets = false;
        for (long long n = start; n < start + static_cast<long long>(selected.size()); ++n) {
            meets = meets || outside.count(n) > 0;
        }
        const bool rules = placementRules(numbers, selected, start);
        acceptedByRules += rules;
        meetingsCaught += rules && meets;
        const int expected = rules && !meets ? static_cast<int>(selected.size()) : 0;
        ASSERT_EQ(RenumberOverlapCheck(numbers, selected, start), expected)
            << "round " << round << " start " << start;
    }
    EXPECT_GT(acceptedByRules, 5000);  // the rounds cover both answers
    EXPECT_GT(meetingsCaught, 50);     // and the cases the extra check exists for
}

}  // namespace
}  // namespace lumaro
