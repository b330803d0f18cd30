// The main window's five display slots with the picture dates under them, and the
// single-picture window that a click on one of the two large slots opens.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "core/names/pictureentry.h"

class QLineEdit;
class QTimer;

namespace lumaro {

class Form1;
class FormPhoto;
class ImageViewerControl;

class DisplaySlots : public QObject {
public:
    // Works on the viewers and boxes of `form`; makes its watch timer, named "watchTimer".
    explicit DisplaySlots(Form1& form);

    // Slot 1 and 2: the large viewers; 3: the single picture of a move; 4 and 5: its first
    // and last picture.
    void show(const PictureEntry& picture, int slot);
    void clear(int slot);
    // Shows or hides the picture dates under the viewers (pictbttn_Date).
    void switchDates();

    // One window at a time; an empty viewer opens nothing.
    void openPhotoWindow(ImageViewerControl* viewer);
    // Closes the window at once and gives the main window its commands back.
    void closePhotoWindow();
    // Closes the window with the main window.
    void closeWithMainWindow();
    // A tick of the watch timer: once the window is gone, the commands come back.
    void watchPhotoWindow();

private:
    QString pictureDate(const ImageViewerControl* viewer) const;
    ImageViewerControl* smallViewer(int slot) const;
    QLineEdit* smallBox(int slot) const;

    Form1& form_;
    bool dateDisplayOn = false;
    QTimer* watchTimer;
    // The single-picture window while it is open; the watch timer notices when it is gone.
    QPointer<FormPhoto> singlePictureWindow;
};

}  // namespace lumaro
