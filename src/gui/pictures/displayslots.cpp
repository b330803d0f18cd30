// The five display slots, the picture dates shown under them, and the single-picture window.
#include "gui/pictures/displayslots.h"

#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "core/picturefile/picturedate.h"
#include "core/settings/messagekeys.h"
#include "gui/pictures/formphoto.h"
#include "gui/toolkit/arealinks.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "gui/toolkit/windowcontext.h"

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

template <typename T>
T* named(const QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

DisplaySlots::DisplaySlots(WindowContext& context, PictureListView& list)
    : QObject(&context.window()),
      context_(context),
      list_(list),
      watchTimer(new QTimer(&context.window())) {
    watchTimer->setObjectName(QStringLiteral("watchTimer"));
    const QWidget& w = context.window();
    ImageV_1 = named<ImageViewerControl>(w, "ImageV_1");
    ImageV_2 = named<ImageViewerControl>(w, "ImageV_2");
    ImageV_F = named<ImageViewerControl>(w, "ImageV_F");
    ImageV_S = named<ImageViewerControl>(w, "ImageV_S");
    ImageV_L = named<ImageViewerControl>(w, "ImageV_L");
    textb_1C = named<QLineEdit>(w, "textb_1C");
    textb_1N = named<QLineEdit>(w, "textb_1N");
    textb_2C = named<QLineEdit>(w, "textb_2C");
    textb_2N = named<QLineEdit>(w, "textb_2N");
    textb_F = named<QLineEdit>(w, "textb_F");
    textb_S = named<QLineEdit>(w, "textb_S");
    textb_L = named<QLineEdit>(w, "textb_L");
    pictbttn_Del = named<QPushButton>(w, "pictbttn_Del");
    pictbttn_Date = named<QPushButton>(w, "pictbttn_Date");
    pictbttn_090 = named<QPushButton>(w, "pictbttn_090");
    pictbttn_180 = named<QPushButton>(w, "pictbttn_180");
    pictbttn_270 = named<QPushButton>(w, "pictbttn_270");
}

void DisplaySlots::offerTurnButtons(bool offered) {
    for (QPushButton* button : {pictbttn_090, pictbttn_180, pictbttn_270}) {
        button->setEnabled(offered);
        button->setVisible(offered);
    }
}

QString DisplaySlots::pictureDate(const ImageViewerControl* viewer) const {
    const QString inside = viewer->dateText();
    if (!inside.isEmpty()) return inside;
    return QString::fromStdString(ReadPictureDate(
        PathBytes(viewer->fileName()), context_.message(kMessageFileDatePrefix).toStdString()));
}

ImageViewerControl* DisplaySlots::smallViewer(int slot) const {
    return slot == 3 ? ImageV_S : slot == 4 ? ImageV_F : ImageV_L;
}

QLineEdit* DisplaySlots::smallBox(int slot) const {
    return slot == 3 ? textb_S : slot == 4 ? textb_F : textb_L;
}

void DisplaySlots::show(const PictureEntry& picture, int slot) {
    DisplaySlots& f = *this;
    const QString path = PathText(list_.pictures().pathOf(picture));
    const QString name = QString::fromStdString(picture.base);
    if (slot == 1 || slot == 2) {
        ImageViewerControl* viewer = slot == 1 ? f.ImageV_1 : f.ImageV_2;
        viewer->setFileName(path);
        SetTextFromBytes(slot == 1 ? f.textb_1C : f.textb_2C, picture.base);
        (slot == 1 ? f.textb_1C : f.textb_2C)->setToolTip(companionsTip(picture));
        if (dateDisplayOn) (slot == 1 ? f.textb_1N : f.textb_2N)->setText(pictureDate(viewer));
        if (slot == 1) {
            f.pictbttn_Del->setEnabled(true);
            offerTurnButtons(true);
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
    QString text = name.left(list_.pictures().numberWidth);
    if (dateDisplayOn && context_.screenArea().height() > kSmallScreenHeight) {
        text += QStringLiteral(" ") + pictureDate(viewer);
    }
    box->setText(text);
    box->setToolTip(companionsTip(picture));
    box->show();
}

void DisplaySlots::clear(int slot) {
    DisplaySlots& f = *this;
    if (slot == 1 || slot == 2) {
        (slot == 1 ? f.ImageV_1 : f.ImageV_2)->setFileName(QString());
        QLineEdit* dateBox = slot == 1 ? f.textb_1N : f.textb_2N;
        (slot == 1 ? f.textb_1C : f.textb_2C)->clear();
        (slot == 1 ? f.textb_1C : f.textb_2C)->setToolTip(QString());
        dateBox->clear();
        dateBox->setVisible(dateDisplayOn);
        if (slot == 1) {
            f.pictbttn_Del->setEnabled(false);
            offerTurnButtons(false);
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
    DisplaySlots& f = *this;
    dateDisplayOn = !dateDisplayOn;
    if (!dateDisplayOn) {
        f.pictbttn_Date->setIcon(QIcon(QStringLiteral(":/icons/DateShow.svg")));
        f.textb_1N->hide();
        f.textb_2N->hide();
        for (QLineEdit* box : {f.textb_S, f.textb_F, f.textb_L}) {
            if (!box->text().isEmpty())
                box->setText(box->text().left(list_.pictures().numberWidth));
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
    const QWidget& window = context_.window();
    const QRect list = list_.listGeometry();
    const PhotoRequest request =
        MakePhotoRequest(PathBytes(path), window.x(), window.y(), window.height(), list.x(),
                         list.y(), list.height());
    auto* photo = new FormPhoto(request, &context_.window());
    if (!photo->pictureReadable()) {
        delete photo;
        context_.messages().showNames(kMessagePictureUnreadable,
                                      {PathBytes(QFileInfo(path).fileName())});
        return;
    }
    list_.ApplyWindowState(WindowState::PhotoWindowOpen);
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
    list_.ApplyWindowState(WindowState::PhotoWindowClosed);
}

void DisplaySlots::closeWithMainWindow() {
    if (singlePictureWindow) singlePictureWindow->close();
}

// While the single-picture window is open the timer waits; once it is gone, the main
// window's commands come back.
void DisplaySlots::watchPhotoWindow() {
    if (singlePictureWindow) return;
    list_.ApplyWindowState(WindowState::PhotoWindowClosed);
    watchTimer->stop();
}

}  // namespace lumaro
