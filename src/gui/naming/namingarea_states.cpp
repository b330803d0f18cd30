// Applying a window state: the table first, then the rules that read the list.
#include <QListWidget>
#include <QPushButton>

#include "core/settings/messagekeys.h"
#include "gui/naming/namingarea.h"
#include "gui/naming/windowstates.h"

namespace lumaro {

namespace {

void applyCell(QWidget* control, const char* cell) {
    for (const char* c = cell; *c; ++c) {
        switch (*c) {
            case 'E':
                control->setEnabled(true);
                break;
            case 'D':
                control->setEnabled(false);
                break;
            case 'S':
                control->setVisible(true);
                break;
            case 'H':
                control->setVisible(false);
                break;
            default:
                break;  // rules are applied after the table
        }
    }
}

bool isSelected(QListWidget* list, int row) {
    const QListWidgetItem* item = list->item(row);
    return item && item->isSelected();
}

}  // namespace

void NamingArea::applyStateAfter(NamingStep step, const Outcome& outcome) {
    if (const std::optional<WindowState> state = StateAfter(step, outcome))
        ApplyWindowState(*state);
}

void NamingArea::ApplyWindowState(WindowState state) {
    MainWindowState = state;
    if (state == WindowState::NoFolder || state == WindowState::FolderLoaded) {
        UnselectAll();
        MainWindowState = state;  // the state asked for, not the one unselect-all passed by
    }
    const int column = StateColumn(state);
    if (column < 0) return;
    for (const WindowStateRow& row : WindowStateTable()) {
        if (QWidget* control = window_.findChild<QWidget*>(QLatin1String(row.control))) {
            applyCell(control, row.cells[column]);
        }
    }

    const auto moveButtons = {pictbttn_ToStart10, pictbttn_ToStart1, pictbttn_TargetMove,
                              pictbttn_ToEnd1, pictbttn_ToEnd10};
    if (state == WindowState::FolderLoaded) {
        const bool anyPicture = lb_Avant->count() > 0;
        cb_Sort->setEnabled(anyPicture);
        cb_Tout->setEnabled(anyPicture);
    } else if (state == WindowState::NothingSelected) {
        cb_Tout->setText(message(kMessageSelectAll));
    } else if (state == WindowState::PicturesSelected) {
        if (pictures_.folderNumbered) {
            for (QPushButton* button : moveButtons) button->setEnabled(true);
            cb_AccepterDeplacer->setEnabled(true);
            cb_AnnulerDeplacer->setEnabled(true);
        }
        if (!moveInProgress) {
            cb_AccepterDeplacer->setEnabled(false);
            cb_AnnulerDeplacer->setEnabled(false);
        }
        const bool firstSelected = isSelected(lb_Avant, 0);
        const bool lastSelected = isSelected(lb_Avant, pictures_.pictureCount - 1);
        if (firstSelected) {
            pictbttn_ToStart1->setEnabled(false);
            pictbttn_ToStart10->setEnabled(false);
        }
        if (lastSelected) {
            pictbttn_ToEnd1->setEnabled(false);
            pictbttn_ToEnd10->setEnabled(false);
        }
        if (firstSelected && lastSelected) pictbttn_TargetMove->setEnabled(false);
        slots_->offerDelete(true);
        lb_Avant->setEnabled(true);
    } else if (state == WindowState::MoveAccepted || state == WindowState::MoveCancelled) {
        if (pictures_.folderNumbered) pictbttn_TargetMove->setEnabled(false);
    }
}

}  // namespace lumaro
