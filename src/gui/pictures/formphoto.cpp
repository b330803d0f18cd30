// The single-picture window: placing it, zooming in and out, and switching its size.
#include "gui/pictures/formphoto.h"

#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QToolButton>

#include "gui/toolkit/controlplacing.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/fonts.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "gui/toolkit/screen.h"

namespace lumaro {

namespace {
constexpr int kSinglePictureMode = 8;

QToolButton* makeZoomButton(QWidget* form, const char* name, const QRect& place,
                            const QString& enabledIcon, const QString& disabledIcon) {
    auto* button = new QToolButton(form);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    button->setAutoRaise(true);
    // The keys of the window act on it, never a button that happens to hold the focus.
    button->setFocusPolicy(Qt::NoFocus);
    QIcon icon;
    icon.addFile(enabledIcon, QSize(), QIcon::Normal);
    icon.addFile(disabledIcon, QSize(), QIcon::Disabled);
    button->setIcon(icon);
    button->setIconSize(place.size() - QSize(6, 6));
    button->setEnabled(false);
    return button;
}
}  // namespace

FormPhoto::FormPhoto(const PhotoRequest& request, QWidget* parent)
    : QWidget(parent, Qt::Window), request_(request) {
    setObjectName(QStringLiteral("FormPhoto"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(FontFromSpec(QStringLiteral("8.MS Sans Serif")));
    setFocusPolicy(Qt::StrongFocus);
    resize(FromDialogUnits(0, 0, 286, 105).size());

    ImageV = Named(new ImageViewerControl(this), "ImageV");
    ImageV->setContextMenuPolicy(Qt::NoContextMenu);
    // Both buttons start with their disabled look; the layout enables zooming in.
    pictb_Larger = makeZoomButton(this, "pictb_Larger", FromDialogUnits(145, 40, 22, 20),
                                  QStringLiteral(":/icons/ZoomIn.svg"),
                                  QStringLiteral(":/icons/ZoomInOff.svg"));
    pictb_Smaller = makeZoomButton(this, "pictb_Smaller", FromDialogUnits(145, 15, 22, 19),
                                   QStringLiteral(":/icons/ZoomOut.svg"),
                                   QStringLiteral(":/icons/ZoomOutOff.svg"));

    const QString path = PathText(request_.path);
    setWindowTitle(QFileInfo(path).fileName());
    move(request_.left, request_.top);
    ImageV->setDisplayMode(kSinglePictureMode);
    ImageV->setFileName(path);
    pictureHeight_ = ImageV->pictureHeight();
    pictureWidth_ = ImageV->pictureWidth();

    connect(pictb_Larger, &QToolButton::clicked, this, &FormPhoto::zoomIn);
    connect(pictb_Smaller, &QToolButton::clicked, this, &FormPhoto::zoomOut);
    connect(ImageV, &ImageViewerControl::clicked, this, &FormPhoto::switchSize);

    if (!pictureReadable()) return;  // nothing to lay out: the sizes divide by both sides
    area_ = OpeningArea(request_, pictureWidth_, pictureHeight_);
    normalHeight_ = PhotoWindowHeight(area_.displayHeight, pictb_Larger->height());
    layOut();
}

bool FormPhoto::pictureReadable() const { return pictureWidth_ > 0 && pictureHeight_ > 0; }

void FormPhoto::layOut() {
    const PhotoLayout layout =
        LayOutPhoto(area_, pictureWidth_, pictb_Larger->height(), pictb_Smaller->width());
    move(area_.left, y());
    resize(layout.windowWidth, layout.windowHeight);
    placeControls();
    zoom_.reset(layout.fitZoom);
    ImageV->setZoom(zoom_.zoom);
    showButtonStates();
}

// The viewer and the buttons follow the window's size, so that a window enlarged with its frame
// shows the picture area grown with it; at a laid-out size this is exactly the layout's place.
void FormPhoto::placeControls() {
    const int buttonHeight = pictb_Larger->height();
    const PhotoArea shown = AreaOfWindow(x(), width(), height(), buttonHeight);
    const PhotoLayout layout =
        LayOutPhoto(shown, pictureWidth_, buttonHeight, pictb_Smaller->width());
    ImageV->setGeometry(0, 0, layout.viewerWidth, layout.viewerHeight);
    pictb_Smaller->move(layout.smallerLeft, layout.buttonTop);
    pictb_Larger->move(layout.largerLeft, layout.buttonTop);
}

void FormPhoto::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeControls();
}

void FormPhoto::showButtonStates() {
    pictb_Larger->setEnabled(zoom_.largerEnabled);
    pictb_Smaller->setEnabled(zoom_.smallerEnabled);
}

void FormPhoto::zoomIn() {
    const bool zoomed = zoom_.zoomIn(ImageV->scrollX(), ImageV->scrollY());
    showButtonStates();
    if (!zoomed) return;
    ImageV->setZoom(zoom_.zoom);
    centre();
}

void FormPhoto::zoomOut() {
    const bool mustCentre = zoom_.zoomOut(ImageV->scrollX(), ImageV->scrollY());
    showButtonStates();
    ImageV->setZoom(zoom_.zoom);
    if (mustCentre) centre();
}

void FormPhoto::centre() {
    ImageV->scrollTo(kPhotoScrollProbe, kPhotoScrollProbe);
    const ScrollPoint target = zoom_.centre(ImageV->scrollX(), ImageV->scrollY());
    ImageV->scrollTo(target.x, target.y);
}

void FormPhoto::switchSize() {
    if (height() == normalHeight_) {
        area_ = EnlargedArea(request_, pictureWidth_, pictureHeight_, pictb_Larger->height(),
                             ScreenSize().width(), x());
    } else {
        area_ = OpeningArea(request_, pictureWidth_, pictureHeight_);
    }
    layOut();
}

// Escape closes the window; + and - do what the two buttons do, when they may.
void FormPhoto::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            close();
            return;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            if (pictb_Larger->isEnabled()) zoomIn();
            return;
        case Qt::Key_Minus:
            if (pictb_Smaller->isEnabled()) zoomOut();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace lumaro
