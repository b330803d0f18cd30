// Renaming the selection with a caption, applying the new names, and undoing either.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/renaming/composename.h"
#include "core/settings/messagekeys.h"
#include "gui/naming/namingarea.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/outcomemessages.h"
#include "operations/applyoperation.h"

namespace lumaro {

// A new caption goes to the top of the caption list, which is saved at once.
void NamingArea::recordCaption(const std::string& caption) {
    if (combo_Captions->count() == 0) combo_Captions->addItem(message(kMessageAvailableCaptions));
    for (int i = 1; i < combo_Captions->count(); ++i) {
        if (ItemBytes(combo_Captions, i) == caption) return;
    }
    InsertItemFromBytes(combo_Captions, 1, caption);
    pictbttn_ClearCaptions->setEnabled(true);
    combo_Captions->setCurrentIndex(0);
    context_.saveSettings();
}

void NamingArea::cb_Renommer_Click() {
    slots_->ClosePhotoWindow();
    const std::string caption = TextBytes(textb_Caption);
    selectionFromList();
    const RenameProposal proposal = ProposeRename(pictures_, pictures_.selectedIndices, caption);
    if (proposal.check == CaptionCheck::NotInFileName) {
        Dialogs().message(&window_, QString(), message(kMessageCaptionNotInFileName));
        return;
    }
    if (proposal.check == CaptionCheck::WouldUnnumber) {
        messages().showNames(kMessageCaptionWouldUnnumber, proposal.refusedNames);
        return;
    }
    if (proposal.numberOnly &&
        messages().confirm(message(kMessageContinueWithoutCaption)) != kAnswerYes)
        return;
    if (!caption.empty()) recordCaption(caption);

    dropPendingMove();
    StoreRenameProposal(pictures_, proposal, pictures_.selectedIndices);
    pictures_.pending.proposalCount = static_cast<int>(proposal.pairs.size());
    slots_->showProposedNames(proposal.firstNewName, proposal.lastNewName);
    pictures_.pending.lastProposalIndex = proposal.lastProposalIndex;
    applyStateAfter(NamingStep::ProposeRename, Outcome{});
    pictures_.pending.lastWasRenumber = false;
}

// Drops a pending rename or renumbering; nothing on disk changes.
void NamingArea::cancelProposal(void (*cancel)(PictureList&, const ListProgress&)) {
    slots_->ClosePhotoWindow();
    dropPendingMove();
    const int top = firstVisibleLine();
    UnselectAll();
    progress().run([&](const ListProgress& progress) { cancel(pictures_, progress); });
    ShowPictureList();
    setFirstVisibleLine(top);
    cb_Tout->setText(message(kMessageSelectAll));
    applyStateAfter(NamingStep::CancelProposal, Outcome{});
}

void NamingArea::cb_AnnulerRenommage_Click() { cancelProposal(&CancelRename); }

void NamingArea::cb_Appliquer_Click() {
    dropPendingMove();
    const int top = firstVisibleLine();
    ApplyOperation apply(
        pictures_, {pictures_.pending.lastWasRenumber, pictures_.pending.lastProposalIndex, {}});
    const Outcome outcome = context_.runOperation(
        pictures_.currentFolder, [&](const RunOptions& options) { return apply.run(options); });
    if (StoppedBeforeRunning(outcome)) return;
    slots_->ClearViewerSlot(1);
    slots_->ClearViewerSlot(2);
    ShowPictureList();
    setFirstVisibleLine(top);
    ShowOutcome(&window_, context_.languageTable(), outcome);
    cb_Tout->setText(message(kMessageSelectAll));
    pictures_.allSelected = false;
    applyStateAfter(NamingStep::Apply, outcome);
    // After a rename the next picture is ready for its own caption.
    if (apply.nextSelection() >= 0) {
        selectRows({apply.nextSelection()});
        lb_Avant_Select();
        textb_Caption->setFocus();
    }
}

void NamingArea::cb_AnnulerApplication_Click() {
    dropPendingMove();
    CancelApplyOperation cancel(pictures_);
    const Outcome outcome = context_.runOperation(
        pictures_.currentFolder, [&](const RunOptions& options) { return cancel.run(options); });
    if (StoppedBeforeRunning(outcome)) return;
    slots_->ClearViewerSlot(1);
    slots_->ClearViewerSlot(2);
    ShowPictureList();
    ShowOutcome(&window_, context_.languageTable(), outcome);
    pictures_.allSelected = false;
    cb_Tout->setText(message(kMessageSelectAll));
    applyStateAfter(NamingStep::CancelApply, outcome);
}

void NamingArea::textb_Caption_Change() {
    if (!textb_Caption->text().isEmpty()) {
        pictbttn_ClearCaptions->setEnabled(true);
    } else if (combo_Captions->count() == 1) {
        pictbttn_ClearCaptions->setEnabled(false);
    }
}

void NamingArea::combo_Captions_Select() {
    const int chosen = combo_Captions->currentIndex();
    if (chosen > 0) {
        SetTextFromBytes(textb_Caption, ItemBytes(combo_Captions, chosen));
        combo_Captions->setCurrentIndex(0);
    } else {
        combo_Captions->setCurrentIndex(-1);
    }
    lb_Avant->setFocus();
}

void NamingArea::pictbttn_ClearCaptions_Click() {
    textb_Caption->clear();
    textb_Caption->setFocus();
}

void NamingArea::pictbttn_ClearCaptions_RightButtonUp() {
    if (combo_Captions->count() == 1 || messages().confirm(message(kMessageClearAllCaptions),
                                                           QuestionRisk::Destructive) != kAnswerYes)
        return;
    combo_Captions->clear();
    combo_Captions->addItem(message(kMessageAvailableCaptions));
    combo_Captions->setCurrentIndex(-1);
    textb_Caption->clear();
    pictbttn_ClearCaptions->setEnabled(false);
}

}  // namespace lumaro
