// Ctrl+Z and Ctrl+Shift+Z: undoing the newest operation of the current folder still intact and
// not undone, and taking the last undo back, each after a question, even across a restart;
// the list is read again after.
#include <QKeySequence>
#include <QListWidget>
#include <QShortcut>

#include "core/history/history.h"
#include "core/settings/messagekeys.h"
#include "gui/naming/namingarea.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/outcomemessages.h"
#include "operations/undo/undostep.h"

namespace lumaro {

void NamingArea::attachUndoShortcut() {
    auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), &window_);
    connect(undo, &QShortcut::activated, this, [this] { UndoLastOperationOfFolder(); });
    auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &window_);
    connect(redo, &QShortcut::activated, this, [this] { RedoLastUndoOfFolder(); });
}

void NamingArea::UndoLastOperationOfFolder() { stepThroughHistory(false); }

void NamingArea::RedoLastUndoOfFolder() { stepThroughHistory(true); }

void NamingArea::stepThroughHistory(bool redo) {
    if (pictures_.currentFolder.empty()) return;
    UndoStep step(pictures_.currentFolder,
                  redo ? UndoStep::Direction::Redo : UndoStep::Direction::Undo);
    const Outcome planned = step.plan().outcome;
    if (planned.kind == OutcomeKind::Refused) {
        ShowOutcome(&window_, context_.languageTable(), planned);
        return;
    }
    const HistoryOperation& operation = step.planned().operation;
    // The kind in the user's language; the command line's name where the language lacks one.
    const QString kind = message(kMessageOperationKinds)
                             .split(QLatin1Char('|'))
                             .value(static_cast<int>(operation.kind) - 1,
                                    QString::fromUtf8(OperationKindName(operation.kind)));
    // One file is said in the singular, which leaves the count out of the question.
    const bool one = operation.files.size() == 1;
    const int key = one ? (redo ? kMessageRedoOneQuestion : kMessageUndoOneQuestion)
                        : (redo ? kMessageRedoQuestion : kMessageUndoQuestion);
    QString question = message(key).arg(kind);
    if (!one) question = question.arg(operation.files.size());
    question = question.arg(QString::fromStdString(OperationTimeText(operation.time)));
    if (Dialogs().question(&window_, QString(), question) != kAnswerYes) return;
    if (!context_.goOnWithoutHistory(pictures_.currentFolder)) return;
    RunOptions asked;  // the history was asked about
    asked.historyWaived = true;
    const Outcome done = step.run(asked, [this] {
        slots_->ClosePhotoWindow();
        dropPendingMove();
        slots_->ClearViewerSlot(1);
        slots_->ClearViewerSlot(2);
    });
    if (done.kind == OutcomeKind::FolderBusy) {
        ShowOutcome(&window_, context_.languageTable(), done);
        return;
    }
    if (!done.changedNothing() && !step.planned().renamed.empty())
        messages().showNames(kMessageUndoOtherNames, step.planned().renamed);
    ShowOutcome(&window_, context_.languageTable(), done);
    const int top = firstVisibleLine();
    pictures_.clearUndoPairs();
    RefreshList(ListCriterion::Name);
    ListedByName();
    setFirstVisibleLine(top);
    ApplyWindowState(WindowState::ApplyCancelled);
    lb_Avant->setFocus();
}

}  // namespace lumaro
