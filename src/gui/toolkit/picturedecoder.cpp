// Decoding pictures upright at their shown size, on the window thread or on the background pool.
#include "gui/toolkit/picturedecoder.h"

#include <libheif/heif.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMetaObject>
#include <QThread>
#include <QThreadPool>
#include <QTransform>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/picturefile/heifcontent.h"
#include "core/picturefile/jpegheadread.h"
#include "core/picturefile/jpegsegments.h"
#include "gui/toolkit/filebytes.h"

namespace lumaro {

namespace {

// Two slots change at every selection change: two threads decode them side by side. The pool
// lives until the program ends; the application waits for its last decode when it closes.
QThreadPool& decodePool() {
    static QThreadPool* pool = [] {
        auto* created = new QThreadPool;
        created->setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
        qAddPostRoutine([] { decodePool().waitForDone(); });
        return created;
    }();
    return *pool;
}

// Enough of a file's start for its file-type box.
constexpr qint64 kFileTypeBoxBytes = 64;

// libheif's objects, each freed by its own call.
struct HeifContext {
    heif_context* context = heif_context_alloc();
    ~HeifContext() { heif_context_free(context); }
};
using HeifHandle = std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)>;
using HeifImage = std::unique_ptr<heif_image, decltype(&heif_image_release)>;

HeifHandle heldHandle(heif_image_handle* handle) { return {handle, &heif_image_handle_release}; }

// The picture a HEIF file shows (a file may hold several: the primary one is its picture).
HeifHandle primaryPicture(heif_context* context, const QString& path) {
    heif_image_handle* handle = nullptr;
    if (heif_context_read_from_file(context, PathBytes(path).c_str(), nullptr).code !=
            heif_error_Ok ||
        heif_context_get_primary_image_handle(context, &handle).code != heif_error_Ok) {
        return heldHandle(nullptr);
    }
    return heldHandle(handle);
}

// As shown: libheif gives the size after the container's turns.
QSize heifSize(const heif_image_handle* handle) {
    return QSize(heif_image_handle_get_width(handle), heif_image_handle_get_height(handle));
}

// The small copy that phones store beside the picture, when it is at least `wanted` and has
// the picture's proportions (to two pixels, as encoders round its sides): a thumbnail or a slot
// then need not decode twelve million pixels.
HeifHandle thumbnailFor(const heif_image_handle* picture, QSize wanted) {
    const int count = heif_image_handle_get_number_of_thumbnails(picture);
    if (count <= 0) return heldHandle(nullptr);
    std::vector<heif_item_id> ids(size_t(count), 0);
    heif_image_handle_get_list_of_thumbnail_IDs(picture, ids.data(), count);
    const QSize own = heifSize(picture);
    for (const heif_item_id id : ids) {
        heif_image_handle* found = nullptr;
        if (heif_image_handle_get_thumbnail(picture, id, &found).code != heif_error_Ok) continue;
        HeifHandle thumbnail = heldHandle(found);
        const QSize size = heifSize(found);
        const qint64 shapeGap =
            std::abs(qint64(size.width()) * own.height() - qint64(size.height()) * own.width());
        if (shapeGap <= 2 * qint64(std::max(own.width(), own.height())) &&
            size.width() >= wanted.width() && size.height() >= wanted.height()) {
            return thumbnail;
        }
    }
    return heldHandle(nullptr);
}

QImage decodeHeif(const QString& path, QSize scaledSize) {
    HeifContext held;
    const HeifHandle picture = primaryPicture(held.context, path);
    if (!picture) return QImage();
    const HeifHandle thumbnail =
        scaledSize.isValid() ? thumbnailFor(picture.get(), scaledSize) : heldHandle(nullptr);
    const heif_image_handle* source = thumbnail ? thumbnail.get() : picture.get();
    const bool alpha = heif_image_handle_has_alpha_channel(source) != 0;
    heif_image* decoded = nullptr;
    // Decoded with the container's turns and mirroring applied (libheif's default).
    if (heif_decode_image(source, &decoded, heif_colorspace_RGB,
                          alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                          nullptr)
            .code != heif_error_Ok) {
        return QImage();
    }
    const HeifImage image(decoded, &heif_image_release);
    int stride = 0;
    const uint8_t* pixels =
        heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(decoded, heif_channel_interleaved);
    const int height = heif_image_get_height(decoded, heif_channel_interleaved);
    if (pixels == nullptr || width <= 0 || height <= 0) return QImage();
    // A view on libheif's pixels; what is returned is a copy of its own.
    const QImage view(pixels, width, height, stride,
                      alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const QImage::Format shown = alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (scaledSize.isValid() && scaledSize != view.size()) {
        return view.scaled(scaledSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(shown);
    }
    return view.convertToFormat(shown);
}

QImage decodeWithQt(const QString& path, QSize scaledSize, int orientation) {
    QFile file;
    if (!OpenPathForReading(file, path)) return QImage();
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(orientation == kOrientationOfItsReader);
    if (scaledSize.isValid()) reader.setScaledSize(scaledSize);
    return Upright(reader.read(), orientation);
}

}  // namespace

bool IsHeifPicture(const QString& path) {
    QFile file;
    if (!OpenPathForReading(file, path)) return false;
    const QByteArray head = file.read(kFileTypeBoxBytes);
    if (LooksLikeHeif(std::string_view(head.constData(), size_t(head.size())))) return true;
    static const QStringList kHeifExtensions = {QStringLiteral("heic"), QStringLiteral("heif"),
                                                QStringLiteral("hif"), QStringLiteral("avif")};
    return head.mid(4, 4) == "ftyp" && kHeifExtensions.contains(QFileInfo(path).suffix().toLower());
}

QSize HeifPictureSize(const QString& path) {
    HeifContext held;
    const HeifHandle picture = primaryPicture(held.context, path);
    return picture ? heifSize(picture.get()) : QSize();
}

int PictureOrientation(const QString& path, const QByteArray& format) {
    if (format != "jpeg") return kOrientationOfItsReader;
    return ExifOrientation(ReadJpegHead(PathBytes(path)));
}

QImage Upright(const QImage& stored, int orientation) {
    const auto turned = [](const QImage& image, int degrees) {
        return image.transformed(QTransform().rotate(degrees));
    };
    switch (orientation) {
        case 2:
            return stored.mirrored(true, false);
        case 3:
            return turned(stored, 180);
        case 4:
            return stored.mirrored(false, true);
        case 5:
            return turned(stored.mirrored(true, false), 270);
        case 6:
            return turned(stored, 90);
        case 7:
            return turned(stored.mirrored(true, false), 90);
        case 8:
            return turned(stored, 270);
        default:
            return stored;
    }
}

QImage DecodePicture(const QString& path, QSize scaledSize, int orientation) {
    return orientation == kOrientationOfItsReader && IsHeifPicture(path)
               ? decodeHeif(path, scaledSize)
               : decodeWithQt(path, scaledSize, orientation);
}

quint64 DecodeTicket::renew() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return ++number_;
}

void DecodeTicket::close() {
    const std::lock_guard<std::mutex> lock(mutex_);
    receiver_ = nullptr;
}

bool DecodeTicket::isCurrent(quint64 number) {
    const std::lock_guard<std::mutex> lock(mutex_);
    return receiver_ && number_ == number;
}

void DecodeTicket::deliver(quint64 number, std::function<void()> arrived) {
    // Held while posting, so that the receiver cannot be destroyed in between; once posted,
    // Qt drops the call if the receiver is destroyed before it runs.
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!receiver_ || number_ != number) return;
    QMetaObject::invokeMethod(receiver_, std::move(arrived), Qt::QueuedConnection);
}

void DecodeInBackground(const std::shared_ptr<DecodeTicket>& ticket, quint64 number,
                        const QString& path, QSize scaledSize, int orientation,
                        std::function<void(QImage)> done) {
    decodePool().start([=] {
        if (!ticket->isCurrent(number)) return;  // a newer picture came while this one waited
        QImage image = DecodePicture(path, scaledSize, orientation);
        ticket->deliver(number, [ticket, number, done, image = std::move(image)] {
            if (ticket->isCurrent(number)) done(image);
        });
    });
}

bool WaitForBackgroundDecodes(int milliseconds) { return decodePool().waitForDone(milliseconds); }

}  // namespace lumaro
