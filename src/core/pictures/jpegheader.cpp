#include "pictures/jpegheader.h"

#include <cstdint>

namespace lumaro {

namespace {

constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kApp1 = 0xE1;
constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kExifDirectoryTag = 0x8769;
constexpr uint16_t kPixelWidthTag = 0xA002;
constexpr uint16_t kPixelHeightTag = 0xA003;
constexpr uint16_t kThumbnailStartTag = 0x0201;
constexpr uint16_t kThumbnailLengthTag = 0x0202;
constexpr uint16_t kShortType = 3;
constexpr uint16_t kLongType = 4;

unsigned byteAt(std::string_view b, size_t i) { return static_cast<unsigned char>(b[i]); }

// The TIFF data inside an Exif segment, read with bounds checks against its own end.
struct TiffView {
    std::string_view bytes;  // the whole file
    size_t start = 0;        // offset of the TIFF header in the file
    size_t end = 0;          // one past the segment
    bool bigEndian = false;

    bool has(size_t offset, size_t count) const {
        return offset <= end - start && count <= end - start - offset;
    }
    unsigned u16(size_t offset) const {
        const size_t at = start + offset;
        return bigEndian ? (byteAt(bytes, at) << 8) | byteAt(bytes, at + 1)
                         : (byteAt(bytes, at + 1) << 8) | byteAt(bytes, at);
    }
    unsigned u32(size_t offset) const {
        return bigEndian ? (u16(offset) << 16) | u16(offset + 2) : (u16(offset + 2) << 16) | u16(offset);
    }
};

// Looks for `tag` in the directory at `directory`; a field of type SHORT or LONG with one value.
ExifNumberField findNumber(const TiffView& tiff, size_t directory, uint16_t tag) {
    if (!tiff.has(directory, 2)) return {};
    const unsigned count = tiff.u16(directory);
    for (unsigned i = 0; i < count; ++i) {
        const size_t entry = directory + 2 + 12 * size_t{i};
        if (!tiff.has(entry, 12)) return {};
        if (tiff.u16(entry) != tag) continue;
        const unsigned type = tiff.u16(entry + 2);
        if (tiff.u32(entry + 4) != 1 || (type != kShortType && type != kLongType)) return {};
        return {tiff.start + entry + 8, type == kShortType ? 2 : 4, tiff.bigEndian};
    }
    return {};
}

}  // namespace

bool LooksLikeJpeg(std::string_view bytes) {
    return bytes.size() >= 3 && byteAt(bytes, 0) == 0xFF && byteAt(bytes, 1) == 0xD8 &&
           byteAt(bytes, 2) == 0xFF;
}

std::vector<JpegSegment> JpegHeaderSegments(std::string_view jpeg) {
    std::vector<JpegSegment> segments;
    if (!LooksLikeJpeg(jpeg)) return segments;
    size_t pos = 2;
    while (pos + 1 < jpeg.size() && byteAt(jpeg, pos) == 0xFF) {
        size_t at = pos + 1;
        while (at < jpeg.size() && byteAt(jpeg, at) == 0xFF) ++at;  // fill bytes
        if (at >= jpeg.size()) break;
        const unsigned char marker = static_cast<unsigned char>(byteAt(jpeg, at));
        if (marker == kStartOfScan || marker == kEndOfImage) break;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length follows
            pos = at + 1;
            continue;
        }
        if (at + 2 >= jpeg.size()) break;
        const size_t length = (byteAt(jpeg, at + 1) << 8) | byteAt(jpeg, at + 2);
        if (length < 2 || length > jpeg.size() - at - 1) break;
        segments.push_back({marker, at - 1, length + 2});
        pos = at + 1 + length;
    }
    return segments;
}

std::string JpegMarkerSegments(std::string_view jpeg) {
    std::string markers;
    for (const JpegSegment& s : JpegHeaderSegments(jpeg)) {
        if ((s.marker >= 0xE0 && s.marker <= 0xEF) || s.marker == 0xFE) {
            markers += jpeg.substr(s.offset, s.size);
        }
    }
    return markers;
}

ExifTurnFields FindExifTurnFields(std::string_view jpeg) {
    for (const JpegSegment& s : JpegHeaderSegments(jpeg)) {
        if (s.marker != kApp1 || s.size < 4 + 6 + 8) continue;
        if (jpeg.substr(s.offset + 4, 6) != std::string_view("Exif\0\0", 6)) continue;
        TiffView tiff{jpeg, s.offset + 10, s.offset + s.size, false};
        const std::string_view order = jpeg.substr(tiff.start, 2);
        if (order != "II" && order != "MM") return {};
        tiff.bigEndian = order == "MM";
        const size_t first = tiff.u32(4);
        ExifTurnFields fields;
        fields.segment = s;
        fields.orientation = findNumber(tiff, first, kOrientationTag);
        // The second directory follows the first one's entries and holds the small picture.
        if (tiff.has(first, 2)) {
            const size_t next = first + 2 + 12 * size_t{tiff.u16(first)};
            if (tiff.has(next, 4) && tiff.u32(next) != 0) {
                fields.thumbnailStart = findNumber(tiff, tiff.u32(next), kThumbnailStartTag);
                fields.thumbnailLength = findNumber(tiff, tiff.u32(next), kThumbnailLengthTag);
            }
        }
        const ExifNumberField exifPointer = findNumber(tiff, first, kExifDirectoryTag);
        if (exifPointer.width == 4) {
            const size_t exifDirectory = tiff.u32(exifPointer.offset - tiff.start);
            fields.pixelWidth = findNumber(tiff, exifDirectory, kPixelWidthTag);
            fields.pixelHeight = findNumber(tiff, exifDirectory, kPixelHeightTag);
        }
        return fields;
    }
    return {};
}

unsigned ReadExifNumber(std::string_view jpeg, const ExifNumberField& field) {
    if (!field.present() || field.offset + field.width > jpeg.size()) return 0;
    unsigned value = 0;
    for (int i = 0; i < field.width; ++i) {
        const unsigned b = byteAt(jpeg, field.offset + (field.bigEndian ? i : field.width - 1 - i));
        value = (value << 8) | b;
    }
    return value;
}

void WriteExifNumber(std::string& jpeg, const ExifNumberField& field, unsigned value) {
    if (!field.present() || field.offset + field.width > jpeg.size()) return;
    for (int i = 0; i < field.width; ++i) {
        const int shift = 8 * (field.bigEndian ? field.width - 1 - i : i);
        jpeg[field.offset + i] = static_cast<char>((value >> shift) & 0xFF);
    }
}

int ExifOrientation(std::string_view jpeg) {
    const unsigned value = ReadExifNumber(jpeg, FindExifTurnFields(jpeg).orientation);
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
}

}  // namespace lumaro
