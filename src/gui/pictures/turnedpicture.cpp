#include "pictures/turnedpicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTransform>

#include "pictures/safereplace.h"
#include "toolkit/filebytes.h"

namespace lumaro {

TurnPictureResult TurnInOwnFormat(const QString& path, int angle) {
    using Status = TurnPictureResult::Status;
    QFile file;
    if (!OpenPathForReading(file, path)) return {Status::Unreadable, false, file.errorString().toStdString()};
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);  // turned from what the viewer shows
    const QByteArray format = reader.format();
    const QImage image = reader.read();
    if (image.isNull()) return {Status::Unreadable, false, reader.errorString().toStdString()};
    if (!QImageWriter::supportedImageFormats().contains(format)) {
        return {Status::CannotTurn, false, "pictures of type " + format.toStdString() + " cannot be written"};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image.transformed(QTransform().rotate(angle)))) {
        return {Status::CannotTurn, false, writer.errorString().toStdString()};
    }
    const FileStepResult written =
        ReplaceFileContent(PathBytes(path), std::string_view(bytes.constData(), size_t(bytes.size())));
    if (!written.ok()) return {Status::NotWritten, false, DescribeFileStep(written)};
    return {Status::Turned, false, {}};
}

}  // namespace lumaro
