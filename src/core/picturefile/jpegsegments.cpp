// Walking the segments of a JPEG header; finding, reading and writing its Exif fields in place.
#include "core/picturefile/jpegsegments.h"

#include <cstdint>
#include <optional>

namespace lumaro {

namespace {

constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kApp1 = 0xE1;
constexpr unsigned char kApp2 = 0xE2;
constexpr uint16_t kPictureEntriesTag = 0xB002;
constexpr size_t kPictureEntrySize = 16;  // attributes, size, offset, two dependent pictures
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
        return bigEndian ? (u16(offset) << 16) | u16(offset + 2)
                         : (u16(offset + 2) << 16) | u16(offset);
    }
};

// Whether `s` is a `marker` segment whose payload opens with `signature` ("Exif\0\0", "MPF\0")
// and has room for a TIFF header after it.
bool carries(std::string_view jpeg, const JpegSegment& s, unsigned char marker,
             std::string_view signature) {
    return s.marker == marker && s.size >= 4 + signature.size() + 8 &&
           jpeg.substr(s.offset + 4, signature.size()) == signature;
}

// The TIFF data after the segment's signature; none when its byte order is neither "II" nor "MM".
std::optional<TiffView> tiffAfter(std::string_view jpeg, const JpegSegment& s,
                                  size_t signatureSize) {
    const size_t start = s.offset + 4 + signatureSize;
    const std::string_view order = jpeg.substr(start, 2);
    if (order != "II" && order != "MM") return std::nullopt;
    return TiffView{jpeg, start, s.offset + s.size, order == "MM"};
}

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

namespace {

// The segments in front of the picture data, and where the marker that ended them (start of
// scan or end of image) begins; `stop` stays npos when the walk met anything malformed.
struct HeaderWalk {
    std::vector<JpegSegment> segments;
    size_t stop = std::string_view::npos;
    unsigned char stopMarker = 0;
};

HeaderWalk walkHeader(std::string_view jpeg) {
    HeaderWalk walk;
    if (!LooksLikeJpeg(jpeg)) return walk;
    size_t pos = 2;
    while (pos + 1 < jpeg.size() && byteAt(jpeg, pos) == 0xFF) {
        size_t at = pos + 1;
        while (at < jpeg.size() && byteAt(jpeg, at) == 0xFF) ++at;  // fill bytes
        if (at >= jpeg.size()) break;
        const unsigned char marker = static_cast<unsigned char>(byteAt(jpeg, at));
        if (marker == kStartOfScan || marker == kEndOfImage) {
            walk.stop = at - 1;
            walk.stopMarker = marker;
            break;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length follows
            pos = at + 1;
            continue;
        }
        if (at + 2 >= jpeg.size()) break;
        const size_t length = (byteAt(jpeg, at + 1) << 8) | byteAt(jpeg, at + 2);
        if (length < 2 || length > jpeg.size() - at - 1) break;
        walk.segments.push_back({marker, at - 1, length + 2});
        pos = at + 1 + length;
    }
    return walk;
}

}  // namespace

std::vector<JpegSegment> JpegHeaderSegments(std::string_view jpeg) {
    return walkHeader(jpeg).segments;
}

size_t JpegPictureEnd(std::string_view jpeg) {
    const HeaderWalk walk = walkHeader(jpeg);
    if (walk.stop == std::string_view::npos) return 0;
    size_t pos = walk.stop;
    if (walk.stopMarker == kEndOfImage) return pos + 2;
    // From the first start of scan on: coded data, in which 0xFF is followed by 0x00 (a stuffed
    // byte), a restart marker, a fill byte, or a marker that opens a segment (tables, the next
    // scan of a progressive picture); the first end-of-image marker ends the picture.
    while (pos + 1 < jpeg.size()) {
        if (byteAt(jpeg, pos) != 0xFF) {
            ++pos;
            continue;
        }
        const unsigned next = byteAt(jpeg, pos + 1);
        if (next == kEndOfImage) return pos + 2;
        if (next == 0xFF) {
            ++pos;
        } else if (next == 0x00 || next == 0x01 || (next >= 0xD0 && next <= 0xD7)) {
            pos += 2;
        } else {
            if (pos + 3 >= jpeg.size()) return 0;
            const size_t length = (byteAt(jpeg, pos + 2) << 8) | byteAt(jpeg, pos + 3);
            if (length < 2 || length > jpeg.size() - pos - 2) return 0;
            pos += 2 + length;
        }
    }
    return 0;
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
        const std::string_view signature("Exif\0\0", 6);
        if (!carries(jpeg, s, kApp1, signature)) continue;
        const std::optional<TiffView> found = tiffAfter(jpeg, s, signature.size());
        if (!found) return {};
        const TiffView& tiff = *found;
        const size_t first = tiff.u32(4);
        ExifTurnFields fields;
        fields.segment = s;
        fields.orientation = findNumber(tiff, first, kOrientationTag);
        // The second directory follows the first one's entries and holds the small picture.
        if (tiff.has(first, 2)) {
            const size_t next = first + 2 + 12 * size_t{tiff.u16(first)};
            if (tiff.has(next, 4)) fields.secondDirectory = {tiff.start + next, 4, tiff.bigEndian};
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

PictureIndex FindPictureIndex(std::string_view jpeg) {
    for (const JpegSegment& s : JpegHeaderSegments(jpeg)) {
        const std::string_view signature("MPF\0", 4);
        if (!carries(jpeg, s, kApp2, signature)) continue;
        const std::optional<TiffView> found = tiffAfter(jpeg, s, signature.size());
        if (!found) return {};
        const TiffView& tiff = *found;
        PictureIndex index;
        index.tiffStart = tiff.start;
        const size_t first = tiff.u32(4);
        index.damaged = !tiff.has(first, 2);
        const unsigned count = index.damaged ? 0 : tiff.u16(first);
        for (unsigned i = 0; i < count; ++i) {
            const size_t entry = first + 2 + 12 * size_t{i};
            if (!tiff.has(entry, 12)) return {0, {}, true};
            if (tiff.u16(entry) != kPictureEntriesTag) continue;
            const size_t bytes = tiff.u32(entry + 4), at = tiff.u32(entry + 8);
            if (bytes % kPictureEntrySize != 0 || !tiff.has(at, bytes)) return {0, {}, true};
            for (size_t e = at; e < at + bytes; e += kPictureEntrySize) {
                index.entries.push_back({{tiff.start + e + 4, 4, tiff.bigEndian},
                                         {tiff.start + e + 8, 4, tiff.bigEndian}});
            }
            return index;
        }
        return index;
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
