// The main window's five display slots with the picture dates under them, and the
// single-picture window that a click on one of the two large slots opens.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "core/names/pictureentry.h"

class QLineEdit;
class QPushButton;
class QTimer;

namespace lumaro {

class FormPhoto;
class ImageViewerControl;
class PictureListView;
class WindowContext;

class DisplaySlots : public QObject {
public:
    // Works on the viewers, boxes and buttons of the context's window, found by name; makes its
    // watch timer, named "watchTimer".
    DisplaySlots(WindowContext& context, PictureListView& list);

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
    // The turn buttons are offered while slot 1 shows a picture.
    void offerTurnButtons(bool offered);

    WindowContext& context_;
    PictureListView& list_;
    ImageViewerControl *ImageV_1, *ImageV_2, *ImageV_F, *ImageV_S, *ImageV_L;
    QLineEdit *textb_1C, *textb_1N, *textb_2C, *textb_2N, *textb_F, *textb_S, *textb_L;
    QPushButton *pictbttn_Del, *pictbttn_Date, *pictbttn_090, *pictbttn_180, *pictbttn_270;
    bool dateDisplayOn = false;
    QTimer* watchTimer;
    // The single-picture window while it is open; the watch timer notices when it is gone.
    QPointer<FormPhoto> singlePictureWindow;
};

}  // namespace lumaro
