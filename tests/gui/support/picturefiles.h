// Real JPEG pictures for the window tests, made in a temporary folder.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lumaro::testing {

// A small decodable JPEG of one colour; with a date, an Exif block carrying it follows the
// start of the picture.
QByteArray JpegBytes(const QString& dateText = QString(), int width = 64, int height = 48);
void WritePicture(const QString& folder, const QString& fileName,
                  const QString& dateText = QString());
// The file names of a folder, sorted, hidden files left out.
QStringList FilesIn(const QString& folder);

}  // namespace lumaro::testing
