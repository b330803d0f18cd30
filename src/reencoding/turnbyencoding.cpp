// Turning a picture that is not JPEG: decoded, turned, encoded again with the compression it had.
#include "reencoding/turnbyencoding.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QTransform>
#include <QtEndian>

#include "core/files/atomicwrite.h"
#include "core/files/readfile.h"

namespace lumaro {

namespace {

// A lossy WebP is encoded again at a quality that keeps what the eye sees.
constexpr int kWebpLossyQuality = 90;
// Qt's WebP writer stores the picture without loss from this quality on.
constexpr int kWebpLossless = 100;
// Qt's TIFF writer knows two ways: none and LZW.
constexpr int kTiffNoCompression = 0;
constexpr int kTiffLzw = 1;

// A WebP file is a RIFF file of chunks (four-letter name, little-endian size, data padded to an
// even length); its picture is a "VP8L" chunk when stored without loss, "VP8 " when lossy.
bool isLosslessWebp(const QByteArray& bytes) {
    qsizetype at = 12;  // after "RIFF", the size, "WEBP"
    while (at + 8 <= bytes.size()) {
        const QByteArray name = bytes.mid(at, 4);
        if (name == "VP8L") return true;
        if (name == "VP8 ") return false;
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        at += 8 + qsizetype(size) + (size & 1);
    }
    return false;
}

// Whether the first picture of a TIFF file is stored uncompressed (tag 259 of its directory is
// 1, or absent). A file it cannot read counts as compressed.
bool isUncompressedTiff(const QByteArray& bytes) {
    const QByteArray head = bytes.left(4);
    if (bytes.size() < 8 || (head != QByteArray("II*\0", 4) && head != QByteArray("MM\0*", 4))) {
        return false;
    }
    const bool big = bytes[0] == 'M';
    const auto number = [&](qsizetype at, int width) -> quint32 {
        const uchar* p = reinterpret_cast<const uchar*>(bytes.constData()) + at;
        if (width == 2) return big ? qFromBigEndian<quint16>(p) : qFromLittleEndian<quint16>(p);
        return big ? qFromBigEndian<quint32>(p) : qFromLittleEndian<quint32>(p);
    };
    const qsizetype directory = number(4, 4);
    if (directory > bytes.size() - 2) return false;
    const quint32 count = number(directory, 2);
    for (quint32 i = 0; i < count; ++i) {
        const qsizetype entry = directory + 2 + 12 * qsizetype(i);
        if (entry > bytes.size() - 12) return false;
        if (number(entry, 2) == 259) return number(entry + 8, 2) == 1;
    }
    return true;
}

// Encodes `image` in `format` without losing more than the source had lost: a lossless WebP
// stays lossless, a compressed TIFF stays compressed and an uncompressed one uncompressed.
bool encodeLikeSource(const QImage& image, const QByteArray& format, const QByteArray& source,
                      QByteArray& bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (format == "webp") {
        writer.setQuality(isLosslessWebp(source) ? kWebpLossless : kWebpLossyQuality);
    }
    if (format == "tiff") {
        writer.setCompression(isUncompressedTiff(source) ? kTiffNoCompression : kTiffLzw);
    }
    return writer.write(image);
}

}  // namespace

TurnPictureResult TurnByEncodingAgain(const std::string& path, int angle, bool write) {
    using Status = TurnPictureResult::Status;
    using Why = TurnPictureResult::Why;
    std::string read;
    if (const FileStepResult opened = ReadWholeFile(path, read); !opened.ok()) {
        return {.status = Status::Unreadable, .file = opened};
    }
    QByteArray source = QByteArray::fromRawData(read.data(), qsizetype(read.size()));
    QBuffer sourceBuffer(&source);
    sourceBuffer.open(QIODevice::ReadOnly);
    QImageReader reader(&sourceBuffer);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);  // turned from what the viewer shows
    const QByteArray format = reader.format();
    // Only the first page or frame would be written back: the others would be lost.
    if (reader.imageCount() > 1) return {.status = Status::CannotTurn, .why = Why::SeveralPictures};
    const QImage image = reader.read();
    if (image.isNull()) return {.status = Status::Unreadable, .why = Why::Damaged};
    if (!QImageWriter::supportedImageFormats().contains(format)) {
        return {.status = Status::CannotTurn, .why = Why::TypeNotWritable};
    }
    QByteArray bytes;
    if (!encodeLikeSource(image.transformed(QTransform().rotate(angle)), format, source, bytes)) {
        return {.status = Status::CannotTurn, .why = Why::TypeNotWritable};
    }
    if (!write) return {.status = Status::Turned};
    const FileStepResult written = WriteFileAtomically(
        path, std::string_view(bytes.constData(), size_t(bytes.size())), kReplaceAsTheSameFile);
    if (!written.ok()) return {.status = Status::NotWritten, .file = written};
    return {.status = Status::Turned};
}

}  // namespace lumaro
