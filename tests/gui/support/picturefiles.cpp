// Real JPEG pictures with or without a date, written to a folder, and the files a folder holds.
#include "support/picturefiles.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>

#include "../core/jpegbytes.h"

namespace lumaro::testing {

QByteArray JpegBytes(const QString& dateText, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(qHash(dateText) % 360, 160, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    if (dateText.isEmpty()) return bytes;
    jpegbytes::Exif exif;
    exif.date = dateText.toStdString();
    const std::string app1 = jpegbytes::ExifApp1(exif);
    return bytes.left(2) + QByteArray(app1.data(), static_cast<int>(app1.size())) + bytes.mid(2);
}

void WritePicture(const QString& folder, const QString& fileName, const QString& dateText) {
    QFile file(QDir(folder).filePath(fileName));
    file.open(QIODevice::WriteOnly);
    file.write(JpegBytes(dateText));
}

QStringList FilesIn(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
    names.sort();
    return names;
}

}  // namespace lumaro::testing
