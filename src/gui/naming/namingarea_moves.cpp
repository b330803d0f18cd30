// Moving a block of pictures in the list, accepting or cancelling the moves, and
// renumbering the selection.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/naming/numberedname.h"
#include "core/renaming/composename.h"
#include "core/renaming/renumber.h"
#include "core/settings/messagekeys.h"
#include "gui/naming/formrenumerotation.h"
#include "gui/naming/namingarea.h"
#include "gui/naming/targetmove.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/outcomemessages.h"
#include "operations/acceptmoveoperation.h"

namespace lumaro {

// The checks before every move; false when the block cannot move.
bool NamingArea::beginMove(bool* startedSequence) {
    selectionFromList();
    const BeginMoveResult begun =
        BeginMove(pictures_, pictures_.selectedIndices, moveInProgress, firstVisibleLine());
    switch (begun.check) {
        case MoveCheck::NotContiguous:
            Dialogs().message(&window_, message(begun.titleKey()), message(begun.messageKey()));
            return false;
        case MoveCheck::NotNumbered:
            messages().showNames(kMessageNotNumbered, begun.unnumberedNames);
            return false;
        case MoveCheck::NothingSelected:
            return false;
        case MoveCheck::Ok:
            break;
    }
    if (begun.startedSequence) cb_AnnulerDeplacer->setEnabled(true);
    if (startedSequence) *startedSequence = begun.startedSequence;
    return true;
}

// Before an operation fills the proposal lists anew: a pending move sequence ends, so that
// Accept can never rename by an order taken before that operation.
void NamingArea::dropPendingMove() {
    if (!moveInProgress) return;
    selectionFromList();
    DropMoveSequence(pictures_, moveInProgress);
    const int top = firstVisibleLine();
    ShowPictureList();
    selectRows(pictures_.selectedIndices);
    setFirstVisibleLine(top);
    for (int slot = 3; slot <= 5; ++slot) slots_->ClearViewerSlot(slot);
    cb_AccepterDeplacer->setEnabled(false);
    cb_AnnulerDeplacer->setEnabled(false);
}

// The list in its new order, the block selected, the block and its neighbours in the slots.
void NamingArea::showMoveResult(const MoveBlockResult& moved) {
    ShowPictureList();
    selectRows(moved.selection);
    if (moved.blockLast < 0 || moved.blockLast == moved.blockFirst) {
        slots_->ShowInViewerSlot(pictures_.avant[moved.blockFirst], 3);
    } else {
        slots_->ShowInViewerSlot(pictures_.avant[moved.blockFirst], 4);
        slots_->ShowInViewerSlot(pictures_.avant[moved.blockLast], 5);
    }
    if (moved.before >= 0)
        slots_->ShowInViewerSlot(pictures_.avant[moved.before], 1);
    else
        slots_->ClearViewerSlot(1);
    if (moved.after >= 0)
        slots_->ShowInViewerSlot(pictures_.avant[moved.after], 2);
    else
        slots_->ClearViewerSlot(2);
    setFirstVisibleLine(moved.topIndex);
    lb_Avant->repaint();
    pictbttn_ToStart1->setEnabled(moved.towardStartEnabled);
    pictbttn_ToStart10->setEnabled(moved.towardStartEnabled);
    pictbttn_ToEnd1->setEnabled(moved.towardEndEnabled);
    pictbttn_ToEnd10->setEnabled(moved.towardEndEnabled);
}

void NamingArea::moveSelection(int displacement, WindowState state) {
    if (!beginMove()) return;
    showMoveResult(MoveBlock(pictures_, displacement));
    ApplyWindowState(state);
}

void NamingArea::pictbttn_ToStart10_Click() {
    moveSelection(-10, WindowState::MovedTenTowardStart);
}
void NamingArea::pictbttn_ToStart1_Click() { moveSelection(-1, WindowState::MovedOneTowardStart); }
void NamingArea::pictbttn_ToEnd1_Click() { moveSelection(1, WindowState::MovedOneTowardEnd); }
void NamingArea::pictbttn_ToEnd10_Click() { moveSelection(10, WindowState::MovedTenTowardEnd); }

void NamingArea::pictbttn_TargetMove_Click() {
    bool started = false;
    if (!beginMove(&started)) return;
    slots_->offerDelete(false);
    TargetMove::Texts texts{message(kMessageTargetedMove),
                            message(kMessageInsertAfterNumber),
                            message(kMessageInsertAtStartHint),
                            message(kMessageDigitsOnly),
                            message(kMessageValueOutOfRange),
                            TargetMoveRange(pictures_),
                            QString()};
    TargetMove dialog(texts, &window_);
    Dialogs().execDialog(dialog);
    if (texts.answer.isEmpty()) {
        slots_->offerDelete(true);
        if (started) dropPendingMove();  // no move took place: the sequence it began ends
        return;
    }
    showMoveResult(MoveToTarget(pictures_, ReadAsNumber(texts.answer.toStdString())));
    ApplyWindowState(WindowState::MovedToTarget);
}

void NamingArea::cb_AccepterDeplacer_Click() {
    AcceptMoveOperation accept(pictures_, moveInProgress);
    const Outcome outcome = context_.runOperation(
        pictures_.currentFolder, [&](const RunOptions& options) { return accept.run(options); });
    if (StoppedBeforeRunning(outcome)) return;
    for (int slot = 1; slot <= 5; ++slot) slots_->ClearViewerSlot(slot);
    ShowPictureList();
    setFirstVisibleLine(pictures_.topIndex);
    ShowOutcome(&window_, context_.languageTable(), outcome);
    applyStateAfter(NamingStep::AcceptMove, outcome);
}

void NamingArea::cb_AnnulerDeplacer_Click() {
    progress().run(
        [&](const ListProgress& progress) { CancelMove(pictures_, moveInProgress, progress); });
    ShowPictureList();
    for (int slot = 1; slot <= 5; ++slot) slots_->ClearViewerSlot(slot);
    applyStateAfter(NamingStep::CancelMove, Outcome{});
}

void NamingArea::cb_Renumeroter_Click() {
    FormRenumerotation::Texts texts{message(kMessageNumbering),
                                    message(kMessageStartNumberingAt),
                                    message(kMessageNumberOfDigits),
                                    message(kMessageCancel),
                                    message(kMessageDigitsOnly),
                                    message(kMessageWidthOutOfRange),
                                    QString::number(pictures_.numberWidth),
                                    QString()};
    FormRenumerotation dialog(texts, &window_);
    Dialogs().execDialog(dialog);
    if (texts.firstNumber.isEmpty()) return;

    dropPendingMove();
    selectionFromList();
    const RenumberResult result =
        Renumber(pictures_, pictures_.selectedIndices,
                 ReadAsNumber(texts.firstNumber.toStdString()), texts.width.toStdString());
    switch (result.outcome) {
        case RenumberOutcome::Proposed:
            slots_->showProposedNames(result.firstNewName, result.lastNewName);
            pictures_.pending.proposalCount = static_cast<int>(result.pairs.size());
            pictures_.pending.lastWasRenumber = true;
            break;
        case RenumberOutcome::Overlap:
            Dialogs().message(&window_, QString(), message(result.messageKey()));
            slots_->hideProposedNames();
            selectRows({});
            cb_Tout->setText(message(kMessageSelectAll));
            pictures_.allSelected = false;
            break;
        case RenumberOutcome::TooLarge:
            Dialogs().message(&window_, QString(), message(result.messageKey()));
            break;
        case RenumberOutcome::NotNumbered:
            messages().showNames(kMessageNotNumbered, result.refusedNames);
            break;
        case RenumberOutcome::WouldUnnumber:
            messages().showNames(kMessageWidthWouldUnnumber, result.refusedNames);
            break;
        case RenumberOutcome::NothingSelected:
            break;
    }
    Outcome proposed;
    if (result.outcome != RenumberOutcome::Proposed) {
        proposed.kind = OutcomeKind::Refused;
        proposed.messageKey = result.messageKey() != 0 ? result.messageKey() : -1;
    }
    applyStateAfter(NamingStep::ProposeRenumbering, proposed);
}

void NamingArea::cb_AnnulerRenumerotage_Click() { cancelProposal(&CancelRenumber); }

}  // namespace lumaro
