// Selecting pictures in the list, selecting all, and taking a picture's caption.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/settings/messagekeys.h"
#include "gui/app/form1.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"

namespace lumaro {

// Reads the selection of lb_Avant into the ascending list of selected indices.
void Form1::selectionFromList() {
    pictures.selectedIndices.clear();
    const int known = static_cast<int>(pictures.avant.size());
    for (const QModelIndex& index : lb_Avant->selectionModel()->selectedIndexes()) {
        if (index.row() < known) pictures.selectedIndices.push_back(index.row());
    }
    std::sort(pictures.selectedIndices.begin(), pictures.selectedIndices.end());
}

void Form1::lb_Avant_Select() {
    for (int slot = 3; slot <= 5; ++slot) ClearViewerSlot(slot);
    // A pending proposal and the undo information go; the order before a pending move stays,
    // for accepting or cancelling that move still needs it.
    if (moveInProgress) {
        pictures.apres.clear();
    } else {
        pictures.clearUndoPairs();
    }
    selectionFromList();
    const int k = static_cast<int>(pictures.selectedIndices.size());
    if (k == 0) {
        ApplyWindowState(WindowState::NothingSelected);
        cb_Tout->setText(message(kMessageSelectAll));
        ClearViewerSlot(1);
        ClearViewerSlot(2);
        return;
    }
    ApplyWindowState(WindowState::PicturesSelected);
    if (k == pictures.pictureCount) {
        pictures.allSelected = true;
        cb_Tout->setText(message(kMessageUnselect));
    } else {
        if (k == 1) ClearViewerSlot(2);
        pictures.allSelected = false;
        cb_Tout->setText(message(kMessageSelectAll));
    }
    ShowInViewerSlot(pictures.avant[pictures.selectedIndices.front()], 1);
    if (k >= 2) ShowInViewerSlot(pictures.avant[pictures.selectedIndices.back()], 2);
}

void Form1::cb_Tout_Click() {
    if (pictures.allSelected) {
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
    if (!pictures.avant.empty()) {
        ShowInViewerSlot(pictures.avant.front(), 1);
        ShowInViewerSlot(pictures.avant.back(), 2);
    }
    pictures.allSelected = true;
    ApplyWindowState(WindowState::AllSelected);
}

void Form1::UnselectAll() {
    {
        const QSignalBlocker quiet(lb_Avant);
        lb_Avant->clearSelection();
    }
    pictures.selectedIndices.clear();
    pictures.apres.clear();
    cb_Tout->setText(message(kMessageSelectAll));
    ClearViewerSlot(1);
    ClearViewerSlot(2);
    pictures.allSelected = false;
    ApplyWindowState(WindowState::SelectionCleared);
}

// The caption of the single selected picture goes into the caption box, ready for a rename.
void Form1::lb_Avant_RightButtonDown() {
    selectionFromList();
    if (pictures.selectedIndices.size() != 1) {
        Dialogs().message(this, QString(), message(kMessageSelectSinglePicture));
        return;
    }
    cb_Renumeroter->hide();
    const std::string& name = pictures.avant[pictures.selectedIndices.front()].base;
    const size_t space = name.find(' ');
    const size_t start =
        space == std::string::npos ? name.size() : name.find_first_not_of(' ', space);
    SetTextFromBytes(textb_Caption,
                     start == std::string::npos ? std::string() : name.substr(start));
}

}  // namespace lumaro
