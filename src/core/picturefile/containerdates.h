// Where the TIFF block with the moment of taking lies in each picture type: the Exif segment of
// a JPEG, the start of a TIFF or TIFF-based raw file, the eXIf chunk of a PNG, the EXIF chunk of
// a WebP, the Exif item of a HEIF picture. The type is told by the first bytes of the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/picturefile/tiffdate.h"

namespace lumaro {

enum class PictureKind { Unknown, Jpeg, Tiff, Png, WebP, Heif };

// The type the first bytes of a file show. A TIFF byte-order mark with a magic number of no
// known kind counts as TIFF only when the file name ends like a TIFF or raw file.
PictureKind KindOfPicture(const uint8_t* head, size_t length, std::string_view fileName);

// The date of the picture open as `fd` whose head `bytes` holds, or nothing. A video of the
// ISO base media family is told by its name and read by ReadMovieDate.
std::optional<TakenDate> ReadContainedDate(PictureBytes& bytes, int fd, std::string_view fileName);

// The walk of each type to its TIFF block, then the date inside it.
std::optional<TakenDate> ReadJpegDate(PictureBytes& bytes);
std::optional<TakenDate> ReadPngDate(PictureBytes& bytes);
std::optional<TakenDate> ReadWebpDate(PictureBytes& bytes);
// HEIF, HEIC and AVIF: the primary picture's Exif item, found by libheif in the open file,
// whose reads are served from `bytes` where they can be.
std::optional<TakenDate> ReadHeifDate(PictureBytes& bytes, int fd);
// The date inside the bytes of a HEIF Exif item: a 4-byte big-endian offset, then after as
// many bytes the TIFF block.
std::optional<TakenDate> HeifExifItemDate(const uint8_t* item, size_t size);

}  // namespace lumaro
