// The rules that meet names in a folder whose file system ignores letter case, on an ordinary
// folder told to be such a one: collisions, free names, companions and a rename that changes
// only letter case, each checked on disk.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "core/disks/namecase.h"
#include "core/files/fileoperations.h"
#include "core/files/transfer.h"
#include "core/listing/folderlisting.h"
#include "core/renaming/renamepasses.h"
#include "core/snapkeep/snapkeep.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

using Files = std::map<std::string, std::string>;

// What a rule did, in a few words, to compare with what it should have done.
std::string keptOrDone(const RenamePassesResult& renamed) {
    std::string said;
    for (const RenameFailure& kept : renamed.failures) said += "kept " + kept.toName + "; ";
    return said + std::to_string(renamed.done.size()) + " renamed";
}

std::string renamed(const std::string& folder, const std::vector<RenamePair>& pairs) {
    return keptOrDone(RenameInTwoPasses(folder, pairs));
}

std::string companionsOf(const std::string& folder) {
    std::string said;
    for (const PictureEntry& entry :
         ListFolderOrdered(folder, "jpg", ListCriterion::Name).entries) {
        said += entry.fileName();
        for (const std::string& rest : entry.companions) said += " +" + rest;
    }
    return said;
}

// A picture moved in from another folder, and the name it took.
std::string movedIn(const std::string& folder, const Files& source) {
    PictureFolder other;
    for (const auto& [name, bytes] : source) other.write(name, bytes);
    const TransferOutcome moved = TransferPictures(other.path(), {{"IMG_1", ".jpg"}}, folder).at(0);
    return moved.moved() ? moved.target.substr(folder.size()) : "not moved";
}

std::string snapkeepCopies(const std::string& folder) {
    std::string said;
    for (const SnapkeepCopy& copy :
         PlanSnapkeepSave({{"01  a", ".jpg"}, {"01  A", ".jpeg"}}, "/nowhere/", folder).copies)
        said += copy.copyName + "; ";
    return said;
}

struct Row {
    const char* rule;
    Files before;
    std::function<std::string(const std::string& folder)> act;
    std::string said;
    Files after;
};

TEST(FoldedNames, NamesEqualOnceFoldedAreOneNameForEveryRule) {
    const Files rome = {{"rome.jpg", "rome"}};
    const Files ab = {{"a.jpg", "a"}, {"b.jpg", "b"}};
    const Row rows[] = {
        {"a new name another file bears in another case is taken", ab,
         [](const std::string& f) {
             return renamed(f, {{{"a", ".jpg"}, "B"}});
         },
         "kept B.jpg; 0 renamed", ab},
        {"two new names of one set equal once folded, accents included",
         ab,
         [](const std::string& f) {
             return renamed(
                 f, {{{"a", ".jpg"}, "\xC3\x89t\xC3\xA9"}, {{"b", ".jpg"}, "\xC3\xA9T\xC3\x89"}});
         },
         "kept \xC3\xA9T\xC3\x89.jpg; 1 renamed",
         {{"\xC3\x89t\xC3\xA9.jpg", "a"}, {"b.jpg", "b"}}},
        {"a rename that changes only letter case goes through a temporary name",
         rome,
         [](const std::string& f) {
             return renamed(f, {{{"rome", ".jpg"}, "Rome"}});
         },
         "1 renamed",
         {{"Rome.jpg", "rome"}}},
        {"a picture moved in takes a free name where its name is taken in another case",
         {{"img_1.jpg", "here"}},
         [](const std::string& f) {
             return movedIn(f, {{"IMG_1.jpg", "moved"}});
         },
         "IMG_1 (2).jpg",
         {{"img_1.jpg", "here"}, {"IMG_1 (2).jpg", "moved"}}},
        {"Snapkeep copies whose names differ only in case take free names",
         {},
         snapkeepCopies,
         "01  a.jpg; 01  A (2).jpg; ",
         {}},
        {"a sidecar named in another case is the picture's companion",
         {{"IMG_1.jpg", "p"}, {"IMG_1.NEF", "r"}, {"img_1.xmp", "s"}},
         companionsOf,
         "IMG_1.jpg +.NEF +.xmp",
         {{"IMG_1.jpg", "p"}, {"IMG_1.NEF", "r"}, {"img_1.xmp", "s"}}},
    };
    AssumeFoldersIgnoreCase(true);
    for (const Row& row : rows) {
        PictureFolder folder;
        for (const auto& [name, bytes] : row.before) folder.write(name, bytes);
        EXPECT_EQ(row.act(folder.path()), row.said) << row.rule;
        Files after;
        for (const std::string& name : folder.names()) after[name] = folder.read(name);
        EXPECT_EQ(after, row.after) << row.rule;  // no temporary name, nothing lost
    }
    AssumeFoldersIgnoreCase(std::nullopt);
}

}  // namespace
}  // namespace lumaro
