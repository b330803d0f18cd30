// Selecting pictures in the list, selecting all, and taking a picture's caption.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/settings/messagekeys.h"
#include "gui/naming/namingarea.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"

namespace lumaro {

// Reads the selection of lb_Avant into the ascending list of selected indices.
void NamingArea::selectionFromList() {
    pictures_.selectedIndices.clear();
    const int known = static_cast<int>(pictures_.avant.size());
    for (const QModelIndex& index : lb_Avant->selectionModel()->selectedIndexes()) {
        if (index.row() < known) pictures_.selectedIndices.push_back(index.row());
    }
    std::sort(pictures_.selectedIndices.begin(), pictures_.selectedIndices.end());
}

void NamingArea::lb_Avant_Select() {
    for (int slot = 3; slot <= 5; ++slot) slots_->ClearViewerSlot(slot);
    // A pending proposal and the undo information go; the order before a pending move stays,
    // for accepting or cancelling that move still needs it.
    if (moveInProgress) {
        pictures_.apres.clear();
    } else {
        pictures_.clearUndoPairs();
    }
    selectionFromList();
    const int k = static_cast<int>(pictures_.selectedIndices.size());
    if (k == 0) {
        ApplyWindowState(WindowState::NothingSelected);
        cb_Tout->setText(message(kMessageSelectAll));
        slots_->ClearViewerSlot(1);
        slots_->ClearViewerSlot(2);
        return;
    }
    ApplyWindowState(WindowState::PicturesSelected);
    if (k == pictures_.pictureCount) {
        pictures_.allSelected = true;
        cb_Tout->setText(message(kMessageUnselect));
    } else {
        if (k == 1) slots_->ClearViewerSlot(2);
        pictures_.allSelected = false;
        cb_Tout->setText(message(kMessageSelectAll));
    }
    slots_->ShowInViewerSlot(pictures_.avant[pictures_.selectedIndices.front()], 1);
    if (k >= 2) slots_->ShowInViewerSlot(pictures_.avant[pictures_.selectedIndices.back()], 2);
}

void NamingArea::cb_Tout_Click() {
    if (pictures_.allSelected) {
        UnselectAll();
        return;
    }
    {
        const QSignalBlocker quiet(lb_Avant);
        lb_Avant->selectAll();
    }
    selectionFromList();
    lb_Avant->repaint();
    cb_Tout->setText(message(kMessageUnselect));
    if (!pictures_.avant.empty()) {
        slots_->ShowInViewerSlot(pictures_.avant.front(), 1);
        slots_->ShowInViewerSlot(pictures_.avant.back(), 2);
    }
    pictures_.allSelected = true;
    ApplyWindowState(WindowState::AllSelected);
}

void NamingArea::UnselectAll() {
    {
        const QSignalBlocker quiet(lb_Avant);
        lb_Avant->clearSelection();
    }
    pictures_.selectedIndices.clear();
    pictures_.apres.clear();
    cb_Tout->setText(message(kMessageSelectAll));
    slots_->ClearViewerSlot(1);
    slots_->ClearViewerSlot(2);
    pictures_.allSelected = false;
    ApplyWindowState(WindowState::SelectionCleared);
}

// The caption of the single selected picture goes into the caption box, ready for a rename.
void NamingArea::lb_Avant_RightButtonDown() {
    selectionFromList();
    if (pictures_.selectedIndices.size() != 1) {
        Dialogs().message(&window_, QString(), message(kMessageSelectSinglePicture));
        return;
    }
    cb_Renumeroter->hide();
    const std::string& name = pictures_.avant[pictures_.selectedIndices.front()].base;
    const size_t space = name.find(' ');
    const size_t start =
        space == std::string::npos ? name.size() : name.find_first_not_of(' ', space);
    SetTextFromBytes(textb_Caption,
                     start == std::string::npos ? std::string() : name.substr(start));
}

void NamingArea::listAgainByName() {
    RefreshList(ListCriterion::Name);
    ListedByName();
}

int NamingArea::caretRow() const { return lb_Avant->currentRow(); }

void NamingArea::focusList() { lb_Avant->setFocus(); }

QRect NamingArea::listGeometry() const { return lb_Avant->geometry(); }

void NamingArea::offerCaptionClearing(bool offered) { pictbttn_ClearCaptions->setEnabled(offered); }

}  // namespace lumaro
