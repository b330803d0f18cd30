// Finding the Exif date in the head of a JPEG file, and a file's own date in the same form.
#include "core/picturefile/picturedate.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace lumaro {

namespace {

constexpr uint16_t kTagDateTime = 0x0132;
constexpr uint16_t kTagDateTimeOriginal = 0x9003;
// The TIFF header sits 12 bytes into the file when the Exif segment follows the start marker.
constexpr uint64_t kTiffStart = 12;
// A JFIF segment without thumbnail is taken as 18 bytes in front of the Exif segment.
constexpr uint64_t kJfifShift = 18;

// Sequential reads from the head of a file. The first block is read once; anything past it
// is read where it lies. A read that would leave the file fails.
class HeaderReader {
public:
    explicit HeaderReader(int fd) : fd_(fd) {
        const ssize_t got = pread(fd_, head_, sizeof head_, 0);
        headLength_ = got > 0 ? static_cast<size_t>(got) : 0;
        headIsWholeFile_ = headLength_ < sizeof head_;
        empty_ = got == 0;
    }

    // The first read found the end of the file at once.
    bool empty() const { return empty_; }

    bool read(size_t count, uint8_t* out) {
        if (position_ + count <= headLength_) {
            std::memcpy(out, head_ + position_, count);
        } else if (headIsWholeFile_ || pread(fd_, out, count, static_cast<off_t>(position_)) !=
                                           static_cast<ssize_t>(count)) {
            return false;
        }
        position_ += count;
        return true;
    }
    void skip(uint64_t count) { position_ += count; }
    void moveTo(uint64_t position) { position_ = position; }

private:
    int fd_;
    uint8_t head_[4096];
    size_t headLength_ = 0;
    bool headIsWholeFile_ = false;
    bool empty_ = false;
    uint64_t position_ = 0;
};

struct ByteOrder {
    bool shortLittle = true;
    bool longBig = false;
};

uint16_t readShort(const uint8_t* b, const ByteOrder& order) {
    return order.shortLittle ? static_cast<uint16_t>(b[0] | b[1] << 8)
                             : static_cast<uint16_t>(b[0] << 8 | b[1]);
}

uint32_t readLong(const uint8_t* b, const ByteOrder& order) {
    const uint32_t b0 = b[0], b1 = b[1], b2 = b[2], b3 = b[3];
    return order.longBig ? (b0 << 24 | b1 << 16 | b2 << 8 | b3)
                         : (b3 << 24 | b2 << 16 | b1 << 8 | b0);
}

// Reads the entry count of a directory and its 12-byte entries until `tag` is met; leaves
// the reader right after the tag. False when the tag is not there or the file ends.
bool scanDirectory(HeaderReader& in, const ByteOrder& order, uint16_t tag) {
    uint8_t b[2];
    if (!in.read(2, b)) return false;
    const uint16_t count = readShort(b, order);
    for (uint16_t i = 0; i < count; ++i) {
        if (!in.read(2, b)) return false;
        if (readShort(b, order) == tag) return true;
        in.skip(10);
    }
    return false;
}

// Walks the start of the file up to the TIFF header; returns the shift of a JFIF segment
// in front of the Exif segment, or -1 when the picture carries no Exif segment there.
int64_t findExifHeader(HeaderReader& in) {
    uint8_t marker[2], b[4];
    int64_t shift = 0;
    if (!in.read(2, marker) || !in.read(2, marker)) return -1;  // start, then next marker
    if (marker[0] == 0xFF && marker[1] == 0xE0) {
        if (!in.read(2, b) || !in.read(4, b)) return -1;
        if (std::memcmp(b, "JFIF", 4) == 0) {
            in.skip(10);
            if (!in.read(2, marker)) return -1;
            shift = kJfifShift;
        }
    }
    if (marker[0] != 0xFF || marker[1] != 0xE1) return -1;
    if (!in.read(2, b) || !in.read(4, b) || std::memcmp(b, "Exif", 4) != 0) return -1;
    in.skip(2);
    return shift;
}

std::optional<std::string> readDate(HeaderReader& in) {
    const int64_t shift = findExifHeader(in);
    if (shift < 0) return std::nullopt;
    uint8_t b[kDateTextLength];
    if (!in.read(2, b)) return std::nullopt;
    ByteOrder order;
    order.shortLittle = b[0] == 'I' && b[1] == 'I';
    order.longBig = b[0] == 'M';
    in.skip(2);
    if (!in.read(4, b)) return std::nullopt;
    const uint32_t firstOffset = readLong(b, order);
    if (firstOffset < 8) return std::nullopt;  // it would point back into the header
    in.skip(firstOffset - 8);
    bool found = scanDirectory(in, order, kTagDateTime);
    if (!found) {
        in.skip(firstOffset - 8);
        found = scanDirectory(in, order, kTagDateTimeOriginal);
    }
    if (!found) return std::nullopt;
    in.skip(6);
    if (!in.read(4, b)) return std::nullopt;
    in.moveTo(uint64_t{readLong(b, order)} + kTiffStart + shift);
    if (!in.read(kDateTextLength, b)) return std::nullopt;
    const void* zero = std::memchr(b, 0, kDateTextLength);
    const size_t length = zero ? static_cast<const uint8_t*>(zero) - b : kDateTextLength;
    return std::string(reinterpret_cast<const char*>(b), length);
}

PictureHead readHeadAndClose(int fd) {
    PictureHead head;
    if (fd < 0) return head;
    HeaderReader in(fd);
    head.opened = true;
    head.empty = in.empty();
    if (!head.empty) head.date = readDate(in);
    struct stat st;
    if (!head.empty && !head.date && fstat(fd, &st) == 0) head.fileTime = st.st_mtime;
    close(fd);
    return head;
}

}  // namespace

std::optional<std::string> ReadInternalPictureDate(const std::string& path) {
    return readHeadAndClose(open(path.c_str(), O_RDONLY | O_CLOEXEC)).date;
}

PictureHead ReadPictureHeadAt(int folderFd, const char* fileName) {
    return readHeadAndClose(openat(folderFd, fileName, O_RDONLY | O_CLOEXEC));
}

std::string ReadPictureDate(const std::string& path, std::string_view fileDatePrefix) {
    if (std::optional<std::string> date = ReadInternalPictureDate(path)) return *date;
    std::string text(fileDatePrefix);
    text += ' ';
    text += FileDateText(path);
    return text;
}

std::string FileDateText(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return {};
    return FormatFileTime(st.st_mtime);
}

std::string FormatFileTime(std::time_t time) {
    std::tm local{};
    if (!localtime_r(&time, &local)) return {};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d:%02d:%02d %02d:%02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec & ~1);
    return buffer;
}

}  // namespace lumaro
