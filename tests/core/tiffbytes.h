// TIFF blocks built byte by byte, as cameras lay them out (a first directory, the Exif
// sub-directory it points to, the values after both) or damaged on purpose, and the containers
// that carry them: JPEG segment, TIFF file, PNG chunk, WebP chunk.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "jpegbytes.h"

namespace lumaro::tiffbytes {

using jpegbytes::put16;
using jpegbytes::put32;

inline constexpr uint16_t kTagDateTime = 0x0132;
inline constexpr uint16_t kTagExifPointer = 0x8769;
inline constexpr uint16_t kTagOriginal = 0x9003;
inline constexpr uint16_t kTagDigitized = 0x9004;

struct Entry {
    uint16_t tag = 0;
    // Up to 4 bytes: stored in the entry itself; longer: a text, with its closing zero, stored
    // after the directories.
    std::string value;
    int64_t offset = -1;  // value offset written instead of where the value lies
    bool text = false;    // a text of up to 3 characters, with its closing zero, in the entry
};

struct Tiff {
    bool bigEndian = false;
    std::vector<Entry> first;  // the first directory
    std::vector<Entry> exif;   // the Exif sub-directory, pointed to from the first when not empty
    uint32_t firstOffset = 8;  // the first directory starts here (>= 8, or damaged: nothing there)
    int64_t exifOffset = -1;   // pointer to the sub-directory written instead of where it lies
    int32_t firstCount = -1;   // entry count written for the first directory instead of the real
    std::string magic = "*";   // the TIFF magic number: 42 unless set to two other bytes
};

// A number of 4 bytes in the block's byte order, as an inline entry value.
inline std::string Long(uint32_t value, bool bigEndian) {
    std::string out;
    put32(out, value, bigEndian);
    return out;
}

inline std::string Block(const Tiff& t) {
    const bool be = t.bigEndian;
    std::vector<Entry> first = t.first;
    const bool hasExif = !t.exif.empty();
    if (hasExif) {
        first.push_back({kTagExifPointer, "", -1});
        std::stable_sort(first.begin(), first.end(),
                         [](const Entry& a, const Entry& b) { return a.tag < b.tag; });
    }
    const uint32_t firstAt = t.firstOffset >= 8 && t.firstOffset < 65536 ? t.firstOffset : 8;
    const uint32_t exifAt = firstAt + 2 + 12 * static_cast<uint32_t>(first.size()) + 4;
    uint32_t valueAt = exifAt + (hasExif ? 2 + 12 * static_cast<uint32_t>(t.exif.size()) + 4 : 0);
    std::string values;
    auto directory = [&](const std::vector<Entry>& entries, int32_t count) {
        std::string out;
        put16(out, static_cast<uint16_t>(count >= 0 ? count : entries.size()), be);
        for (const Entry& e : entries) {
            put16(out, e.tag, be);
            if (e.tag == kTagExifPointer && e.value.empty()) {
                put16(out, 4, be);
                put32(out, 1, be);
                put32(out, static_cast<uint32_t>(t.exifOffset >= 0 ? t.exifOffset : exifAt), be);
            } else if (e.text && e.value.size() < 4) {
                put16(out, 2, be);
                put32(out, static_cast<uint32_t>(e.value.size() + 1), be);
                out += e.value + std::string(4 - e.value.size(), '\0');
            } else if (e.value.size() <= 4) {
                put16(out, 4, be);
                put32(out, 1, be);
                out += e.value + std::string(4 - e.value.size(), '\0');
            } else {
                put16(out, 2, be);
                put32(out, static_cast<uint32_t>(e.value.size() + 1), be);
                put32(out, static_cast<uint32_t>(e.offset >= 0 ? e.offset : valueAt), be);
                values += e.value + '\0';
                valueAt += static_cast<uint32_t>(e.value.size() + 1);
            }
        }
        put32(out, 0, be);  // no next directory
        return out;
    };
    std::string block = be ? "MM" : "II";
    if (t.magic == "*") {
        put16(block, 42, be);
    } else {
        block += t.magic;
    }
    put32(block, t.firstOffset, be);
    block += std::string(firstAt - 8, '\0');
    block += directory(first, t.firstCount);
    if (hasExif) block += directory(t.exif, -1);
    return block + values;
}

// The containers, each with the block where its type keeps it.
inline std::string JpegWith(const std::string& segmentsBefore, const std::string& block) {
    return jpegbytes::Picture(segmentsBefore +
                              jpegbytes::Segment(0xE1, std::string("Exif\0\0", 6) + block));
}

inline std::string PngChunk(const std::string& type, const std::string& data) {
    std::string out;
    put32(out, static_cast<uint32_t>(data.size()), true);
    return out + type + data + std::string(4, '\0');  // the check sum is not read
}
inline std::string PngWith(const std::string& block, bool afterImageData) {
    const std::string exif = PngChunk("eXIf", block);
    return std::string("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", std::string(13, '\1')) +
           (afterImageData ? "" : exif) + PngChunk("IDAT", std::string(5000, '\x55')) +
           (afterImageData ? exif : "") + PngChunk("IEND", "");
}

inline std::string RiffChunk(const std::string& type, const std::string& data) {
    std::string out = type;
    put32(out, static_cast<uint32_t>(data.size()), false);
    return out + data + (data.size() % 2 ? std::string(1, '\0') : "");
}
inline std::string WebpWith(const std::string& exifData) {
    const std::string body = std::string("WEBP") + RiffChunk("VP8X", std::string(10, '\0')) +
                             RiffChunk("VP8 ", std::string(301, '\x33')) +
                             RiffChunk("EXIF", exifData);
    std::string out = "RIFF";
    put32(out, static_cast<uint32_t>(body.size()), false);
    return out + body;
}

}  // namespace lumaro::tiffbytes
