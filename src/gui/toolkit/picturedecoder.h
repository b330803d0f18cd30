// Decoding pictures at the size they are shown, on the window thread or on a small pool of
// background threads, so that a camera-size picture never holds up the window.
#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <mutex>

namespace lumaro {

// Reads the picture upright (Exif orientation applied), scaled to `scaledSize` when that is
// valid, then turned clockwise by `quarterTurns`. `scaledSize` is the size before the turn.
QImage DecodePicture(const QString& path, QSize scaledSize, int quarterTurns);

// What a background decode is for: the receiver that wants it and the number of the picture it
// shows. A decode whose number is no longer the receiver's is dropped, before it starts when it
// is still waiting for a thread, and in any case before it reaches the receiver.
class DecodeTicket {
public:
    explicit DecodeTicket(QObject* receiver) : receiver_(receiver) {}
    // A new picture (or a turned one): decodes asked before are of no more use.
    quint64 renew();
    // The receiver goes away: nothing reaches it any more.
    void close();
    bool isCurrent(quint64 number);
    // Calls `arrived` on the receiver's thread, if `number` is still current then.
    void deliver(quint64 number, std::function<void()> arrived);

private:
    std::mutex mutex_;
    QObject* receiver_;
    quint64 number_ = 0;
};

// Decodes in the background; `done` runs on the receiver's thread with the picture (null when
// it cannot be read), only if the ticket still holds `number` then.
void DecodeInBackground(const std::shared_ptr<DecodeTicket>& ticket, quint64 number,
                        const QString& path, QSize scaledSize, int quarterTurns,
                        std::function<void(QImage)> done);

// Waits until no background decode runs or waits (tests and benchmarks: a decode that was
// dropped has then surely been dropped). False when `milliseconds` ran out first.
bool WaitForBackgroundDecodes(int milliseconds);

}  // namespace lumaro
