// Ctrl+Z and Ctrl+Shift+Z: undoing the newest operation of the current folder still intact and
// not undone, and taking the last undo back, each after a question, even across a restart;
// the list is read again after.
#include <QKeySequence>
#include <QListWidget>
#include <QShortcut>

#include "core/history/history.h"
#include "core/locking/folderlock.h"
#include "core/settings/messagekeys.h"
#include "core/undo/undo.h"
#include "gui/app/form1.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "trash/trash.h"

namespace lumaro {

void Form1::attachUndoShortcut() {
    auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    connect(undo, &QShortcut::activated, this, [this] { UndoLastOperationOfFolder(); });
    auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this);
    connect(redo, &QShortcut::activated, this, [this] { RedoLastUndoOfFolder(); });
}

void Form1::UndoLastOperationOfFolder() { stepThroughHistory(false); }

void Form1::RedoLastUndoOfFolder() { stepThroughHistory(true); }

// Why a plan cannot be carried out, shown; false then.
static bool showRefusal(Form1& form, const UndoPlan& plan) {
    int key = 0;
    switch (plan.status) {
        case UndoPlan::Status::Ready:
            return true;
        case UndoPlan::Status::Nothing:
            key = plan.redo ? kMessageNothingToRedo : kMessageNothingToUndo;
            break;
        case UndoPlan::Status::Changed:
            key = plan.redo ? kMessageRedoChanged : kMessageUndoChanged;
            break;
        case UndoPlan::Status::Lossy:
            key = kMessageUndoLossy;
            break;
    }
    QString text = form.message(key);
    if (plan.status == UndoPlan::Status::Changed && !plan.changedName.empty())
        text += QStringLiteral("\n") + PathText(plan.changedName);
    Dialogs().message(&form, QString(), text);
    return false;
}

void Form1::stepThroughHistory(bool redo) {
    if (pictures.currentFolder.empty()) return;
    const UndoPlan plan =
        redo ? PlanRedo(pictures.currentFolder) : PlanUndo(pictures.currentFolder);
    if (!showRefusal(*this, plan)) return;
    // The kind in the user's language; the command line's name where the language lacks one.
    const QString kind = message(kMessageOperationKinds)
                             .split(QLatin1Char('|'))
                             .value(static_cast<int>(plan.operation.kind) - 1,
                                    QString::fromUtf8(OperationKindName(plan.operation.kind)));
    const QString question =
        message(redo ? kMessageRedoQuestion : kMessageUndoQuestion)
            .arg(kind)
            .arg(plan.operation.files.size())
            .arg(QString::fromStdString(OperationTimeText(plan.operation.time)));
    if (Dialogs().question(this, QString(), question) != kAnswerYes) return;
    if (!goOnWithoutHistory(pictures.currentFolder)) return;
    const FolderLock lock(pictures.currentFolder);
    if (messages().refusedAsBusy(lock)) return;
    ClosePhotoWindow();
    dropPendingMove();
    ClearViewerSlot(1);
    ClearViewerSlot(2);
    const UndoResult result =
        redo ? RedoLastUndo(pictures.currentFolder, UndoTrashHooks(), &plan)
             : UndoLastOperation(pictures.currentFolder, UndoTrashHooks(), &plan);
    if (!result.plan.ready()) showRefusal(*this, result.plan);
    if (!result.plan.renamed.empty())
        messages().showNames(kMessageUndoOtherNames, result.plan.renamed);
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
