// Moving the selected pictures to another folder chosen in the folder dialog; each source goes
// only once its copy has been verified.
#include <QProgressBar>

#include "core/files/fileoperations.h"
#include "core/files/transfer.h"
#include "core/settings/messagekeys.h"
#include "gui/pictures/picturesarea.h"
#include "gui/toolkit/arealinks.h"
#include "gui/toolkit/outcomemessages.h"
#include "gui/toolkit/windowcontext.h"
#include "operations/picturetransfer.h"

namespace lumaro {

void PicturesArea::cb_VersDossier_Click() { MoveToFolder(); }

void PicturesArea::MoveToFolder() {
    const PictureList& pictures = list_.pictures();
    const std::string destination = ChooseFolder(FolderChoice::MoveToFolder, copyToFolder);
    if (destination.empty()) return;
    // The picture folder under any spelling: moving there would copy each picture onto itself.
    if (destination == pictures.currentFolder || IsSameFolder(destination, pictures.currentFolder))
        return;
    if (destination != copyToFolder) {
        copyToFolder = CopyToFolderAfter(destination);
        context_.saveSettings();
    }
    if (!context_.goOnWithoutHistory(pictures.currentFolder)) return;
    RunOptions asked;  // the history was asked about
    asked.historyWaived = true;
    list_.readSelection();
    std::vector<PictureEntry> chosen;
    for (const int index : pictures.selectedIndices)
        chosen.push_back(pictures.avant[static_cast<size_t>(index)]);
    const int n = static_cast<int>(chosen.size());
    const auto beforeEach = [this, n](int k) {
        if (k == 0) {  // the pictures shown are released before their files are touched
            ClearViewerSlot(1);
            ClearViewerSlot(2);
            context_.progress().start();
        }
        context_.progress().show(std::min(k + 1, n), n);
    };
    const Outcome outcome =
        PictureTransfer(pictures.currentFolder, chosen, destination).run(asked, beforeEach);
    context_.progress().finish();
    if (outcome.changedNothing()) {
        ShowOutcome(&context_.window(), context_.languageTable(), outcome);
        return;
    }
    // One message for all the pictures that stayed, rather than one box per picture, and one
    // for those now in both folders.
    Outcome stayed = outcome, doubled = outcome;
    doubled.messageKey = kMessageOriginalNotDeleted;
    std::erase_if(stayed.files, [](const OutcomeFile& file) { return !file.newName.empty(); });
    std::erase_if(doubled.files, [](const OutcomeFile& file) { return file.newName.empty(); });
    if (outcome.kind == OutcomeKind::SomeKept) {
        ShowOutcome(&context_.window(), context_.languageTable(), stayed);
        ShowOutcome(&context_.window(), context_.languageTable(), doubled);
    }
    list_.listAgainByName();
    list_.ApplyWindowState(pictures.pictureCount > 0 ? WindowState::NothingSelected
                                                     : WindowState::NoFolder);
}

}  // namespace lumaro
