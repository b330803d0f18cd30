// The five display slots, the picture dates shown under them, and the single-picture window.
#include "gui/pictures/displayslots.h"

#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "core/picturefile/picturedate.h"
#include "core/settings/messagekeys.h"
#include "gui/app/form1.h"
#include "gui/app/windowmessages.h"
#include "gui/pictures/formphoto.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/imageviewercontrol.h"

namespace lumaro {

namespace {
constexpr int kSmallScreenHeight = 600;
constexpr int kWatchInterval = 500;

// The companion files of a picture, one name a line; empty when it has none.
QString companionsTip(const PictureEntry& picture) {
    QStringList names;
    for (const std::string& rest : picture.companions) names << PathText(picture.base + rest);
    return names.join(QLatin1Char('\n'));
}
}  // namespace

DisplaySlots::DisplaySlots(Form1& form)
    : QObject(&form), form_(form), watchTimer(new QTimer(&form)) {
    watchTimer->setObjectName(QStringLiteral("watchTimer"));
}

QString DisplaySlots::pictureDate(const ImageViewerControl* viewer) const {
    const QString inside = viewer->dateText();
    if (!inside.isEmpty()) return inside;
    return QString::fromStdString(ReadPictureDate(
        PathBytes(viewer->fileName()), form_.message(kMessageFileDatePrefix).toStdString()));
}

ImageViewerControl* DisplaySlots::smallViewer(int slot) const {
    return slot == 3 ? form_.ImageV_S : slot == 4 ? form_.ImageV_F : form_.ImageV_L;
}

QLineEdit* DisplaySlots::smallBox(int slot) const {
    return slot == 3 ? form_.textb_S : slot == 4 ? form_.textb_F : form_.textb_L;
}

void DisplaySlots::show(const PictureEntry& picture, int slot) {
    Form1& f = form_;
    const QString path = PathText(f.pictures.pathOf(picture));
    const QString name = QString::fromStdString(picture.base);
    if (slot == 1 || slot == 2) {
        ImageViewerControl* viewer = slot == 1 ? f.ImageV_1 : f.ImageV_2;
        viewer->setFileName(path);
        SetTextFromBytes(slot == 1 ? f.textb_1C : f.textb_2C, picture.base);
        (slot == 1 ? f.textb_1C : f.textb_2C)->setToolTip(companionsTip(picture));
        if (dateDisplayOn) (slot == 1 ? f.textb_1N : f.textb_2N)->setText(pictureDate(viewer));
        if (slot == 1) {
            f.pictbttn_Del->setEnabled(true);
            f.OfferTurnButtons(true);
        }
        return;
    }
    ImageViewerControl* viewer = smallViewer(slot);
    QLineEdit* box = smallBox(slot);
    if (slot == 3) {
        f.ImageV_F->setDisplayOn(false);
        f.ImageV_L->setDisplayOn(false);
        f.textb_F->hide();
        f.textb_L->hide();
    } else if (slot == 4) {
        f.ImageV_S->setDisplayOn(false);
        f.textb_S->hide();
    }
    viewer->setDisplayOn(true);
    viewer->setFileName(path);
    QString text = name.left(f.pictures.numberWidth);
    if (dateDisplayOn && f.screenArea().height() > kSmallScreenHeight) {
        text += QStringLiteral(" ") + pictureDate(viewer);
    }
    box->setText(text);
    box->setToolTip(companionsTip(picture));
    box->show();
}

void DisplaySlots::clear(int slot) {
    Form1& f = form_;
    if (slot == 1 || slot == 2) {
        (slot == 1 ? f.ImageV_1 : f.ImageV_2)->setFileName(QString());
        QLineEdit* dateBox = slot == 1 ? f.textb_1N : f.textb_2N;
        (slot == 1 ? f.textb_1C : f.textb_2C)->clear();
        (slot == 1 ? f.textb_1C : f.textb_2C)->setToolTip(QString());
        dateBox->clear();
        dateBox->setVisible(dateDisplayOn);
        if (slot == 1) {
            f.pictbttn_Del->setEnabled(false);
            f.OfferTurnButtons(false);
        }
        return;
    }
    if (slot < 3 || slot > 5) return;
    ImageViewerControl* viewer = smallViewer(slot);
    QLineEdit* box = smallBox(slot);
    viewer->setFileName(QString());
    viewer->setDisplayOn(false);
    box->clear();
    box->setToolTip(QString());
    box->hide();
}

void DisplaySlots::switchDates() {
    Form1& f = form_;
    dateDisplayOn = !dateDisplayOn;
    if (!dateDisplayOn) {
        f.pictbttn_Date->setIcon(QIcon(QStringLiteral(":/icons/DateShow.svg")));
        f.textb_1N->hide();
        f.textb_2N->hide();
        for (QLineEdit* box : {f.textb_S, f.textb_F, f.textb_L}) {
            if (!box->text().isEmpty()) box->setText(box->text().left(f.pictures.numberWidth));
        }
        return;
    }
    f.pictbttn_Date->setIcon(QIcon(QStringLiteral(":/icons/DateHide.svg")));
    f.textb_1N->show();
    f.textb_2N->show();
    if (f.ImageV_1->fileName().isEmpty()) {
        f.textb_1N->clear();
        f.textb_2N->clear();
        return;
    }
    f.textb_1N->setText(pictureDate(f.ImageV_1));
    if (f.ImageV_2->fileName().isEmpty()) return;
    f.textb_2N->setText(pictureDate(f.ImageV_2));
    const auto appendDate = [this](QLineEdit* box, const ImageViewerControl* viewer) {
        box->setText(box->text() + QStringLiteral("  ") + pictureDate(viewer));
    };
    if (!f.ImageV_S->fileName().isEmpty()) {
        appendDate(f.textb_S, f.ImageV_S);
    } else if (!f.ImageV_F->fileName().isEmpty()) {
        appendDate(f.textb_F, f.ImageV_F);
        appendDate(f.textb_L, f.ImageV_L);
    }
}

// A picture that cannot be read is named in a message and leaves the window as it was.
void DisplaySlots::openPhotoWindow(ImageViewerControl* viewer) {
    if (singlePictureWindow) return;
    const QString path = viewer->fileName();
    if (path.isEmpty()) return;
    const QListWidget* list = form_.lb_Avant;
    const PhotoRequest request =
        MakePhotoRequest(PathBytes(path), form_.x(), form_.y(), form_.height(), list->x(),
                         list->y(), list->height());
    auto* photo = new FormPhoto(request, &form_);
    if (!photo->pictureReadable()) {
        delete photo;
        form_.messages().showNames(kMessagePictureUnreadable,
                                   {PathBytes(QFileInfo(path).fileName())});
        return;
    }
    form_.ApplyWindowState(WindowState::PhotoWindowOpen);
    watchTimer->start(kWatchInterval);
    singlePictureWindow = photo;
    photo->show();
}

// The command that closes the window applies its own state next; the watch timer must not
// come after it and bring back the commands of WindowState::PhotoWindowClosed over it, so the
// window's closing is settled here at once.
void DisplaySlots::closePhotoWindow() {
    if (!singlePictureWindow) return;
    delete singlePictureWindow.data();
    watchTimer->stop();
    form_.ApplyWindowState(WindowState::PhotoWindowClosed);
}

void DisplaySlots::closeWithMainWindow() {
    if (singlePictureWindow) singlePictureWindow->close();
}

// While the single-picture window is open the timer waits; once it is gone, the main
// window's commands come back.
void DisplaySlots::watchPhotoWindow() {
    if (singlePictureWindow) return;
    form_.ApplyWindowState(WindowState::PhotoWindowClosed);
    watchTimer->stop();
}

}  // namespace lumaro
