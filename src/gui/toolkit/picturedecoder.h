// Decoding pictures at the size they are shown, on the window thread or on a small pool of
// background threads, so that a camera-size picture never holds up the window.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <mutex>

namespace lumaro {

// The orientation of a picture as the core's Exif reader gives it for JPEG files (1 to 8), or
// this value: the reader of the picture's own type applies the orientation it finds.
inline constexpr int kOrientationOfItsReader = 0;

// The orientation of the picture file at `path`: for a JPEG file the one the core's Exif reader
// finds, which is the one a turn starts from; for other types kOrientationOfItsReader.
int PictureOrientation(const QString& path, const QByteArray& format);
// Whether pictures of that orientation are shown with their sides exchanged.
inline bool OrientationSwapsSides(int orientation) { return orientation >= 5; }
// The stored pixels shown as `orientation` (1 to 8) says; others leave the image as it is.
QImage Upright(const QImage& stored, int orientation);

// Whether the file at `path` is a HEIF picture (HEIC, AVIF): by its content, or, for a brand not
// known here, by a file-type box and the extension heic, heif, hif or avif. Such pictures are read
// with libheif, which turns and mirrors them as their container says: they come upright from
// their reader, and the Exif orientation they may carry as well is not applied a second time.
bool IsHeifPicture(const QString& path);
// The size of a HEIF picture as it is shown (its turns applied); empty when it cannot be read.
QSize HeifPictureSize(const QString& path);

// Reads the picture upright (its orientation applied), scaled to `scaledSize` when that is
// valid. `scaledSize` is the size before the orientation.
QImage DecodePicture(const QString& path, QSize scaledSize, int orientation);

// What a background decode is for: the receiver that wants it and the number of the picture it
// shows. A decode whose number is no longer the receiver's is dropped, before it starts when it
// is still waiting for a thread, and in any case before it reaches the receiver.
class DecodeTicket {
public:
    explicit DecodeTicket(QObject* receiver) : receiver_(receiver) {}
    // A new picture: decodes asked before are of no more use.
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
                        const QString& path, QSize scaledSize, int orientation,
                        std::function<void(QImage)> done);

// Waits until no background decode runs or waits (tests and benchmarks: a decode that was
// dropped has then surely been dropped). False when `milliseconds` ran out first.
bool WaitForBackgroundDecodes(int milliseconds);

}  // namespace lumaro
