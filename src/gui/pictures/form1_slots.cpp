// The five display slots and the picture dates shown under them.
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>

#include "gui/app/form1.h"
#include "core/picturefile/picturedate.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "core/settings/messagekeys.h"

namespace lumaro {

namespace {
constexpr int kSmallScreenHeight = 600;
}

QString Form1::ViewerPictureDate(const ImageViewerControl* viewer) const {
    const QString inside = viewer->dateText();
    if (!inside.isEmpty()) return inside;
    return QString::fromStdString(ReadPictureDate(PathBytes(viewer->fileName()),
                                                  message(kMessageFileDatePrefix).toStdString()));
}

void Form1::ShowInViewerSlot(const PictureEntry& picture, int slot) {
    const QString path = PathText(pictures.pathOf(picture));
    const QString name = QString::fromStdString(picture.base);
    if (slot == 1 || slot == 2) {
        ImageViewerControl* viewer = slot == 1 ? ImageV_1 : ImageV_2;
        viewer->setFileName(path);
        SetTextFromBytes(slot == 1 ? textb_1C : textb_2C, picture.base);
        if (dateDisplayOn) (slot == 1 ? textb_1N : textb_2N)->setText(ViewerPictureDate(viewer));
        if (slot == 1) {
            pictbttn_Del->setEnabled(true);
            OfferTurnButtons(true);
        }
        return;
    }
    ImageViewerControl* viewer = slot == 3 ? ImageV_S : slot == 4 ? ImageV_F : ImageV_L;
    QLineEdit* box = slot == 3 ? textb_S : slot == 4 ? textb_F : textb_L;
    if (slot == 3) {
        ImageV_F->setDisplayOn(false);
        ImageV_L->setDisplayOn(false);
        textb_F->hide();
        textb_L->hide();
    } else if (slot == 4) {
        ImageV_S->setDisplayOn(false);
        textb_S->hide();
    }
    viewer->setDisplayOn(true);
    viewer->setFileName(path);
    QString text = name.left(pictures.numberWidth);
    if (dateDisplayOn && screenRect.height() > kSmallScreenHeight) {
        text += QStringLiteral(" ") + ViewerPictureDate(viewer);
    }
    box->setText(text);
    box->show();
}

void Form1::ClearViewerSlot(int slot) {
    if (slot == 1 || slot == 2) {
        (slot == 1 ? ImageV_1 : ImageV_2)->setFileName(QString());
        QLineEdit* dateBox = slot == 1 ? textb_1N : textb_2N;
        (slot == 1 ? textb_1C : textb_2C)->clear();
        dateBox->clear();
        dateBox->setVisible(dateDisplayOn);
        if (slot == 1) {
            pictbttn_Del->setEnabled(false);
            OfferTurnButtons(false);
        }
        return;
    }
    if (slot < 3 || slot > 5) return;
    ImageViewerControl* viewer = slot == 3 ? ImageV_S : slot == 4 ? ImageV_F : ImageV_L;
    QLineEdit* box = slot == 3 ? textb_S : slot == 4 ? textb_F : textb_L;
    viewer->setFileName(QString());
    viewer->setDisplayOn(false);
    box->clear();
    box->hide();
}

// Shows or hides the picture dates under the viewers.
void Form1::pictbttn_Date_Click() {
    dateDisplayOn = !dateDisplayOn;
    if (!dateDisplayOn) {
        pictbttn_Date->setIcon(QIcon(QStringLiteral(":/icons/DateShow.svg")));
        textb_1N->hide();
        textb_2N->hide();
        for (QLineEdit* box : {textb_S, textb_F, textb_L}) {
            if (!box->text().isEmpty()) box->setText(box->text().left(pictures.numberWidth));
        }
        return;
    }
    pictbttn_Date->setIcon(QIcon(QStringLiteral(":/icons/DateHide.svg")));
    textb_1N->show();
    textb_2N->show();
    if (ImageV_1->fileName().isEmpty()) {
        textb_1N->clear();
        textb_2N->clear();
        return;
    }
    textb_1N->setText(ViewerPictureDate(ImageV_1));
    if (ImageV_2->fileName().isEmpty()) return;
    textb_2N->setText(ViewerPictureDate(ImageV_2));
    const auto appendDate = [this](QLineEdit* box, const ImageViewerControl* viewer) {
        box->setText(box->text() + QStringLiteral("  ") + ViewerPictureDate(viewer));
    };
    if (!ImageV_S->fileName().isEmpty()) {
        appendDate(textb_S, ImageV_S);
    } else if (!ImageV_F->fileName().isEmpty()) {
        appendDate(textb_F, ImageV_F);
        appendDate(textb_L, ImageV_L);
    }
}

}  // namespace lumaro
