// The folder choice requests: each feature's texts, the request handed on to the new-folder
// dialog, the names that dialog accepts, and the folder the browser opens on.
#include "core/windows/folderrequest.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "core/files/folderentries.h"
#include "core/settings/languagetable.h"
#include "core/settings/messagekeys.h"

namespace lumaro {
namespace {

LanguageTable english() {
    LanguageTable table;
    table.resize(kLanguageKeyCount);
    table.applyEnglish();
    return table;
}

struct TextsRow {
    FolderChoice use;
    const char* caption;
    const char* newFolderTitle;
    const char* newFolderLabel;
    const char* ok;
};

TEST(FolderRequestTest, EachFeatureGetsItsOwnTextsAndTheHomeFolderWhenNoneIsKnown) {
    setenv("HOME", "/home/anna", 1);
    const LanguageTable table = english();
    const TextsRow rows[] = {
        {FolderChoice::MoveToFolder, "Destination folder", "New destination folder",
         "New destination folder in", "Transfer"},
        {FolderChoice::SlideShowFolder, "Slide show folder", "New slide show folder",
         "New slide show folder in", "OK"},
        {FolderChoice::SnapkeepSave, "Destination folder", "New destination folder",
         "New destination folder in", "Save as Snapkeep"},
    };
    for (const TextsRow& row : rows) {
        const FolderRequest request = FolderRequestFor(row.use, table, "");
        SCOPED_TRACE(row.ok);
        EXPECT_EQ(request.folder, "/home/anna/");
        EXPECT_EQ(request.cancelCaption, "Cancel");
        EXPECT_EQ(request.caption, row.caption);
        EXPECT_EQ(request.newFolderCaption, "New folder");
        EXPECT_EQ(request.newFolderTitle, row.newFolderTitle);
        EXPECT_EQ(request.newFolderLabel, row.newFolderLabel);
        EXPECT_EQ(request.browseCaption, "Browse");
        EXPECT_EQ(request.okCaption, row.ok);
        EXPECT_EQ(request.folderLabel, "Folder");
        EXPECT_EQ(request.nameRefused, table.text(kMessageFolderNameRefused));
        EXPECT_FALSE(request.nameRefused.empty());
    }
    EXPECT_EQ(FolderRequestFor(FolderChoice::MoveToFolder, table, "/data/Rome/").folder,
              "/data/Rome/");
    unsetenv("HOME");  // the account's home, as for the history and the Trash
    EXPECT_EQ(HomeFolder(), WithTrailingSeparator(getpwuid(getuid())->pw_dir));
}

TEST(FolderRequestTest, NewFolderRequestCarriesTheCancelCaptionTitleLabelAndWorkingFolder) {
    const FolderRequest request = FolderRequestFor(FolderChoice::SlideShowFolder, english(), "/x/");
    const NewFolderRequest asked = NewFolderRequestFor(request, "/data/2024/");
    EXPECT_EQ(asked.name, "");
    EXPECT_EQ(asked.cancelCaption, "Cancel");
    EXPECT_EQ(asked.caption, "New slide show folder");
    EXPECT_EQ(asked.label, "New slide show folder in");
    EXPECT_EQ(asked.folder, "/data/2024/");
    EXPECT_EQ(asked.nameRefused, request.nameRefused);
}

TEST(FolderRequestTest, OnlyNamesThatNameOneFolderAreAccepted) {
    const struct {
        std::string name;
        bool accepted;
    } rows[] = {
        {"Rome", true},
        {"Été 2024", true},
        {" padded ", true},  // kept as typed: spaces are legal in a name
        {"...", true},
        {".hidden", true},
        {std::string(255, 'a'), true},
        {"", false},
        {"   ", false},
        {"\t", false},
        {".", false},
        {"..", false},
        {" .. ", false},  // trimmed, it would climb out of the folder
        {"a/b", false},
        {"/", false},
        {std::string("a\0b", 3), false},
        {std::string(256, 'a'), false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsAcceptableFolderName(row.name), row.accepted) << '"' << row.name << '"';
    }
}

TEST(FolderRequestTest, BrowserOpensOnTheFolderWithoutItsFinalSlashButTheRootStays) {
    EXPECT_EQ(BrowserStartFolder("/data/Rome/"), "/data/Rome");
    EXPECT_EQ(BrowserStartFolder("/data/Rome"), "/data/Rome");
    EXPECT_EQ(BrowserStartFolder("/"), "/");
}

}  // namespace
}  // namespace lumaro
