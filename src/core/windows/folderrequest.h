// The texts exchanged with the folder choice dialogs (FormGetFolder and the FormNewFolder it
// opens), the texts each feature passes them, and the rules they follow on folder paths and
// new folder names. Neither dialog touches the disk: the caller creates the folder it gets.
#pragma once

#include <string>
#include <string_view>

namespace lumaro {

class LanguageTable;

// What FormGetFolder is given and gives back.
struct FolderRequest {
    std::string folder;            // in: the folder shown; out: the folder chosen, ending in
                                   // '/', or empty when the dialog was not confirmed
    std::string cancelCaption;     // cb_Annul, also the cancel button of FormNewFolder
    std::string caption;           // window caption
    std::string newFolderCaption;  // cb_NewFolder
    std::string newFolderTitle;    // window caption of FormNewFolder
    std::string newFolderLabel;    // label of FormNewFolder, before the folder
    std::string browseCaption;     // cb_Browse
    std::string okCaption;         // cb_OK
    std::string folderLabel;       // label_F
    std::string nameRefused;       // said when FormNewFolder refuses a name
};

// What FormNewFolder is given and gives back.
struct NewFolderRequest {
    std::string name;           // out: the name typed, exactly; empty when cancelled
    std::string cancelCaption;  // cb_Annul
    std::string caption;        // window caption
    std::string label;          // label_FolderIn, before the folder
    std::string folder;         // the folder the new one is meant in
    std::string nameRefused;    // said when the name is refused
};

// The features that ask for a folder, each with its own texts.
enum class FolderChoice { MoveToFolder, SlideShowFolder, SnapkeepSave };

// The request of `use` with its texts from `table`; `initialFolder` is the folder shown, the
// home folder when empty.
FolderRequest FolderRequestFor(FolderChoice use, const LanguageTable& table,
                               const std::string& initialFolder);

// The request FormGetFolder hands FormNewFolder while `workingFolder` is shown.
NewFolderRequest NewFolderRequestFor(const FolderRequest& request,
                                     const std::string& workingFolder);

// A name FormNewFolder accepts: not empty once blanks are trimmed, not "." or "..", without
// '/' or a NUL byte, and short enough to be one folder name.
bool IsAcceptableFolderName(std::string_view name);

// The folder the browser opens on: the working folder without its final '/', "/" for the root.
std::string BrowserStartFolder(const std::string& workingFolder);

}  // namespace lumaro
