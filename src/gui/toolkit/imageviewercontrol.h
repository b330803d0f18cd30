// The picture viewer: shows one picture file, decoded at the size it is shown, with zoom,
// scrolling and saving. The main window hosts seventeen of them. Camera-size pictures
// are decoded off the window thread; until one arrives the control shows its background.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>

namespace lumaro {

class ImageViewerControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageViewerControl(QWidget* parent = nullptr);
    ~ImageViewerControl() override;

    // Loads and shows a file; an empty path empties the display. A file that cannot be
    // read empties the display too, yet fileName() still gives its path back.
    void setFileName(const QString& path);
    QString fileName() const;
    // Display scale relative to the picture's own pixels; 0 fits the picture.
    void setZoom(double zoom);
    double zoom() const;
    // 10 in the main window (fit the picture), 8 in the single-picture window.
    void setDisplayMode(int mode);
    int displayMode() const;
    // Size in pixels of the loaded picture (as shown, after its orientation).
    int pictureWidth() const;
    int pictureHeight() const;
    // Exif DateTimeOriginal, else DateTime, else empty.
    QString dateText() const;
    int scrollX() const;
    int scrollY() const;
    void scrollTo(int x, int y);
    // 0x00BBGGRR, as the colour 0x00D4DCD2 is red 210, green 220, blue 212.
    void setBackgroundColor(quint32 colour);
    QColor backgroundColor() const;
    // Writes the shown picture at width x height to path + "." + lower-case format.
    // The picture keeps its proportions and fills the largest size within width x height (exactly
    // width x height when the sides are in the picture's proportion, as after a turn). The file is
    // complete or absent, never half written; the Exif dates of the source come along.
    // Returns 0 on success, -1 on failure.
    int savePicture(const QString& path, const QString& format, int width, int height);

    // The display switch of the hosting site: off hides the picture and the control.
    void setDisplayOn(bool on);
    bool isDisplayOn() const;

    // Size of the picture as decoded for display: for tests that the control decodes no larger
    // than it shows. Empty while a camera-size picture is still being decoded in the background.
    QSize decodedSize() const;

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;

    QSize ownSize() const;
    bool fitsPicture() const;
    QSize displaySize() const;
    QPoint largestScroll() const;
    QRect pictureRect() const;
    QSize readerSize(QSize wanted) const;
    QImage decodePicture(QSize wanted) const;
    bool decodesInBackground() const;
    void ensureDecoded();
    void decodeLater(QSize wanted);
    void decodeArrived(QImage image);
    void dropPendingDecode();
    void setScroll(QPoint position);
};

}  // namespace lumaro
