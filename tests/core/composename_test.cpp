// Composing names and proposing renames: captions kept or refused whole, pairs kept together.
#include "core/renaming/composename.h"

#include <gtest/gtest.h>

#include "namingfolder.h"

namespace lumaro {
namespace {

TEST(ComposeNameTest, KeepsTheNumberAndTakesTheCaptionOrTheNumberOnlyMarker) {
    struct Row {
        const char* old;
        const char* caption;
        const char* expected;
    };
    const Row rows[] = {
        {"0012  IMG_3456", "Vacances", "0012  Vacances"},
        {"0013--", "Vacances", "0013  Vacances"},
        {"0012  IMG_3456", "", "0012--"},
        {"0013--", "", "0013--"},
        {"000123  a  b", "c", "000123  c"},
        {"IMG_1234", "x", "I  x"},  // a folder left unnumbered: the first character stays
        {"1234", "x", "  x"},       // digits only: no number part
        {"", "x", "  x"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ComposeName(row.old, row.caption), row.expected)
            << row.old << " / " << row.caption;
    }
}

TEST(ComposeNameTest, RenameProposesOwnNumbersAndShowsFirstAndLastNames) {
    NamingFolder f({"0012  A", "0013  B", "0014--"});
    const std::vector<int> selection{0, 1};
    const RenameProposal proposal = ProposeRename(f.list, selection, "Nord");
    ASSERT_EQ(proposal.check, CaptionCheck::Ok);
    EXPECT_FALSE(proposal.numberOnly);
    EXPECT_EQ(proposal.firstNewName, "0012  Nord");
    EXPECT_EQ(proposal.lastNewName, "0013  Nord");
    EXPECT_EQ(proposal.lastProposalIndex, 1);
    StoreRenameProposal(f.list, proposal, selection);
    EXPECT_EQ(f.list.apres.items(), (std::vector<std::string>{"0012  Nord", "0013  Nord"}));
    EXPECT_EQ(f.list.olds[1].base, "0013  B");
    EXPECT_EQ(f.folder.names().size(), 3u);  // nothing on disk yet
}

TEST(ComposeNameTest, SinglePictureLeavesTheLastNameEmptyAndEmptyCaptionAsksFirst) {
    NamingFolder f({"01  a", "02  b"});
    const RenameProposal proposal = ProposeRename(f.list, {1}, "");
    EXPECT_TRUE(proposal.numberOnly);
    EXPECT_EQ(proposal.firstNewName, "02--");
    EXPECT_EQ(proposal.lastNewName, "");
}

TEST(ComposeNameTest, CaptionsThatCannotBeAFileNameOrWouldUnnumberAreRefusedWhole) {
    struct Row {
        std::vector<std::string> bases;
        std::string caption;
        CaptionCheck expected;
    };
    const Row rows[] = {
        {{"0001  a", "0002  b"}, "a/b", CaptionCheck::NotInFileName},
        {{"0001  a", "0002  b"}, std::string("a\0b", 3), CaptionCheck::NotInFileName},
        {{"0001  a", "0002  b"}, "--", CaptionCheck::WouldUnnumber},  // "0001  --"
        {{"01  a", "02  b"}, "--x", CaptionCheck::WouldUnnumber},     // "01  --x"
        {{"000001  a", "000002  b"}, "--", CaptionCheck::Ok},         // the marker comes late
        {{"0001  a", "0002  b"}, "a--b", CaptionCheck::Ok},
    };
    for (const Row& row : rows) {
        PictureList list;
        for (const std::string& base : row.bases) list.avant.push_back({base, ".jpg"});
        const RenameProposal proposal = ProposeRename(list, {0, 1}, row.caption);
        EXPECT_EQ(proposal.check, row.expected) << row.caption;
        if (row.expected != CaptionCheck::Ok) {
            EXPECT_TRUE(proposal.pairs.empty()) << row.caption;
        }
        if (row.expected == CaptionCheck::WouldUnnumber) {
            EXPECT_EQ(proposal.refusedNames.size(), 2u);
        }
    }
}

TEST(ComposeNameTest, ProposalPairsStayTogetherWhenTheListIsNotInNameOrder) {
    PictureList list;  // as listed by date: numbers out of name order
    list.avant = {{"03  c", ".jpg"}, {"01  a", ".jpg"}, {"02  b", ".JPG"}};
    const RenameProposal proposal = ProposeRename(list, {2, 0, 1}, "z");
    StoreRenameProposal(list, proposal, {2, 0, 1});
    ASSERT_EQ(list.olds.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(list.apres[i].substr(0, 2), list.olds[i].base.substr(0, 2));
    }
    EXPECT_EQ(list.olds[1].extension, ".JPG");
    EXPECT_EQ(list.selectedIndices, (std::vector<int>{0, 1, 2}));
}

TEST(ComposeNameTest, CancelRenameDropsTheProposalAndTheSelection) {
    NamingFolder f({"01  a", "02  b"});
    StoreRenameProposal(f.list, ProposeRename(f.list, {0}, "x"), {0});
    CancelRename(f.list);
    EXPECT_TRUE(f.list.apres.empty());
    EXPECT_TRUE(f.list.olds.empty());
    EXPECT_TRUE(f.list.selectedIndices.empty());
    EXPECT_EQ(f.listed(), (std::vector<std::string>{"01  a", "02  b"}));
}

}  // namespace
}  // namespace lumaro
