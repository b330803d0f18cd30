// JPEG headers built byte by byte, so that every case of the picture date reader (Exif in
// either byte order, after a JFIF segment, damaged offsets) is written exactly as needed.
#pragma once

#include <cstdint>
#include <string>

namespace lumaro::jpegbytes {

inline void put16(std::string& out, uint16_t value, bool bigEndian) {
    const char hi = static_cast<char>(value >> 8), lo = static_cast<char>(value & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
}

inline void put32(std::string& out, uint32_t value, bool bigEndian) {
    put16(out, static_cast<uint16_t>(bigEndian ? value >> 16 : value & 0xFFFF), bigEndian);
    put16(out, static_cast<uint16_t>(bigEndian ? value & 0xFFFF : value >> 16), bigEndian);
}

inline std::string Soi() { return std::string("\xFF\xD8", 2); }
inline std::string Eoi() { return std::string("\xFF\xD9", 2); }

// A segment: marker FF `code`, length, payload.
inline std::string Segment(uint8_t code, const std::string& payload) {
    std::string out("\xFF", 1);
    out += static_cast<char>(code);
    put16(out, static_cast<uint16_t>(payload.size() + 2), true);
    return out + payload;
}

// The JFIF segment, 18 bytes in the common form, longer with a 2 x 2 thumbnail.
inline std::string Jfif(bool withThumbnail = false) {
    std::string payload("JFIF\0\x01\x01\x00\x00\x48\x00\x48", 12);
    payload += withThumbnail ? std::string("\x02\x02", 2) + std::string(12, '\x7F')
                             : std::string("\x00\x00", 2);
    return Segment(0xE0, payload);
}

struct Exif {
    bool bigEndian = false;
    std::string date = "2006:05:12 14:23:44";
    uint16_t dateTag = 0x0132;       // tag of the entry that carries the date
    int entriesBefore = 1;           // other entries in front of it
    bool inSecondDirectory = false;  // the date entry sits in a directory after the first one
    uint32_t firstOffset = 8;        // offset of the first directory from the TIFF header
    int64_t dateOffset = -1;         // value offset of the date; -1: where the date is written
    int32_t entryCount = -1;         // count written for the first directory; -1: the real one
};

inline void putEntry(std::string& out, uint16_t tag, uint32_t value, bool bigEndian) {
    put16(out, tag, bigEndian);
    put16(out, 2, bigEndian);  // ASCII
    put32(out, 20, bigEndian);
    put32(out, value, bigEndian);
}

// An APP1 Exif segment whose TIFF data holds one or two directories and the date text.
inline std::string ExifApp1(const Exif& exif) {
    const bool be = exif.bigEndian;
    // Damaged offsets point nowhere: nothing is written for them.
    const uint32_t padding =
        exif.firstOffset >= 8 && exif.firstOffset < 4096 ? exif.firstOffset - 8 : 0;
    const int first = exif.entriesBefore + (exif.inSecondDirectory ? 0 : 1);
    uint32_t dataStart = 8 + padding + 2 + 12 * first + 4;
    if (exif.inSecondDirectory) dataStart += padding + 2 + 12 * 2;
    const uint32_t dateAt =
        exif.dateOffset >= 0 ? static_cast<uint32_t>(exif.dateOffset) : dataStart;

    std::string tiff = be ? "MM" : "II";
    put16(tiff, 42, be);
    put32(tiff, exif.firstOffset, be);
    tiff += std::string(padding, '\0');
    put16(tiff, static_cast<uint16_t>(exif.entryCount >= 0 ? exif.entryCount : first), be);
    for (int i = 0; i < exif.entriesBefore; ++i) putEntry(tiff, 0x010F, dataStart, be);
    if (exif.inSecondDirectory) {
        tiff += std::string(padding, '\0');
        put16(tiff, 2, be);
        putEntry(tiff, 0x0110, dataStart, be);
    }
    putEntry(tiff, exif.dateTag, dateAt, be);
    put32(tiff, 0, be);  // no next directory
    tiff += exif.date;
    tiff += '\0';
    return Segment(0xE1, std::string("Exif\0\0", 6) + tiff);
}

// A whole small picture file: start, the given header segments, a few bytes, end.
inline std::string Picture(const std::string& segments) {
    return Soi() + segments + Segment(0xDB, std::string(8, '\x01')) + Eoi();
}

}  // namespace lumaro::jpegbytes
