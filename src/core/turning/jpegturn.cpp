// Turning JPEG data: losslessly where the blocks allow, else decoded and encoded again.
#include "core/turning/jpegturn.h"

#include <turbojpeg.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/picturefile/jpegsegments.h"

namespace lumaro {

namespace {

constexpr int kQualityWhenEncodedAgain = 95;
constexpr unsigned char kAdobeSegment = 0xEE;

// A turn or flip of the picture plane, as the matrix that moves a point (x, y), measured from
// the picture's centre with y downwards, to (a x + b y, c x + d y).
struct Placement {
    int a, b, c, d;
    bool operator==(const Placement&) const = default;
    bool exchangesSides() const { return b != 0; }
    // This placement after `first`.
    Placement after(const Placement& first) const {
        return {a * first.a + b * first.c, a * first.b + b * first.d, c * first.a + d * first.c,
                c * first.b + d * first.d};
    }
};

// Indexed by the transform codes of the library.
constexpr std::array<Placement, TJ_NUMXOP> kPlacements = {{
    {1, 0, 0, 1},    // TJXOP_NONE
    {-1, 0, 0, 1},   // TJXOP_HFLIP
    {1, 0, 0, -1},   // TJXOP_VFLIP
    {0, 1, 1, 0},    // TJXOP_TRANSPOSE
    {0, -1, -1, 0},  // TJXOP_TRANSVERSE
    {0, -1, 1, 0},   // TJXOP_ROT90, clockwise
    {-1, 0, 0, -1},  // TJXOP_ROT180
    {0, 1, -1, 0},   // TJXOP_ROT270
}};

// What the Exif orientation 1 to 8 asks to make of the stored pixels to show them upright.
constexpr std::array<int, 9> kOrientationTransform = {
    TJXOP_NONE,      TJXOP_NONE,  TJXOP_HFLIP,      TJXOP_ROT180, TJXOP_VFLIP,
    TJXOP_TRANSPOSE, TJXOP_ROT90, TJXOP_TRANSVERSE, TJXOP_ROT270};

int transformFor(const Placement& placement) {
    for (int op = 0; op < TJ_NUMXOP; ++op) {
        if (kPlacements[op] == placement) return op;
    }
    return TJXOP_NONE;
}

struct HandleRelease {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using Handle = std::unique_ptr<void, HandleRelease>;
struct BufferRelease {
    void operator()(unsigned char* buffer) const { tjFree(buffer); }
};
using Buffer = std::unique_ptr<unsigned char, BufferRelease>;

const unsigned char* bytesOf(std::string_view data) {
    return reinterpret_cast<const unsigned char*>(data.data());
}

std::string errorOf(void* handle) { return tjGetErrorStr2(handle); }

std::string losslessTransform(std::string_view jpeg, int op, std::string& error) {
    Handle handle(tjInitTransform());
    tjtransform transform{};
    transform.op = op;
    transform.options = TJXOPT_PERFECT;  // never trims the edge pixels
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    if (tjTransform(handle.get(), bytesOf(jpeg), jpeg.size(), 1, &out, &outSize, &transform, 0) !=
        0) {
        tjFree(out);
        error = errorOf(handle.get());
        return {};
    }
    Buffer owned(out);
    return std::string(reinterpret_cast<const char*>(out), outSize);
}

// The pixels moved to their places after `placement`; the new width and height are returned.
std::vector<unsigned char> placePixels(const std::vector<unsigned char>& pixels, int width,
                                       int height, int pixelSize, const Placement& p, int& newWidth,
                                       int& newHeight) {
    newWidth = p.exchangesSides() ? height : width;
    newHeight = p.exchangesSides() ? width : height;
    std::vector<unsigned char> out(pixels.size());
    for (int v = 0; v < newHeight; ++v) {
        const int dv = 2 * v - (newHeight - 1);
        for (int u = 0; u < newWidth; ++u) {
            const int du = 2 * u - (newWidth - 1);
            // The placement is orthogonal: its transpose takes the new place back to the old.
            const int x = (p.a * du + p.c * dv + width - 1) / 2;
            const int y = (p.b * du + p.d * dv + height - 1) / 2;
            const size_t from = (size_t(y) * width + x) * pixelSize;
            const size_t to = (size_t(v) * newWidth + u) * pixelSize;
            for (int k = 0; k < pixelSize; ++k) out[to + k] = pixels[from + k];
        }
    }
    return out;
}

// The header segments of the source in front of the new picture data; the encoder's own
// application segments go, except its colour-transform segment, which must match its data.
// The source's colour-transform segment describes the old data and never comes along: in front
// of the encoder's YCbCr data, an RGB source's segment would have the colours read as RGB.
std::string withSourceMarkers(std::string_view source, std::string_view encoded) {
    const std::vector<JpegSegment> segments = JpegHeaderSegments(encoded);
    if (segments.empty()) return std::string(encoded);
    std::string tables;
    for (const JpegSegment& s : segments) {
        const bool application = (s.marker >= 0xE0 && s.marker <= 0xEF) || s.marker == 0xFE;
        if (!application || s.marker == kAdobeSegment) tables += encoded.substr(s.offset, s.size);
    }
    std::string out("\xFF\xD8", 2);
    for (const JpegSegment& s : JpegHeaderSegments(source)) {
        const bool application = (s.marker >= 0xE0 && s.marker <= 0xEF) || s.marker == 0xFE;
        if (application && s.marker != kAdobeSegment) out += source.substr(s.offset, s.size);
    }
    out += tables;
    const JpegSegment& last = segments.back();
    out += encoded.substr(last.offset + last.size);
    return out;
}

int turnedSampling(int sampling, bool exchangesSides) {
    if (!exchangesSides) return sampling;
    if (sampling == TJSAMP_422) return TJSAMP_440;
    if (sampling == TJSAMP_440) return TJSAMP_422;
    return sampling;
}

std::string encodedAgain(std::string_view jpeg, const Placement& placement, std::string& error) {
    Handle decoder(tjInitDecompress());
    int width = 0, height = 0, sampling = 0, colourSpace = 0;
    if (tjDecompressHeader3(decoder.get(), bytesOf(jpeg), jpeg.size(), &width, &height, &sampling,
                            &colourSpace) != 0) {
        error = errorOf(decoder.get());
        return {};
    }
    const int format = colourSpace == TJCS_GRAY                                 ? TJPF_GRAY
                       : (colourSpace == TJCS_CMYK || colourSpace == TJCS_YCCK) ? TJPF_CMYK
                                                                                : TJPF_RGB;
    const int pixelSize = tjPixelSize[format];
    std::vector<unsigned char> pixels(size_t(width) * height * pixelSize);
    if (tjDecompress2(decoder.get(), bytesOf(jpeg), jpeg.size(), pixels.data(), width, 0, height,
                      format, TJFLAG_ACCURATEDCT) != 0) {
        error = errorOf(decoder.get());
        return {};
    }
    int newWidth = 0, newHeight = 0;
    const std::vector<unsigned char> turned =
        placePixels(pixels, width, height, pixelSize, placement, newWidth, newHeight);
    Handle encoder(tjInitCompress());
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    if (tjCompress2(encoder.get(), turned.data(), newWidth, 0, newHeight, format, &out, &outSize,
                    turnedSampling(sampling, placement.exchangesSides()), kQualityWhenEncodedAgain,
                    TJFLAG_ACCURATEDCT) != 0) {
        tjFree(out);
        error = errorOf(encoder.get());
        return {};
    }
    Buffer owned(out);
    return withSourceMarkers(jpeg, std::string_view(reinterpret_cast<const char*>(out), outSize));
}

// Orientation 1, and the pixel dimensions of the Exif block made those of the new picture.
void setUpright(std::string& jpeg) {
    const ExifTurnFields fields = FindExifTurnFields(jpeg);
    WriteExifNumber(jpeg, fields.orientation, 1);
    Handle handle(tjInitDecompress());
    int width = 0, height = 0, sampling = 0, colourSpace = 0;
    if (tjDecompressHeader3(handle.get(), bytesOf(jpeg), jpeg.size(), &width, &height, &sampling,
                            &colourSpace) != 0) {
        return;
    }
    if (ReadExifNumber(jpeg, fields.pixelWidth) != 0)
        WriteExifNumber(jpeg, fields.pixelWidth, width);
    if (ReadExifNumber(jpeg, fields.pixelHeight) != 0)
        WriteExifNumber(jpeg, fields.pixelHeight, height);
}

// The small picture of the Exif block, turned with the picture so that previews made from it
// show what the file now shows. It changes in place when it ends the Exif segment (which then
// grows or shrinks with it, within the 64 KiB a segment may hold) or when its turned form is no
// longer; otherwise it stays as it was, like every other byte of the block.
void turnThumbnail(std::string& jpeg, const Placement& wanted) {
    const ExifTurnFields fields = FindExifTurnFields(jpeg);
    if (!fields.thumbnailStart.present() || !fields.thumbnailLength.present()) return;
    const size_t tiffStart = fields.segment.offset + 10;
    const size_t segmentEnd = fields.segment.offset + fields.segment.size;
    const size_t start = tiffStart + ReadExifNumber(jpeg, fields.thumbnailStart);
    const size_t length = ReadExifNumber(jpeg, fields.thumbnailLength);
    if (length == 0 || start >= segmentEnd || length > segmentEnd - start) return;
    const std::string thumbnail = jpeg.substr(start, length);
    if (!LooksLikeJpeg(thumbnail)) return;
    std::string error;
    std::string turned = losslessTransform(thumbnail, transformFor(wanted), error);
    if (turned.empty()) turned = encodedAgain(thumbnail, wanted, error);
    if (turned.empty()) return;
    constexpr size_t kLargestSegment =
        0xFFFF + 2;  // the length field counts itself, not the marker
    if (start + length == segmentEnd &&
        fields.segment.size - length + turned.size() <= kLargestSegment) {
        const size_t segmentLength = fields.segment.size - length + turned.size() - 2;
        jpeg.replace(start, length, turned);
        jpeg[fields.segment.offset + 2] = static_cast<char>(segmentLength >> 8);
        jpeg[fields.segment.offset + 3] = static_cast<char>(segmentLength & 0xFF);
    } else if (turned.size() <= length) {
        jpeg.replace(start, turned.size(), turned);
        std::fill_n(jpeg.begin() + static_cast<std::ptrdiff_t>(start + turned.size()),
                    length - turned.size(), '\0');
    } else {
        return;
    }
    WriteExifNumber(jpeg, fields.thumbnailLength, static_cast<unsigned>(turned.size()));
}

// The pictures stored after the first one keep their bytes, but the index that finds them counts
// from its own place in the first picture's header, and the first picture's size changed: each
// offset is made to count from where the index and the pictures now lie. An index that points
// inside the first picture cannot be carried through the turn, and the turn is refused.
bool moveIndexedPictures(std::string_view before, std::string& after, std::string& error) {
    const PictureIndex old = FindPictureIndex(before);
    const PictureIndex now = FindPictureIndex(after);
    if (old.damaged || now.entries.size() != old.entries.size()) {
        error = "the index of the pictures stored after this one cannot be read";
        return false;
    }
    constexpr uint64_t kLargestOffset = 0xFFFFFFFF;
    const char* const tooLarge = "the picture is too large for the index of the pictures after it";
    if (!old.entries.empty() && after.size() > kLargestOffset) {
        error = tooLarge;
        return false;
    }
    for (size_t i = 0; i < old.entries.size(); ++i) {
        if (i == 0) {  // the first picture itself
            WriteExifNumber(after, now.entries[i].size, static_cast<unsigned>(after.size()));
            continue;
        }
        const uint64_t offset = ReadExifNumber(before, old.entries[i].offset);
        if (offset == 0) continue;  // a picture not stored in this file
        const uint64_t at = old.tiffStart + offset;
        if (at < before.size()) {
            error = "the index of the pictures stored after this one points inside it";
            return false;
        }
        const uint64_t moved = at - before.size() + after.size() - now.tiffStart;
        if (moved > kLargestOffset) {
            error = tooLarge;
            return false;
        }
        WriteExifNumber(after, now.entries[i].offset, static_cast<unsigned>(moved));
    }
    return true;
}

}  // namespace

JpegTurnResult TurnJpeg(std::string_view jpeg, int angle) {
    JpegTurnResult result;
    const int turn = angle == 90    ? TJXOP_ROT90
                     : angle == 180 ? TJXOP_ROT180
                     : angle == 270 ? TJXOP_ROT270
                                    : -1;
    if (turn < 0 || !LooksLikeJpeg(jpeg)) {
        result.error = turn < 0 ? "the angle must be 90, 180 or 270" : "not JPEG data";
        return result;
    }
    // The turn is made on the first picture alone; every byte after its end (a phone's motion
    // video, further pictures) is carried over unchanged, which keeps valid the offsets that
    // count from the end of the file.
    const size_t end = JpegPictureEnd(jpeg);
    const std::string_view picture = end == 0 ? jpeg : jpeg.substr(0, end);
    const Placement shown = kPlacements[kOrientationTransform[ExifOrientation(picture)]];
    const Placement wanted = kPlacements[turn].after(shown);
    const int op = transformFor(wanted);
    if (op == TJXOP_NONE) {  // the turn undoes the orientation: only the tag changes
        result.jpeg = std::string(picture);
        result.lossless = true;
    } else {
        std::string losslessError;
        result.jpeg = losslessTransform(picture, op, losslessError);
        result.lossless = !result.jpeg.empty();
        if (!result.lossless) result.jpeg = encodedAgain(picture, wanted, result.error);
        if (result.jpeg.empty()) {
            if (result.error.empty()) result.error = losslessError;
            return result;
        }
        turnThumbnail(result.jpeg, wanted);  // stored as the picture is, it turns with it
    }
    setUpright(result.jpeg);
    if (!moveIndexedPictures(picture, result.jpeg, result.error)) {
        result.jpeg.clear();
        return result;
    }
    result.jpeg += jpeg.substr(picture.size());
    result.ok = true;
    return result;
}

}  // namespace lumaro
