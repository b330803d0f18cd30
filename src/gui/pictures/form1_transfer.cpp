// Moving the selected pictures to another folder chosen in the folder dialog; each source goes
// only once its copy has been verified.
#include <QProgressBar>
#include <cstring>

#include "core/files/createfolder.h"
#include "core/files/fileoperations.h"
#include "core/files/transfer.h"
#include "core/history/history.h"
#include "core/locking/folderlock.h"
#include "core/settings/messagekeys.h"
#include "gui/app/form1.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"

namespace lumaro {

void Form1::cb_VersDossier_Click() { MoveToFolder(); }

void Form1::MoveToFolder() {
    const std::string destination = ChooseFolder(FolderChoice::MoveToFolder, copyToFolder);
    if (destination.empty()) return;
    // The picture folder under any spelling: moving there would copy each picture onto itself.
    if (destination == pictures.currentFolder || IsSameFolder(destination, pictures.currentFolder))
        return;
    if (destination != copyToFolder) {
        copyToFolder = CopyToFolderAfter(destination);
        SaveSettings();
    }
    if (!goOnWithoutHistory(pictures.currentFolder)) return;
    if (const int error = CreateFolder(destination, {.allLevels = false})) {
        Dialogs().message(this, QString(),
                          message(kMessageCannotCreateFolder) + QLatin1Char('\n') +
                              PathText(destination) + QLatin1Char('\n') +
                              QString::fromLocal8Bit(std::strerror(error)));
        return;
    }
    const FolderLock lock(std::vector<std::string>{pictures.currentFolder, destination});
    if (messages().refusedAsBusy(lock)) return;
    selectionFromList();
    std::vector<PictureEntry> chosen;
    for (const int index : pictures.selectedIndices)
        chosen.push_back(pictures.avant[static_cast<size_t>(index)]);
    const int n = static_cast<int>(chosen.size());
    // The pictures shown are released before their files are touched.
    ClearViewerSlot(1);
    ClearViewerSlot(2);
    progress().start();
    TransferOptions options;
    options.beforeEach = [this, n](int k) { progress().show(std::min(k + 1, n), n); };
    const std::vector<TransferOutcome> outcomes =
        TransferPictures(pictures.currentFolder, chosen, destination, options);
    RecordTransfer(pictures.currentFolder, destination, chosen, outcomes);
    progress().finish();
    std::vector<std::string> stayed, doubled;
    for (const TransferOutcome& outcome : outcomes) {
        if (outcome.moved()) continue;
        const std::string reason =
            outcome.error ? std::string(" (") + std::strerror(outcome.error) + ")" : "";
        (outcome.status == TransferOutcome::Status::SourceKept ? doubled : stayed)
            .push_back(outcome.source + reason);
    }
    // One message for all the pictures that stayed, rather than one box per picture.
    if (!stayed.empty()) messages().showNames(kMessageCopyFailed, stayed);
    if (!doubled.empty()) messages().showNames(kMessageOriginalNotDeleted, doubled);
    RefreshList(ListCriterion::Name);
    ListedByName();
    ApplyWindowState(pictures.pictureCount > 0 ? WindowState::NothingSelected
                                               : WindowState::NoFolder);
}

}  // namespace lumaro
