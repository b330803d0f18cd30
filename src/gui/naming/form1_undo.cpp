// Ctrl+Z: undoing the last operation of the current folder still intact on disk, after a
// question, even one made before the program was last started; the list is read again after.
#include <QKeySequence>
#include <QListWidget>
#include <QShortcut>

#include "core/locking/folderlock.h"
#include "core/naming/undo.h"
#include "core/settings/messagekeys.h"
#include "gui/app/form1.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "trash/trash.h"

namespace lumaro {

void Form1::attachUndoShortcut() {
    auto* undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, this, [this] { UndoLastOperationOfFolder(); });
}

void Form1::UndoLastOperationOfFolder() {
    if (pictures.currentFolder.empty()) return;
    const UndoPlan plan = PlanUndo(pictures.currentFolder);
    switch (plan.status) {
        case UndoPlan::Status::Ready:
            break;
        case UndoPlan::Status::Nothing:
            Dialogs().message(this, QString(), message(kMessageNothingToUndo));
            return;
        case UndoPlan::Status::Changed:
            Dialogs().message(
                this, QString(),
                message(kMessageUndoChanged) + QStringLiteral("\n") + PathText(plan.changedName));
            return;
        case UndoPlan::Status::Lossy:
            Dialogs().message(this, QString(), message(kMessageUndoLossy));
            return;
    }
    // The kind in the user's language; the command line's name where the language lacks one.
    const QString kind = message(kMessageOperationKinds)
                             .split(QLatin1Char('|'))
                             .value(static_cast<int>(plan.operation.kind) - 1,
                                    QString::fromUtf8(OperationKindName(plan.operation.kind)));
    const QString question =
        message(kMessageUndoQuestion)
            .arg(kind)
            .arg(plan.operation.files.size())
            .arg(QString::fromStdString(OperationTimeText(plan.operation.time)));
    if (Dialogs().question(this, QString(), question) != kAnswerYes) return;
    const FolderLock lock(pictures.currentFolder);
    if (messages().refusedAsBusy(lock)) return;
    ClosePhotoWindow();
    dropPendingMove();
    ClearViewerSlot(1);
    ClearViewerSlot(2);
    const UndoResult result = UndoLastOperation(pictures.currentFolder, UndoTrashHooks());
    if (!result.failures.empty()) messages().showNames(kMessageUndoFailed, result.failures);
    const int top = firstVisibleLine();
    pictures.clearUndoPairs();
    RefreshList(ListCriterion::Name);
    ListedByName();
    setFirstVisibleLine(top);
    ApplyWindowState(WindowState::ApplyCancelled);
    lb_Avant->setFocus();
}

}  // namespace lumaro
