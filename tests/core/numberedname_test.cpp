// The numbered-name rules, refused file types, and the picture list's sorted lists and undo pairs.
#include "core/naming/numberedname.h"

#include <gtest/gtest.h>

#include "core/naming/picturelist.h"

namespace lumaro {
namespace {

TEST(NumberedNameTest, NumberPrefixWidthReadsOnlyTheConvention) {
    struct Row {
        const char* name;
        int width;
    };
    const Row rows[] = {
        {"0123--", 4},     {"0123--x", -1},   {"0123  ", 4},      {"0123  Vacances", 4},
        {"1--", -1},       {"1  x", -1},      {"1234567  x", -1}, {"123456  x", 6},
        {"123456--", 6},   {"1234567--", -1}, {"12a4  x", -1},    {"01  x--y", -1},
        {"0001  --x", -1}, {"0123  a--b", 4}, {"0123  a  b", 4},  {"--", -1},
        {"a  b", -1},      {"", -1},          {" 12  x", -1},     {"12 3  x", -1},
    };
    for (const Row& row : rows) EXPECT_EQ(NumberPrefixWidth(row.name), row.width) << row.name;
}

TEST(NumberedNameTest, WidthForCountSwitchesAtEachDecade) {
    const std::pair<long long, int> rows[] = {
        {0, 2},     {99, 2},    {100, 3},    {999, 3},     {1000, 4},     {9999, 4},
        {10000, 5}, {99999, 5}, {100000, 6}, {1000000, 6}, {1000001, -1},
    };
    for (const auto& [count, width] : rows) EXPECT_EQ(WidthForCount(count), width) << count;
}

TEST(NumberedNameTest, NumbersKeepTheirWidthAndReadBackAsTheLeadingDigits) {
    EXPECT_EQ(FormatNumber(7, 2), "07");
    EXPECT_EQ(FormatNumber(7, 6), "000007");
    EXPECT_EQ(FormatNumber(124, 3), "124");
    EXPECT_EQ(NumberOnlyName(12, 4), "0012--");
    EXPECT_EQ(CaptionedName(3, 2, "Vacances"), "03  Vacances");
    EXPECT_EQ(ReadAsNumber("0123  x"), 123);
    EXPECT_EQ(ReadAsNumber(" 12"), 0);
    EXPECT_EQ(ReadAsNumber("-5"), 0);
    EXPECT_EQ(ReadAsNumber("007--"), 7);
}

TEST(NumberedNameTest, FileTypesThatCannotEndAFileNameAreRefused) {
    EXPECT_EQ(ValidateFileType(""), FileTypeCheck::Empty);
    EXPECT_EQ(ValidateFileType("jpg"), FileTypeCheck::Ok);
    EXPECT_EQ(ValidateFileType("JPEG"), FileTypeCheck::Ok);
    EXPECT_EQ(ValidateFileType("j/g"), FileTypeCheck::NotInFileName);
    EXPECT_EQ(ValidateFileType(".jpg"), FileTypeCheck::NotInFileName);
    EXPECT_EQ(ValidateFileType("jpg,jpeg"), FileTypeCheck::NotInFileName);  // not a list of types
    EXPECT_EQ(ValidateFileType(std::string_view("jp\0g", 4)), FileTypeCheck::NotInFileName);
}

TEST(PictureListTest, SortedListOrdersNamesAddedInAnyOrderWithTheNameOrder) {
    SortedNameList list;
    for (const char* name : {"b", "DSCF0001", "A", "DSC_0001", "a"}) list.add(name);
    EXPECT_EQ(list.items(), (std::vector<std::string>{"A", "a", "b", "DSC_0001", "DSCF0001"}));
    list.add("c");
    EXPECT_EQ(list[3], "c");
}

TEST(PictureListTest, UndoPairsStayPartnersWhateverOrderTheyCameIn) {
    PictureList list;
    list.setUndoPairs({{{"zz", ".JPG"}, "02--"}, {{"aa", ".jpg"}, "01--"}});
    ASSERT_EQ(list.apres.size(), 2u);
    EXPECT_EQ(list.apres[0], "01--");
    EXPECT_EQ(list.olds[0], (PictureEntry{"aa", ".jpg"}));
    EXPECT_EQ(list.apres[1], "02--");
    EXPECT_EQ(list.olds[1], (PictureEntry{"zz", ".JPG"}));
}

}  // namespace
}  // namespace lumaro
