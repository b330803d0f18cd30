// The Exif block of picture files carried over to a picture written anew, so that a turned
// picture keeps its dates. The date a picture shows is read by pictures/picturedate.h.
#pragma once

#include <QByteArray>
#include <QString>

namespace lumaro {

// The Exif block of the file at path (the APP1 payload, from "Exif\0\0"), made fit for a new
// picture of width x height whose pixels are already upright: orientation 1, no old thumbnail.
// Empty when the file has no Exif block or the block would not fit in one segment.
QByteArray exifBlockForRewrite(const QString& path, int width, int height);

// The JPEG data with the block added as an APP1 segment near its start; unchanged when the
// block is empty or the data is not JPEG.
QByteArray jpegWithExif(const QByteArray& jpeg, const QByteArray& exifBlock);

}  // namespace lumaro
