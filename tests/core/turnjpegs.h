// Real JPEG pictures for the turn tests: four coloured quarters, so that where each corner
// went can be checked after a turn, with an Exif block (orientation, date, pixel dimensions),
// a colour-profile segment and a comment in front of the picture data; and what files carry
// after their picture: an index of further pictures, a phone's motion video.
#pragma once

#include <turbojpeg.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "jpegbytes.h"

namespace lumaro::turnjpegs {

using jpegbytes::put16;
using jpegbytes::put32;

struct Rgb {
    int r, g, b;
};
// Top left red, top right green, bottom left blue, bottom right white.
inline const Rgb kQuarters[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};

inline std::string ExifSegment(int orientation, const std::string& date, uint32_t width,
                               uint32_t height) {
    const bool be = true;
    std::string tiff = "MM";
    put16(tiff, 42, be);
    put32(tiff, 8, be);
    // First directory: orientation, date, pointer to the Exif directory.
    const uint32_t dateAt = 8 + 2 + 3 * 12 + 4;
    const uint32_t exifAt = dateAt + 20;
    put16(tiff, 3, be);
    put16(tiff, 0x0112, be), put16(tiff, 3, be), put32(tiff, 1, be),
        put16(tiff, uint16_t(orientation), be), put16(tiff, 0, be);
    put16(tiff, 0x0132, be), put16(tiff, 2, be), put32(tiff, 20, be), put32(tiff, dateAt, be);
    put16(tiff, 0x8769, be), put16(tiff, 4, be), put32(tiff, 1, be), put32(tiff, exifAt, be);
    put32(tiff, 0, be);
    tiff += date;
    tiff += '\0';
    put16(tiff, 2, be);
    put16(tiff, 0xA002, be), put16(tiff, 4, be), put32(tiff, 1, be), put32(tiff, width, be);
    put16(tiff, 0xA003, be), put16(tiff, 4, be), put32(tiff, 1, be), put32(tiff, height, be);
    put32(tiff, 0, be);
    return jpegbytes::Segment(0xE1, std::string("Exif\0\0", 6) + tiff);
}

// An Exif block whose second directory carries `thumbnail`, stored last in the block, as
// cameras store it.
inline std::string ThumbnailExifSegment(int orientation, const std::string& thumbnail) {
    const bool be = false;
    std::string tiff = "II";
    put16(tiff, 42, be);
    put32(tiff, 8, be);
    put16(tiff, 1, be);
    put16(tiff, 0x0112, be), put16(tiff, 3, be), put32(tiff, 1, be),
        put16(tiff, uint16_t(orientation), be), put16(tiff, 0, be);
    put32(tiff, 8 + 18, be);  // the second directory follows
    put16(tiff, 2, be);
    put16(tiff, 0x0201, be), put16(tiff, 4, be), put32(tiff, 1, be), put32(tiff, 8 + 18 + 30, be);
    put16(tiff, 0x0202, be), put16(tiff, 4, be), put32(tiff, 1, be),
        put32(tiff, uint32_t(thumbnail.size()), be);
    put32(tiff, 0, be);
    return jpegbytes::Segment(0xE1, std::string("Exif\0\0", 6) + tiff + thumbnail);
}

inline std::string ProfileSegment() {
    return jpegbytes::Segment(0xE2,
                              std::string("ICC_PROFILE\0\x01\x01", 14) + std::string(300, '\x5A'));
}
inline std::string CommentSegment() { return jpegbytes::Segment(0xFE, "made for the turn tests"); }
// An XMP segment, an APP1 as the Exif segment is, of `padding` blanks and a few more bytes, as
// editors write it (in front of the Exif segment, for some).
inline std::string XmpSegment(size_t padding = 200) {
    const std::string xml =
        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">" + std::string(padding, ' ') + "</x:xmpmeta>";
    return jpegbytes::Segment(0xE1, std::string("http://ns.adobe.com/xap/1.0/\0", 29) + xml);
}

// RGB pixels of the four quarters.
inline std::vector<unsigned char> QuarterPixels(int width, int height) {
    std::vector<unsigned char> pixels(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = kQuarters[(y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0)];
            unsigned char* p = &pixels[(size_t(y) * width + x) * 3];
            p[0] = static_cast<unsigned char>(c.r), p[1] = static_cast<unsigned char>(c.g),
            p[2] = static_cast<unsigned char>(c.b);
        }
    }
    return pixels;
}

// Encoded from the given stored pixels; the header segments follow the start marker in place of
// the encoder's own.
inline std::string Encode(const std::vector<unsigned char>& pixels, int width, int height,
                          const std::string& segments, int sampling = TJSAMP_420) {
    tjhandle handle = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, pixels.data(), width, 0, height, TJPF_RGB, &out, &size, sampling, 90, 0);
    std::string jpeg(reinterpret_cast<const char*>(out), size);
    tjFree(out);
    tjDestroy(handle);
    // The encoder writes a JFIF segment first; the test's own segments follow it.
    const size_t jfifEnd = 4 + ((uint8_t(jpeg[4]) << 8) | uint8_t(jpeg[5]));
    return jpeg.substr(0, jfifEnd) + segments + jpeg.substr(jfifEnd);
}

