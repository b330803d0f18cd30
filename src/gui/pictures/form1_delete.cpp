// Deleting the picture of display slot 1 to the Trash, after a question, and refilling the list.
// Only when the Trash cannot take it is it deleted permanently, after a second question.
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <cstring>

#include "core/files/fileoperations.h"
#include "core/history/history.h"
#include "core/settings/messagekeys.h"
#include "gui/app/form1.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "trash/trash.h"

namespace lumaro {

void Form1::pictbttn_Del_Click() { DeletePicture(); }

void Form1::DeletePicture() {
    const QString shown = ImageV_1->fileName();
    if (shown.isEmpty()) return;
    const QString text = message(kMessageDelete) + QStringLiteral(" '") +
                         QFileInfo(shown).completeBaseName() + QStringLiteral("' ?");
    if (Dialogs().question(this, message(kMessageDeleteFile), text) == kAnswerYes) {
        ClearViewerSlot(1);
        const std::string path = PathBytes(shown);
        const TrashOutcome trashed = MoveToTrash(path);
        if (trashed.moved()) {
            trashedFrom = path;
            trashedTo = trashed.pathInTrash;
            HistoryOperation deleted;
            deleted.kind = OperationKind::Delete;
            deleted.effect = OperationEffect::ToTrash;
            deleted.files.push_back({path, trashed.pathInTrash});
            RecordByFolder(deleted);
        } else if (Dialogs().question(this, message(kMessageDeleteFile),
                                      message(kMessageTrashFailedDeletePermanently) +
                                          QStringLiteral("\n") + shown + QStringLiteral("\n(") +
                                          QString::fromStdString(trashed.error) +
                                          QStringLiteral(")")) == kAnswerYes) {
            if (const int error = DeletePictureFile(path)) {
                Dialogs().message(this, QString(),
                                  message(kMessageDeleteFailed) + QStringLiteral("\n") + shown +
                                      QStringLiteral("\n(") +
                                      QString::fromLocal8Bit(std::strerror(error)) +
                                      QStringLiteral(")"));
            }
        }
    }
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
