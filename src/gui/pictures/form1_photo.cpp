// Form1's side of the single-picture window: opening it from a large viewer, closing it from
// the naming commands.
#include <QFileInfo>
#include <QListWidget>
#include <QTimer>

#include "gui/app/form1.h"
#include "gui/pictures/formphoto.h"
#include "core/settings/messagekeys.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/imageviewercontrol.h"

namespace lumaro {

namespace {
constexpr int kWatchInterval = 500;
}  // namespace

void Form1::ImageV_1_Click() { OpenPhotoWindow(ImageV_1); }

void Form1::ImageV_2_Click() { OpenPhotoWindow(ImageV_2); }

// One window at a time; an empty viewer opens nothing. A picture that cannot be read is named
// in a message and leaves the window as it was.
void Form1::OpenPhotoWindow(ImageViewerControl* viewer) {
    if (singlePictureWindow) return;
    const QString path = viewer->fileName();
    if (path.isEmpty()) return;
    const PhotoRequest request =
        MakePhotoRequest(PathBytes(path), x(), y(), height(), lb_Avant->x(), lb_Avant->y(),
                         lb_Avant->height());
    auto* photo = new FormPhoto(request, this);
    if (!photo->pictureReadable()) {
        delete photo;
        showNames(kMessagePictureUnreadable, {PathBytes(QFileInfo(path).fileName())});
        return;
    }
    ApplyWindowState(WindowState::PhotoWindowOpen);
    watchTimer->start(kWatchInterval);
    singlePictureWindow = photo;
    photo->show();
}

// The command that closes the window applies its own state next; the watch timer must not
// come after it and bring back the commands of WindowState::PhotoWindowClosed over it, so the
// window's closing is settled here at once.
void Form1::ClosePhotoWindow() {
    if (!singlePictureWindow) return;
    delete singlePictureWindow.data();
    watchTimer->stop();
    ApplyWindowState(WindowState::PhotoWindowClosed);
}

}  // namespace lumaro
