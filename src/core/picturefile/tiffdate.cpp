// Reading the moment of taking from a TIFF block, every read bounded by the file and the block.
#include "core/picturefile/tiffdate.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace lumaro {

namespace {

constexpr size_t kDateLength = 19;
constexpr size_t kEntrySize = 12;
constexpr uint16_t kTagDateTime = 0x0132;
constexpr uint16_t kTagExifDirectory = 0x8769;
constexpr uint16_t kTagDateTimeOriginal = 0x9003;
constexpr uint16_t kTagDateTimeDigitized = 0x9004;

// Reads up to `count` bytes at `position`, retrying when interrupted; the number read.
size_t readAt(int fd, uint64_t position, size_t count, uint8_t* out) {
    size_t done = 0;
    while (done < count) {
        const ssize_t n = pread(fd, out + done, count - done, static_cast<off_t>(position + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

// The TIFF block being read: its bounds in the file and its byte order.
struct Block {
    PictureBytes& bytes;
    uint64_t start;
    uint64_t length;  // past the end of the file when the block runs to the end
    bool bigEndian = false;

    bool inside(uint64_t offset, uint64_t count) const {
        return offset <= length && count <= length - offset;
    }
    // `count` bytes at `offset` of the block, when they lie inside it and inside the file.
    bool read(uint64_t offset, size_t count, uint8_t* out) const {
        return inside(offset, count) && bytes.read(start + offset, count, out);
    }
    uint32_t u16(const uint8_t* b) const {
        return bigEndian ? (uint32_t{b[0]} << 8 | b[1]) : (uint32_t{b[1]} << 8 | b[0]);
    }
    uint32_t u32(const uint8_t* b) const {
        return bigEndian ? (u16(b) << 16 | u16(b + 2)) : (u16(b + 2) << 16 | u16(b));
    }
};

// The value fields (the last 4 bytes of an entry) of the first entry of each tag looked for.
template <size_t N>
struct Lookup {
    std::array<uint16_t, N> tags;
    std::array<std::optional<uint32_t>, N> values{};
};

// Reads the directory at `offset` entry by entry, up to its count or its last whole entry
// inside the block, and keeps the first entry of each tag.
template <size_t N>
void scanDirectory(const Block& block, uint64_t offset, Lookup<N>& lookup) {
    uint8_t b[kEntrySize];
    if (!block.read(offset, 2, b)) return;
    const uint32_t count = block.u16(b);
    size_t missing = N;
    for (uint32_t i = 0; i < count && missing > 0; ++i) {
        if (!block.read(offset + 2 + uint64_t{kEntrySize} * i, kEntrySize, b)) return;
        const uint32_t tag = block.u16(b);
        for (size_t k = 0; k < N; ++k) {
            if (tag == lookup.tags[k] && !lookup.values[k]) {
                lookup.values[k] = block.u32(b + 8);
                --missing;
            }
        }
    }
}

std::optional<std::string> dateAt(const Block& block, const std::optional<uint32_t>& offset) {
    uint8_t text[kDateLength];
    if (!offset || !block.read(*offset, kDateLength, text) || !IsValidDateText(text)) {
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(text), kDateLength);
}

thread_local DateTag lastDateTag = DateTag::Taken;

std::optional<std::string> tagged(std::optional<std::string> date, DateTag tag) {
    if (date) lastDateTag = tag;
    return date;
}

}  // namespace

PictureBytes::PictureBytes(int fd) : fd_(fd) {
    // A regular file reads short only at its end: no second read to find that out.
    ssize_t n;
    do {
        n = pread(fd, headBuffer_, kHeadSize, 0);
    } while (n < 0 && errno == EINTR);
    headLength_ = n > 0 ? static_cast<size_t>(n) : 0;
    headIsWholeFile_ = headLength_ < kHeadSize;
}

PictureBytes::PictureBytes(const uint8_t* data, size_t size)
    : head_(data), headLength_(size), headIsWholeFile_(true) {}

bool PictureBytes::read(uint64_t position, size_t count, uint8_t* out) {
    if (count > kHeadSize) return false;
    if (position <= headLength_ && count <= headLength_ - position) {
        std::memcpy(out, head_ + position, count);
        return true;
    }
    if (headIsWholeFile_) return false;
    if (position < windowStart_ || position - windowStart_ + count > windowLength_) {
        windowStart_ = position;
        windowLength_ = readAt(fd_, position, kHeadSize, window_);
        if (count > windowLength_) return false;
    }
    std::memcpy(out, window_ + (position - windowStart_), count);
    return true;
}

bool IsValidDateText(const uint8_t* text) {
    for (size_t i = 0; i < kDateLength; ++i) {
        const char want = i == 4 || i == 7 || i == 13 || i == 16 ? ':' : i == 10 ? ' ' : '0';
        if (want == '0' ? text[i] < '0' || text[i] > '9' : text[i] != want) return false;
    }
    return std::memcmp(text, "0000", 4) != 0;
}

std::optional<std::string> ReadTiffDate(PictureBytes& bytes, uint64_t start, uint64_t end) {
    if (end < start) return std::nullopt;
    Block block{bytes, start, end - start};
    uint8_t header[8];
    if (!block.read(0, sizeof header, header)) return std::nullopt;
    if (std::memcmp(header, "MM", 2) != 0 && std::memcmp(header, "II", 2) != 0) return std::nullopt;
    block.bigEndian = header[0] == 'M';
    const uint32_t first = block.u32(header + 4);
    if (first < 8) return std::nullopt;  // it would point back into the header
    Lookup<3> inFirst{{kTagExifDirectory, kTagDateTimeOriginal, kTagDateTime}};
    scanDirectory(block, first, inFirst);
    if (inFirst.values[0]) {
        Lookup<2> inExif{{kTagDateTimeOriginal, kTagDateTimeDigitized}};
        scanDirectory(block, *inFirst.values[0], inExif);
        if (std::optional<std::string> date = dateAt(block, inExif.values[0]))
            return tagged(date, DateTag::Taken);
        if (std::optional<std::string> date = dateAt(block, inExif.values[1]))
            return tagged(date, DateTag::Digitized);
    }
    if (std::optional<std::string> date = dateAt(block, inFirst.values[1]))
        return tagged(date, DateTag::Taken);
    return tagged(dateAt(block, inFirst.values[2]), DateTag::Modified);
}

DateTag LastTiffDateTag() { return lastDateTag; }

}  // namespace lumaro
