#include "toolkit/picturedecoder.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QMetaObject>
#include <QThread>
#include <QThreadPool>
#include <QTransform>
#include <algorithm>

#include "toolkit/filebytes.h"

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

QImage DecodePicture(const QString& path, QSize scaledSize, int quarterTurns) {
    QFile file;
    if (!OpenPathForReading(file, path)) return QImage();
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    if (scaledSize.isValid()) reader.setScaledSize(scaledSize);
    const QImage image = reader.read();
    if (quarterTurns % 4 == 0 || image.isNull()) return image;
    return image.transformed(QTransform().rotate(90.0 * quarterTurns));
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
                        const QString& path, QSize scaledSize, int quarterTurns,
                        std::function<void(QImage)> done) {
    decodePool().start([=] {
        if (!ticket->isCurrent(number)) return;  // a newer picture came while this one waited
        QImage image = DecodePicture(path, scaledSize, quarterTurns);
        ticket->deliver(number, [ticket, number, done, image = std::move(image)] {
            if (ticket->isCurrent(number)) done(image);
        });
    });
}

bool WaitForBackgroundDecodes(int milliseconds) { return decodePool().waitForDone(milliseconds); }

}  // namespace lumaro