// Encoded by libjpeg-turbo's command-line encoder, for what its library interface cannot ask for:
// RGB-coded data ("-rgb"), restart markers, progressive scans. Empty when the encoder is missing.
inline std::string EncodeWithCjpeg(const std::vector<unsigned char>& pixels, int width, int height,
                                   const std::string& options) {
    char path[] = "/tmp/lumaro-pixels-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return {};
    const std::string ppm =
        "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    const bool written = write(fd, ppm.data(), ppm.size()) == ssize_t(ppm.size()) &&
                         write(fd, pixels.data(), pixels.size()) == ssize_t(pixels.size());
    close(fd);
    std::string jpeg;
    if (FILE* encoder = written ? popen(("cjpeg " + options + " " + path).c_str(), "r") : nullptr) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, encoder)) > 0;)
            jpeg.append(buffer, n);
        if (pclose(encoder) != 0) jpeg.clear();
    }
    unlink(path);
    return jpeg;
}

// An index of the pictures stored after the first one (an APP2 "MPF" segment) with `count`
// entries, all zero until SetPictureIndexEntry fills them in, once the file's layout is known.
inline constexpr size_t kPictureEntriesAt = 8 + 2 + 3 * 12 + 4;  // from the index's TIFF header
inline std::string PictureIndexSegment(uint32_t count, bool be) {
    std::string tiff = be ? "MM" : "II";
    put16(tiff, 42, be);
    put32(tiff, 8, be);
    put16(tiff, 3, be);
    put16(tiff, 0xB000, be), put16(tiff, 7, be), put32(tiff, 4, be), tiff += "0100";
    put16(tiff, 0xB001, be), put16(tiff, 4, be), put32(tiff, 1, be), put32(tiff, count, be);
    put16(tiff, 0xB002, be), put16(tiff, 7, be), put32(tiff, 16 * count, be),
        put32(tiff, kPictureEntriesAt, be);
    put32(tiff, 0, be);
    tiff += std::string(16 * count, '\0');
    return jpegbytes::Segment(0xE2, std::string("MPF\0", 4) + tiff);
}

// The TIFF header of the first index in the file.
inline size_t PictureIndexStart(const std::string& file) {
    return file.find(std::string("MPF\0", 4)) + 4;
}

inline void SetPictureIndexEntry(std::string& file, size_t entry, uint32_t size, uint32_t offset,
                                 bool be) {
    std::string values;
    put32(values, size, be);
    put32(values, offset, be);
    file.replace(PictureIndexStart(file) + kPictureEntriesAt + 16 * entry + 4, 8, values);
}

// Entry `entry` of the index: {size, offset}.
inline std::pair<uint32_t, uint32_t> PictureIndexEntry(const std::string& file, size_t entry,
                                                       bool be) {
    const size_t at = PictureIndexStart(file) + kPictureEntriesAt + 16 * entry + 4;
    const auto number = [&](size_t i) {
        uint32_t value = 0;
        for (size_t k = 0; k < 4; ++k) value = (value << 8) | uint8_t(file[i + (be ? k : 3 - k)]);
        return value;
    };
    return {number(at), number(at + 4)};
}

inline std::string QuarterJpeg(int width, int height, const std::string& segments) {
    return Encode(QuarterPixels(width, height), width, height, segments);
}

// What phones store after the picture: here a second small picture, then `size` bytes that hold
// every byte value, end-of-image markers among them.
inline std::string Trailer(size_t size) {
    std::string trailer = QuarterJpeg(40, 24, "");
    uint32_t state = 12345;
    for (size_t i = 0; i < size; ++i) {
        state = state * 1103515245u + 12345u;
        trailer += static_cast<char>(state >> 24);
    }
    return trailer + "\xFF\xD9";
}

struct Decoded {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    Rgb at(int x, int y) const {
        const unsigned char* p = &rgb[(size_t(y) * width + x) * 3];
        return {p[0], p[1], p[2]};
    }
    // The colour near the middle of a quarter: 0 top left, 1 top right, 2 bottom left, 3 bottom
    // right.
    Rgb quarter(int q) const {
        return at((q % 2 ? 3 : 1) * width / 4, (q / 2 ? 3 : 1) * height / 4);
    }
};

inline Decoded Decode(const std::string& jpeg) {
    Decoded d;
    tjhandle handle = tjInitDecompress();
    int sampling = 0, colourSpace = 0;
    const auto* bytes = reinterpret_cast<const unsigned char*>(jpeg.data());
    if (tjDecompressHeader3(handle, bytes, jpeg.size(), &d.width, &d.height, &sampling,
                            &colourSpace) == 0) {
        d.rgb.resize(size_t(d.width) * d.height * 3);
        if (tjDecompress2(handle, bytes, jpeg.size(), d.rgb.data(), d.width, 0, d.height, TJPF_RGB,
                          0) != 0)
            d.rgb.clear();
    }
    tjDestroy(handle);
    return d;
}

inline bool Near(const Rgb& a, const Rgb& b) {
    return std::abs(a.r - b.r) < 40 && std::abs(a.g - b.g) < 40 && std::abs(a.b - b.b) < 40;
}

}  // namespace lumaro::turnjpegs
