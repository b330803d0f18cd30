// The Exif block of a picture carried over to a copy (see exifcopy.h).
#include "core/turning/exifcopy.h"

#include <algorithm>
#include <vector>

#include "core/picturefile/jpegsegments.h"

namespace lumaro {

namespace {
constexpr size_t kSegmentHead = 4;              // marker and length in front of the payload
constexpr size_t kTiffInSegment = 10;           // the marker, length and "Exif\0\0"
constexpr size_t kLongestPayload = 0xFFFF - 2;  // the length field counts itself
}  // namespace

std::string ExifBlockForCopy(std::string_view jpeg, unsigned width, unsigned height) {
    const ExifTurnFields fields = FindExifTurnFields(jpeg);
    if (fields.segment.size == 0) return {};
    // The fields are found by their place in the file: they are set in a copy of the header.
    std::string head(jpeg.substr(0, fields.segment.offset + fields.segment.size));
    WriteExifNumber(head, fields.orientation, 1);
    WriteExifNumber(head, fields.pixelWidth, width);
    WriteExifNumber(head, fields.pixelHeight, height);
    size_t end = head.size();
    if (ReadExifNumber(head, fields.secondDirectory) != 0) {
        const size_t tiffStart = fields.segment.offset + kTiffInSegment;
        const size_t start = tiffStart + ReadExifNumber(head, fields.thumbnailStart);
        const size_t length = ReadExifNumber(head, fields.thumbnailLength);
        WriteExifNumber(head, fields.secondDirectory, 0);
        // Its bytes go too: cut when they end the block, cleared when other data follows them.
        if (fields.thumbnailStart.present() && fields.thumbnailLength.present() && start <= end &&
            length <= end - start) {
            if (start + length == end) {
                end = start;
            } else {
                std::fill_n(head.begin() + static_cast<std::ptrdiff_t>(start), length, '\0');
            }
        }
    }
    const size_t payload = fields.segment.offset + kSegmentHead;
    return head.substr(payload, end - payload);
}

std::string JpegWithExifBlock(std::string_view jpeg, std::string_view block) {
    if (block.empty() || block.size() > kLongestPayload || !LooksLikeJpeg(jpeg)) {
        return std::string(jpeg);
    }
    size_t at = 2;
    const std::vector<JpegSegment> segments = JpegHeaderSegments(jpeg);
    if (!segments.empty() && segments.front().marker == 0xE0) {
        at = segments.front().offset + segments.front().size;
    }
    const size_t length = block.size() + 2;
    std::string out(jpeg.substr(0, at));
    out += "\xFF\xE1";
    out += static_cast<char>(length >> 8);
    out += static_cast<char>(length & 0xFF);
    out += block;
    out += jpeg.substr(at);
    return out;
}

}  // namespace lumaro
