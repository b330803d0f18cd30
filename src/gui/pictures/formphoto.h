// FormPhoto: the non-modal window that shows one picture larger, with two zoom buttons and a
// second size a click on the picture switches to. Its arithmetic is core pictures/photoview.h.
#pragma once

#include <QWidget>

#include "core/windows/photoview.h"

class QToolButton;

namespace lumaro {

class ImageViewerControl;

class FormPhoto : public QWidget {
    Q_OBJECT
public:
    // Loads the picture of the request and lays the window out; it is shown by the caller once
    // pictureReadable() says there is something to show. Closing the window destroys it.
    FormPhoto(const PhotoRequest& request, QWidget* parent);

    // False when the viewer found no picture in the file (damaged, or gone from the disk).
    bool pictureReadable() const;
    // The window height at opening: a window of another height counts as enlarged.
    int normalHeight() const { return normalHeight_; }
    const PhotoArea& area() const { return area_; }
    const PhotoZoom& zoomSteps() const { return zoom_; }

    ImageViewerControl* ImageV;
    QToolButton* pictb_Larger;
    QToolButton* pictb_Smaller;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOut();
    void placeControls();
    void zoomIn();
    void zoomOut();
    void centre();
    void switchSize();
    void showButtonStates();

    PhotoRequest request_;
    PhotoArea area_;
    PhotoZoom zoom_;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    int normalHeight_ = 0;
};

}  // namespace lumaro
