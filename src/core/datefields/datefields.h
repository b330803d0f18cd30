// Where the dates of a picture or video file lie, byte for byte, so that a clock correction can
// rewrite them in place: the Exif dates of JPEG, TIFF and raw, PNG, WebP and HEIF files, and
// the header times and the Apple creation date of MP4 and QuickTime videos. The same walk reads
// the device that made the file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro {

enum class DateLayout { Unknown, Jpeg, Tiff, Png, WebP, Heif, Movie };

enum class DateFieldKind {
    ExifText,        // "YYYY:MM:DD HH:MM:SS"
    AppleText,       // "YYYY-MM-DDTHH:MM:SS" followed by its offset, which stays
    MovieSeconds32,  // seconds since 1904, big-endian, 4 bytes
    MovieSeconds64,  // the same in 8 bytes
};

struct DateField {
    DateFieldKind kind = DateFieldKind::ExifText;
    size_t offset = 0;  // in the file
    bool operator==(const DateField&) const = default;
};

// The bytes a check sum covers and where it is stored (a PNG chunk's CRC-32, big-endian).
struct ChecksumSpan {
    size_t start = 0;
    size_t length = 0;
    size_t at = 0;
};

// The Exif Make, Model and BodySerialNumber of a picture, the Apple make and model of a video.
struct Device {
    std::string make;
    std::string model;
    std::string serial;
};

struct FileDates {
    DateLayout layout = DateLayout::Unknown;
    std::vector<DateField> fields;  // in file order, none overlapping another
    std::optional<ChecksumSpan> checksum;
    Device device;
    // The date the file says it was taken, as a listing by date reads it ("YYYY:MM:DD
    // HH:MM:SS"; a video's Apple date as written, else its movie header time in UTC).
    std::string date;
};

// The number of bytes a field of this kind takes.
size_t DateFieldSize(DateFieldKind kind);

// Every date field of the file whose whole content is `bytes` (its name decides only for a
// TIFF byte-order mark of no known magic number). Never reads outside `bytes`.
FileDates FindDateFields(std::string_view bytes, std::string_view fileName);

// The device's name: make, model and serial number as far as present, a model that names its
// make standing alone; a video without any is "video", any other file "unknown".
std::string DeviceName(const FileDates& dates);

}  // namespace lumaro
