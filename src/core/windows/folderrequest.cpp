// Texts and path rules of the folder choice dialogs.
#include "core/windows/folderrequest.h"

#include <climits>

#include "core/files/folderentries.h"
#include "core/settings/languagetable.h"
#include "core/settings/messagekeys.h"

namespace lumaro {

namespace {
// Message keys of one feature's request, in the order of the request's texts from the cancel
// caption on; -1 stands for the fixed text "OK".
struct RequestKeys {
    int cancel, caption, newFolder, newFolderTitle, newFolderLabel, browse, ok, folderLabel;
};

RequestKeys keysFor(FolderChoice use) {
    RequestKeys keys{.cancel = kMessageCancel,
                     .caption = kMessageDestinationFolder,
                     .newFolder = kMessageNewFolder,
                     .newFolderTitle = kMessageNewDestinationFolder,
                     .newFolderLabel = kMessageNewDestinationFolderIn,
                     .browse = kMessageBrowse,
                     .ok = kMessageTransfer,
                     .folderLabel = kMessageFolder};
    if (use == FolderChoice::SlideShowFolder) {
        keys.caption = kMessageSlideShowFolder;
        keys.newFolderTitle = kMessageNewSlideShowFolder;
        keys.newFolderLabel = kMessageNewSlideShowFolderIn;
        keys.ok = -1;
    } else if (use == FolderChoice::SnapkeepSave) {
        keys.ok = kMessageSaveAsSnapkeep;
    }
    return keys;
}
}  // namespace

FolderRequest FolderRequestFor(FolderChoice use, const LanguageTable& table,
                               const std::string& initialFolder) {
    const RequestKeys keys = keysFor(use);
    FolderRequest request;
    request.folder = initialFolder.empty() ? HomeFolder() : initialFolder;
    request.cancelCaption = table.text(keys.cancel);
    request.caption = table.text(keys.caption);
    request.newFolderCaption = table.text(keys.newFolder);
    request.newFolderTitle = table.text(keys.newFolderTitle);
    request.newFolderLabel = table.text(keys.newFolderLabel);
    request.browseCaption = table.text(keys.browse);
    request.okCaption = keys.ok < 0 ? std::string("OK") : table.text(keys.ok);
    request.folderLabel = table.text(keys.folderLabel);
    request.nameRefused = table.text(kMessageFolderNameRefused);
    return request;
}

NewFolderRequest NewFolderRequestFor(const FolderRequest& request,
                                     const std::string& workingFolder) {
    return {std::string(),          request.cancelCaption, request.newFolderTitle,
            request.newFolderLabel, workingFolder,         request.nameRefused};
}

bool IsAcceptableFolderName(std::string_view name) {
    if (name.size() > NAME_MAX) return false;
    if (name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos)
        return false;
    const size_t first = name.find_first_not_of(" \t");
    if (first == std::string_view::npos) return false;
    const std::string_view trimmed = name.substr(first, name.find_last_not_of(" \t") + 1 - first);
    return trimmed != "." && trimmed != "..";
}

std::string BrowserStartFolder(const std::string& workingFolder) {
    std::string folder = workingFolder;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

}  // namespace lumaro
