#include "gui/toolkit/picturedecoder.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QMetaObject>
#include <QThread>
#include <QThreadPool>
#include <QTransform>
#include <algorithm>

#include "core/picturefile/jpeghead.h"
#include "core/picturefile/jpegheader.h"
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

}  // namespace

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
    QFile file;
    if (!OpenPathForReading(file, path)) return QImage();
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(orientation == kOrientationOfItsReader);
    if (scaledSize.isValid()) reader.setScaledSize(scaledSize);
    return Upright(reader.read(), orientation);
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
