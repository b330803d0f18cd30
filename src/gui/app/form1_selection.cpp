// Unselecting the list and clearing the display slots, which every fresh listing needs.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "app/form1.h"
#include "toolkit/imageviewercontrol.h"

namespace lumaro {

void Form1::UnselectAll() {
    lb_Avant->clearSelection();
    proposalNames.clear();
    cb_Tout->setText(message(74));
    ClearViewerSlot(1);
    ClearViewerSlot(2);
    allSelected = false;
    ApplyWindowState(5);
}

void Form1::ClearViewerSlot(int slot) {
    switch (slot) {
        case 1:
        case 2: {
            ImageViewerControl* viewer = slot == 1 ? ImageV_1 : ImageV_2;
            QLineEdit* nameBox = slot == 1 ? textb_1C : textb_2C;
            QLineEdit* dateBox = slot == 1 ? textb_1N : textb_2N;
            viewer->setFileName(QString());
            nameBox->clear();
            dateBox->clear();
            dateBox->setVisible(dateDisplayOn);
            if (slot == 1) pictbttn_Del->setEnabled(false);
            break;
        }
        case 3:
        case 4:
        case 5: {
            ImageViewerControl* viewer = slot == 3 ? ImageV_S : slot == 4 ? ImageV_F : ImageV_L;
            QLineEdit* box = slot == 3 ? textb_S : slot == 4 ? textb_F : textb_L;
            viewer->setFileName(QString());
            viewer->setDisplayOn(false);
            box->clear();
            box->hide();
            break;
        }
        default: break;
    }
}

}  // namespace lumaro
