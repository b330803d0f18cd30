// The picture viewer: decoding at the shown size, zoom, scrolling, turning, saving and painting.
#include "gui/toolkit/imageviewercontrol.h"

#include <sys/stat.h>

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <optional>
#include <string>

#include "core/files/atomicwrite.h"
#include "core/picturefile/jpegheadread.h"
#include "core/picturefile/picturedate.h"
#include "core/turning/exifcopy.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/picturedecoder.h"

namespace lumaro {

namespace {

constexpr int kMainWindowMode = 10;
constexpr int kSinglePictureMode = 8;
constexpr int kSaveQuality = 92;
// Larger pictures are decoded off the window thread: a camera picture takes tens of
// milliseconds even at the size of a slot, a small one less than the trip to a thread.
constexpr qint64 kBackgroundDecodePixels = 2'000'000;

// What tells that a path still names the same, unchanged file.
struct FileIdentity {
    bool known = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    bool sameFileAs(const FileIdentity& other) const {
        return known && other.known && device == other.device && inode == other.inode;
    }
    bool sameAs(const FileIdentity& other) const {
        return sameFileAs(other) && size == other.size &&
               modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

FileIdentity identityOf(const QString& path) {
    struct stat st;
    if (path.isEmpty() || stat(PathBytes(path).c_str(), &st) != 0) return {};
    return {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim};
}

QByteArray encoded(const QImage& image, const QByteArray& format) {
    QByteArray bytes;
    if (image.isNull()) {
        return bytes;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(kSaveQuality);
    if (!writer.write(image)) {
        bytes.clear();
    }
    return bytes;
}

}  // namespace

struct ImageViewerControl::Private {
    QString path;
    FileIdentity identity;
    double zoom = 0.0;
    int mode = kMainWindowMode;
    QColor background;
    bool displayOn = true;

    // The loaded picture: its pixels as stored in the file, its orientation (picturedecoder.h)
    // and whether that exchanges the sides.
    QSize storedSize{0, 0};
    int orientation = kOrientationOfItsReader;
    bool orientationSwapsSides = false;
    QString date;

    // Upright, at least as large as last shown, at most its own size.
    QImage decoded;
    bool decodeFailed = false;
    // The background decode under way for this picture, and the size it was asked for.
    std::shared_ptr<DecodeTicket> ticket;
    quint64 ticketNumber = 0;
    QSize pendingSize;
    QPoint scroll;

    QPoint pressPosition;
    bool dragged = false;
    bool releaseEndsDoubleClick = false;
};

ImageViewerControl::ImageViewerControl(QWidget* parent)
    : QWidget(parent), d(std::make_unique<Private>()) {
    d->background = palette().color(QPalette::Window);
    d->ticket = std::make_shared<DecodeTicket>(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

ImageViewerControl::~ImageViewerControl() { d->ticket->close(); }

// Decodes under way no longer fit what the control shows.
void ImageViewerControl::dropPendingDecode() {
    d->ticketNumber = d->ticket->renew();
    d->pendingSize = QSize();
}

void ImageViewerControl::setFileName(const QString& path) {
    // The same unchanged file again, as slot 1 gets at every step of a growing selection: the
    // picture decoded for it stays, so that a step decodes only the pictures that changed.
    const FileIdentity identity = identityOf(path);
    if (path == d->path && !d->storedSize.isEmpty() && identity.sameAs(d->identity)) {
        d->scroll = QPoint();
        update();
        return;
    }
    d->identity = identity;
    d->path = path;
    d->storedSize = QSize(0, 0);
    d->orientation = kOrientationOfItsReader;
    d->orientationSwapsSides = false;
    d->date.clear();
    d->decoded = QImage();
    d->decodeFailed = false;
    d->scroll = QPoint();
    dropPendingDecode();
    if (!path.isEmpty()) {
        QFile file;
        OpenPathForReading(file, path);  // a file that cannot be opened shows nothing
        QImageReader reader(&file);
        reader.setDecideFormatFromContent(true);
        // Shown as a turn would take it: a JPEG file in the orientation the turn starts from.
        // A HEIF picture comes upright from libheif, its size as shown.
        const bool heif = IsHeifPicture(path);
        const int orientation =
            heif ? kOrientationOfItsReader : PictureOrientation(path, reader.format());
        reader.setAutoTransform(orientation == kOrientationOfItsReader);
        QSize stored = heif ? HeifPictureSize(path) : reader.size();
        const bool swaps =
            orientation == kOrientationOfItsReader
                ? !heif && reader.transformation().testFlag(QImageIOHandler::TransformationRotate90)
                : OrientationSwapsSides(orientation);
        if (!heif && !stored.isValid() && reader.canRead()) {
            // A format that cannot tell its size without decoding: decode it once.
            d->decoded = Upright(reader.read(), orientation);
            stored = swaps ? d->decoded.size().transposed() : d->decoded.size();
        }
        if (stored.isValid() && !stored.isEmpty()) {
            d->storedSize = stored;
            d->orientation = orientation;
            d->orientationSwapsSides = swaps;
            // The date the listing sorts by, so that the boxes show dates in list order.
            const std::optional<std::string> date = ReadInternalPictureDate(PathBytes(path));
            if (date) d->date = QString::fromLatin1(date->data(), qsizetype(date->size()));
        }
    }
    // A shown control starts a long decode at once rather than at its next paint.
    if (isVisible() && d->displayOn && decodesInBackground()) ensureDecoded();
    update();
}

QString ImageViewerControl::fileName() const { return d->path; }

void ImageViewerControl::setZoom(double zoom) {
    d->zoom = zoom;
    setScroll(d->scroll);
    update();
}

double ImageViewerControl::zoom() const { return d->zoom; }

void ImageViewerControl::setDisplayMode(int mode) {
    d->mode = mode;
    setScroll(d->scroll);
    update();
}

int ImageViewerControl::displayMode() const { return d->mode; }

int ImageViewerControl::pictureWidth() const { return ownSize().width(); }

int ImageViewerControl::pictureHeight() const { return ownSize().height(); }

QString ImageViewerControl::dateText() const { return d->date; }

int ImageViewerControl::scrollX() const { return d->scroll.x(); }

int ImageViewerControl::scrollY() const { return d->scroll.y(); }

void ImageViewerControl::scrollTo(int x, int y) {
    setScroll(QPoint(x, y));
    update();
}

void ImageViewerControl::setBackgroundColor(quint32 colour) {
    d->background =
        QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
    update();
}

QColor ImageViewerControl::backgroundColor() const { return d->background; }

int ImageViewerControl::savePicture(const QString& path, const QString& format, int width,
                                    int height) {
    const QString extension = format.toLower();
    const QByteArray writerFormat =
        (extension == QLatin1String("jpg")) ? QByteArray("jpeg") : extension.toLatin1();
    const QString target = path + QLatin1Char('.') + extension;
    // A copy never takes the place of the picture it is made from.
    if (ownSize().isEmpty() || width <= 0 || height <= 0 || path.isEmpty() ||
        !QImageWriter::supportedImageFormats().contains(writerFormat) ||
        identityOf(target).sameFileAs(identityOf(d->path))) {
        return -1;
    }
    const QSize size = ownSize().scaled(width, height, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    QImage image = d->decoded.width() >= size.width() ? d->decoded : decodePicture(size);
    if (image.size() != size && !image.isNull()) {
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QByteArray bytes = encoded(image, writerFormat);
    if (bytes.isEmpty()) {
        return -1;
    }
    if (writerFormat == "jpeg") {
        // The copy keeps the picture's dates: its Exif block comes along, made fit for the copy.
        const std::string block = ExifBlockForCopy(ReadJpegHead(PathBytes(d->path)),
                                                   unsigned(size.width()), unsigned(size.height()));
        bytes = QByteArray::fromStdString(
            JpegWithExifBlock(std::string_view(bytes.constData(), size_t(bytes.size())), block));
    }
    // Written beside the target and renamed over it once complete.
    const AtomicWriteOptions replaceALink{.throughLinks = false};
    const std::string_view content(bytes.constData(), size_t(bytes.size()));
    return WriteFileAtomically(PathBytes(target), content, replaceALink).ok() ? 0 : -1;
}

void ImageViewerControl::setDisplayOn(bool on) {
    d->displayOn = on;
    setVisible(on);
}

bool ImageViewerControl::isDisplayOn() const { return d->displayOn; }

QSize ImageViewerControl::decodedSize() const { return d->decoded.size(); }

void ImageViewerControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), d->background);
    if (!d->displayOn || ownSize().isEmpty()) {
        return;
    }
    ensureDecoded();
    const QRect target = pictureRect();
    const QRectF visible = QRectF(target).intersected(QRectF(rect()));
    if (d->decoded.isNull() || visible.isEmpty()) {
        return;
    }
    // Only the part in view is drawn, so a strongly zoomed picture costs no more than the view.
    const double scaleX = double(d->decoded.width()) / target.width();
    const double scaleY = double(d->decoded.height()) / target.height();
    const QRectF source((visible.x() - target.x()) * scaleX, (visible.y() - target.y()) * scaleY,
                        visible.width() * scaleX, visible.height() * scaleY);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(visible, d->decoded, source);
}

void ImageViewerControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    setScroll(d->scroll);
}

void ImageViewerControl::mousePressEvent(QMouseEvent* event) {
    d->pressPosition = event->position().toPoint();
    d->dragged = false;
    event->accept();
}

// A zoomed picture follows the mouse; a drag is not a click.
void ImageViewerControl::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || fitsPicture()) {
        return;
    }
    const QPoint position = event->position().toPoint();
    const QPoint moved = position - d->pressPosition;
    if (!d->dragged && moved.manhattanLength() < QApplication::startDragDistance()) {
        return;
    }
    d->dragged = true;
    d->pressPosition = position;
    scrollTo(d->scroll.x() - moved.x(), d->scroll.y() - moved.y());
}

void ImageViewerControl::mouseReleaseEvent(QMouseEvent* event) {
    // The release that ends a double click belongs to it: a second click would undo what the
    // double click did.
    const bool endsDoubleClick = d->releaseEndsDoubleClick;
    d->releaseEndsDoubleClick = false;
    if (event->button() == Qt::LeftButton && !endsDoubleClick && !d->dragged &&
        rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    d->dragged = false;
}

void ImageViewerControl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        d->releaseEndsDoubleClick = true;
        emit doubleClicked();
    }
}

void ImageViewerControl::wheelEvent(QWheelEvent* event) {
    if (fitsPicture()) {
        event->ignore();
        return;
    }
    const QPoint step = event->angleDelta() / 2;
    const bool sideways = event->modifiers() & Qt::ShiftModifier;
    scrollTo(d->scroll.x() - (sideways ? step.y() : step.x()),
             d->scroll.y() - (sideways ? 0 : step.y()));
}

QSize ImageViewerControl::ownSize() const {
    return d->orientationSwapsSides ? d->storedSize.transposed() : d->storedSize;
}

bool ImageViewerControl::fitsPicture() const {
    return d->mode != kSinglePictureMode || d->zoom <= 0.0;
}

QSize ImageViewerControl::displaySize() const {
    const QSize own = ownSize();
    if (own.isEmpty()) {
        return {};
    }
    if (fitsPicture()) {
        return own.scaled(size(), Qt::KeepAspectRatio);
    }
    return QSize(std::max(1, qRound(own.width() * d->zoom)),
                 std::max(1, qRound(own.height() * d->zoom)));
}

QPoint ImageViewerControl::largestScroll() const {
    if (fitsPicture()) {
        return {};
    }
    const QSize shown = displaySize();
    return QPoint(std::max(0, shown.width() - width()), std::max(0, shown.height() - height()));
}

// A picture smaller than the view stands in its middle; a larger one starts at the scroll
// position.
QRect ImageViewerControl::pictureRect() const {
    const QSize shown = displaySize();
    const int x = shown.width() <= width() ? (width() - shown.width()) / 2 : -d->scroll.x();
    const int y = shown.height() <= height() ? (height() - shown.height()) / 2 : -d->scroll.y();
    return QRect(QPoint(x, y), shown);
}

// The size to ask the reader for: the wanted size before the orientation, or none (its own size)
// when the wanted size is not smaller. A smaller size lets the JPEG decoder skip most of the
// work for a camera-size picture.
QSize ImageViewerControl::readerSize(QSize wanted) const {
    if (!wanted.isValid() || wanted.width() >= ownSize().width()) return {};
    return d->orientationSwapsSides ? wanted.transposed() : wanted;
}

QImage ImageViewerControl::decodePicture(QSize wanted) const {
    return DecodePicture(d->path, readerSize(wanted), d->orientation);
}

bool ImageViewerControl::decodesInBackground() const {
    return qint64(d->storedSize.width()) * d->storedSize.height() > kBackgroundDecodePixels;
}

// Until the decode arrives the slot shows its background: never the picture shown before.
void ImageViewerControl::decodeLater(QSize wanted) {
    if (d->pendingSize.isValid() && d->pendingSize.width() >= wanted.width()) return;
    d->pendingSize = wanted;
    DecodeInBackground(d->ticket, d->ticketNumber, d->path, readerSize(wanted), d->orientation,
                       [this](QImage image) { decodeArrived(std::move(image)); });
}

void ImageViewerControl::decodeArrived(QImage image) {
    d->pendingSize = QSize();
    if (image.isNull()) {
        d->decodeFailed = true;
    } else if (d->decoded.isNull() || image.width() > d->decoded.width()) {
        d->decoded = std::move(image);
    }
    update();
}

void ImageViewerControl::ensureDecoded() {
    const QSize own = ownSize();
    // Decoded for the device pixels the picture covers, fitted or zoomed: on a screen of scale
    // 2 a picture decoded at its size in the window's units would be blown up and blurred.
    QSize wanted = displaySize() * devicePixelRatioF();
    wanted = wanted.boundedTo(own);
    if (d->decodeFailed || wanted.isEmpty() ||
        (!d->decoded.isNull() && d->decoded.width() >= wanted.width())) {
        return;
    }
    // Proportions kept, so that the decoded picture scales evenly into its place.
    wanted = own.scaled(wanted, Qt::KeepAspectRatioByExpanding).boundedTo(own);
    // Beyond half its width a picture is read whole anyway and then made smaller: taking it
    // whole is cheaper, and spares the next zoom step a decode of its own.
    if (wanted.width() * 2 > own.width()) wanted = own;
    if (decodesInBackground()) {
        decodeLater(wanted);
        return;
    }
    QImage image = decodePicture(wanted);
    if (image.isNull()) {
        d->decodeFailed = true;
        return;
    }
    d->decoded = image;
}

void ImageViewerControl::setScroll(QPoint position) {
    const QPoint largest = largestScroll();
    d->scroll =
        QPoint(std::clamp(position.x(), 0, largest.x()), std::clamp(position.y(), 0, largest.y()));
}

}  // namespace lumaro
