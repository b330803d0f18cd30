// Deleting the picture of display slot 1 to the Trash, after a question, and refilling the list.
// A picture with companion files is deleted with them, alone, or not at all, as the user chooses
// in one question. Only when the Trash cannot take a file is it deleted permanently, after a
// second question.
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <cstring>

#include "core/files/fileoperations.h"
#include "core/history/history.h"
#include "core/listing/folderlisting.h"
#include "core/locking/folderlock.h"
#include "core/settings/messagekeys.h"
#include "gui/app/form1.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "trash/trash.h"

namespace lumaro {

void Form1::pictbttn_Del_Click() { DeletePicture(); }

namespace {

// The files to delete for the picture at `path`, after the question: the picture, and its
// companion files when the user chose them too; nothing when the user said no or cancelled.
std::vector<std::string> askWhatToDelete(Form1& form, const QString& shown,
                                         const std::string& path) {
    const QString caption = form.message(kMessageDeleteFile);
    const QString base = QFileInfo(shown).completeBaseName();
    const size_t slash = path.rfind('/');
    const std::string folder = path.substr(0, slash + 1);
    const std::vector<std::string> companions = CompanionNamesOf(folder, path.substr(slash + 1));
    if (companions.empty()) {
        const QString text =
            form.message(kMessageDelete) + QStringLiteral(" '") + base + QStringLiteral("' ?");
        if (Dialogs().question(&form, caption, text) != kAnswerYes) return {};
        return {path};
    }
    QString text = form.message(kMessageDeleteWithCompanions)
                       .arg(base)
                       .arg(static_cast<int>(companions.size()));
    for (const std::string& name : companions) text += QStringLiteral("\n") + PathText(name);
    const QStringList choices{form.message(kMessageDeleteChoiceWithCompanions),
                              form.message(kMessageDeleteChoicePictureAlone),
                              form.message(kMessageCancel)};
    switch (Dialogs().choose(&form, caption, text, choices)) {
        case 0: {
            std::vector<std::string> paths{path};
            for (const std::string& name : companions) paths.push_back(folder + name);
            return paths;
        }
        case 1:
            return {path};
        default:
            return {};
    }
}

// Why the Trash did not take a file, in the user's language where the program knows the words.
QString trashReason(Form1& form, const TrashOutcome& trashed) {
    if (trashed.refusal == TrashRefusal::TrashUnusable) return form.message(kMessageTrashUnusable);
    return QString::fromStdString(trashed.error);
}

}  // namespace

void Form1::DeletePicture() {
    const QString shown = ImageV_1->fileName();
    if (shown.isEmpty()) return;
    const std::vector<std::string> paths = askWhatToDelete(*this, shown, PathBytes(shown));
    if (!paths.empty() &&
        !goOnWithoutHistory(paths.front().substr(0, paths.front().rfind('/') + 1)))
        return;
    FolderLock lock;
    if (!paths.empty()) lock = FolderLock(FolderOfPath(paths.front()));
    if (messages().refusedAsBusy(lock)) return;
    if (!paths.empty()) ClearViewerSlot(1);
    HistoryOperation deleted = TrashOperation();  // the picture and its companions: one
    for (const std::string& path : paths) {
        const QString named = PathText(path);
        const TrashOutcome trashed = MoveToTrash(path);
        if (trashed.moved()) {
            deleted.files.push_back({path, trashed.pathInTrash});
            // A companion goes with its picture in the history only when the picture went too.
            deleted.files.back().companion =
                path != paths.front() && deleted.files.front().oldName == paths.front();
        } else if (Dialogs().question(this, message(kMessageDeleteFile),
                                      message(kMessageTrashFailedDeletePermanently) +
                                          QStringLiteral("\n") + named + QStringLiteral("\n(") +
                                          trashReason(*this, trashed) + QStringLiteral(")")) ==
                   kAnswerYes) {
            if (const int error = DeletePictureFile(path)) {
                Dialogs().message(this, QString(),
                                  message(kMessageDeleteFailed) + QStringLiteral("\n") + named +
                                      QStringLiteral("\n(") +
                                      QString::fromLocal8Bit(std::strerror(error)) +
                                      QStringLiteral(")"));
            }
        }
    }
    if (!deleted.files.empty()) RecordByFolder(deleted);
    // Yes or No, the list is read again by name from the disk.
    const int top = firstVisibleLine();
    const int caret = lb_Avant->currentRow();
    RefreshList(ListCriterion::Name);
    ListedByName();
    setFirstVisibleLine(top);
    // The last two places keep no selection: the caret entry may be the one that went.
    if (caret >= 0 && caret < pictures.pictureCount - 1) {
        selectRows({caret});
        ClearViewerSlot(2);
        ShowInViewerSlot(pictures.avant[static_cast<size_t>(caret)], 1);
        lb_Avant->setFocus();
        ApplyWindowState(WindowState::PicturesSelected);
    }
}

}  // namespace lumaro
