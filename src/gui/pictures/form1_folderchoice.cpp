// The main window asks for a destination folder through its folder choice dialog.
#include "gui/app/form1.h"
#include "gui/pictures/formgetfolder.h"

namespace lumaro {

std::string Form1::ChooseFolder(FolderChoice use, const std::string& initialFolder) {
    FolderRequest request = FolderRequestFor(use, languageTable_, initialFolder);
    return RunFormGetFolder(request, this);
}

}  // namespace lumaro
