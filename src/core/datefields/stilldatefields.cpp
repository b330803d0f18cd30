// Walking JPEG segments and PNG and WebP chunks to their Exif block, each length checked.
#include "core/datefields/stilldatefields.h"

#include <cstdint>

#include "core/datefields/bytereads.h"
#include "core/datefields/tiffdatefields.h"

namespace lumaro {

namespace {

constexpr std::string_view kExifSignature("Exif\0\0", 6);
constexpr uint8_t kStartOfScan = 0xDA;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kApp1 = 0xE1;

// An Exif chunk may begin with the JPEG segment's signature before its TIFF block.
size_t afterSignature(std::string_view file, size_t start, size_t end) {
    return end - start >= kExifSignature.size() && file.substr(start, 6) == kExifSignature
               ? start + kExifSignature.size()
               : start;
}

}  // namespace

void FindJpegDateFields(std::string_view file, FileDates& found) {
    size_t at = 2;
    while (bytes::Fits(file, at, 2) && bytes::Byte(file, at) == 0xFF) {
        size_t marker = at + 1;
        while (marker < file.size() && bytes::Byte(file, marker) == 0xFF) ++marker;  // fill bytes
        if (marker >= file.size()) return;
        const uint8_t type = bytes::Byte(file, marker);
        if (type == kStartOfScan || type == kEndOfImage) return;
        if (type == 0x01 || (type >= 0xD0 && type <= 0xD8)) {  // no length follows
            at = marker + 1;
            continue;
        }
        if (!bytes::Fits(file, marker + 1, 2)) return;
        const size_t length = static_cast<size_t>(bytes::Read(file, marker + 1, 2, true));
        if (length < 2 || !bytes::Fits(file, marker + 1, length)) return;
        const size_t data = marker + 3, end = marker + 1 + length;
        if (type == kApp1 && end - data >= kExifSignature.size() &&
            file.substr(data, kExifSignature.size()) == kExifSignature) {
            FindTiffDateFields(file, data + kExifSignature.size(), end, found);
            return;
        }
        at = end;
    }
}

void FindPngDateFields(std::string_view file, FileDates& found) {
    size_t at = 8;
    while (bytes::Fits(file, at, 12)) {
        const uint32_t length = bytes::Big32(file, at);
        if (!bytes::Fits(file, at + 12, length)) return;  // the chunk and its check sum
        const std::string_view type = file.substr(at + 4, 4);
        const size_t data = at + 8, end = data + length;
        if (type == "eXIf") {
            FindTiffDateFields(file, afterSignature(file, data, end), end, found);
            found.checksum = ChecksumSpan{at + 4, size_t{length} + 4, end};
            return;
        }
        if (type == "IEND") return;
        at = end + 4;
    }
}

void FindWebpDateFields(std::string_view file, FileDates& found) {
    if (!bytes::Fits(file, 0, 12)) return;
    const uint64_t riffEnd = 8 + uint64_t{bytes::Little32(file, 4)};
    const size_t end = riffEnd < file.size() ? static_cast<size_t>(riffEnd) : file.size();
    size_t at = 12;
    while (at <= end && end - at >= 8) {
        const uint32_t length = bytes::Little32(file, at + 4);
        const size_t data = at + 8;
        if (length > end - data) return;
        if (file.substr(at, 4) == "EXIF") {
            FindTiffDateFields(file, afterSignature(file, data, data + length), data + length,
                               found);
            return;
        }
        at = data + length + (length & 1);
    }
}

}  // namespace lumaro
