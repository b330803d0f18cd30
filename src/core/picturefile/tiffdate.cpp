// Reading the moment of taking from a TIFF block, every read bounded by the file and the block.
#include "core/picturefile/tiffdate.h"

#include <unistd.h>

#include <algorithm>
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
constexpr uint16_t kTagOffsetTime = 0x9010;
constexpr uint16_t kTagOffsetTimeOriginal = 0x9011;
constexpr uint16_t kTagOffsetTimeDigitized = 0x9012;
constexpr uint16_t kTagSubSecTime = 0x9290;
constexpr uint16_t kTagSubSecTimeOriginal = 0x9291;
constexpr uint16_t kTagSubSecTimeDigitized = 0x9292;
constexpr size_t kShortText = 16;  // longer than any sub-second or offset text

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

// The type-independent part of an entry: its count and its value field as stored.
struct Field {
    uint32_t count = 0;
    uint8_t value[4] = {};
};

// The first entry of each tag looked for.
template <size_t N>
struct Lookup {
    std::array<uint16_t, N> tags;
    std::array<std::optional<Field>, N> fields{};
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
            if (tag == lookup.tags[k] && !lookup.fields[k]) {
                Field& field = lookup.fields[k].emplace();
                field.count = block.u32(b + 4);
                std::memcpy(field.value, b + 8, 4);
                --missing;
            }
        }
    }
}

std::optional<uint32_t> offsetOf(const Block& block, const std::optional<Field>& field) {
    if (!field) return std::nullopt;
    return block.u32(field->value);
}

std::optional<std::string> dateAt(const Block& block, const std::optional<Field>& field) {
    uint8_t text[kDateLength];
    const std::optional<uint32_t> offset = offsetOf(block, field);
    if (!offset || !block.read(*offset, kDateLength, text) || !IsValidDateText(text)) {
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(text), kDateLength);
}

// A short text entry: up to 4 bytes stand in the entry itself, longer ones at their offset.
// Only its first kShortText bytes are read; it ends at its first zero.
std::string shortTextAt(const Block& block, const std::optional<Field>& field) {
    if (!field || field->count == 0) return {};
    uint8_t text[kShortText];
    const size_t length = std::min<size_t>(field->count, kShortText);
    if (field->count <= 4) {
        std::memcpy(text, field->value, length);
    } else if (!block.read(block.u32(field->value), length, text)) {
        return {};
    }
    const auto* chars = reinterpret_cast<const char*>(text);
    return std::string(chars, strnlen(chars, length));
}

// The positions in a Lookup of a date tag and of its sub-seconds and offset tags.
struct DateTags {
    size_t date, subSeconds, offset;
    DateTag tag;
};

template <size_t N>
std::optional<TakenDate> takenAt(const Block& block, const Lookup<N>& lookup, DateTags at) {
    std::optional<std::string> text = dateAt(block, lookup.fields[at.date]);
    if (!text) return std::nullopt;
    TakenDate date;
    date.text = std::move(*text);
    date.tag = at.tag;
    date.subSeconds = SubSecondDigits(shortTextAt(block, lookup.fields[at.subSeconds]));
    date.offsetMinutes = OffsetMinutes(shortTextAt(block, lookup.fields[at.offset]));
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

std::optional<TakenDate> ReadTiffDate(PictureBytes& bytes, uint64_t start, uint64_t end) {
    if (end < start) return std::nullopt;
    Block block{bytes, start, end - start};
    uint8_t header[8];
    if (!block.read(0, sizeof header, header)) return std::nullopt;
    if (std::memcmp(header, "MM", 2) != 0 && std::memcmp(header, "II", 2) != 0) return std::nullopt;
    block.bigEndian = header[0] == 'M';
    const uint32_t first = block.u32(header + 4);
    if (first < 8) return std::nullopt;  // it would point back into the header
    Lookup<7> inFirst{{kTagExifDirectory, kTagDateTimeOriginal, kTagSubSecTimeOriginal,
                       kTagOffsetTimeOriginal, kTagDateTime, kTagSubSecTime, kTagOffsetTime}};
    scanDirectory(block, first, inFirst);
    if (const std::optional<uint32_t> exif = offsetOf(block, inFirst.fields[0])) {
        Lookup<6> inExif{{kTagDateTimeOriginal, kTagSubSecTimeOriginal, kTagOffsetTimeOriginal,
                          kTagDateTimeDigitized, kTagSubSecTimeDigitized, kTagOffsetTimeDigitized}};
        scanDirectory(block, *exif, inExif);
        if (auto date = takenAt(block, inExif, {0, 1, 2, DateTag::Taken})) return date;
        if (auto date = takenAt(block, inExif, {3, 4, 5, DateTag::Digitized})) return date;
    }
    if (auto date = takenAt(block, inFirst, {1, 2, 3, DateTag::Taken})) return date;
    return takenAt(block, inFirst, {4, 5, 6, DateTag::Modified});
}

std::string SubSecondDigits(std::string_view text) {
    size_t digits = 0;
    while (digits < text.size() && digits < 9 && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    return std::string(text.substr(0, digits));
}

std::optional<int> OffsetMinutes(std::string_view text) {
    auto digit = [&](size_t i) { return text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1; };
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':')
        return std::nullopt;
    for (size_t i : {1, 2, 4, 5})
        if (digit(i) < 0) return std::nullopt;
    const int hours = digit(1) * 10 + digit(2), minutes = digit(4) * 10 + digit(5);
    if (hours > 23 || minutes > 59) return std::nullopt;
    const int east = hours * 60 + minutes;
    return text[0] == '-' ? -east : east;
}

}  // namespace lumaro
