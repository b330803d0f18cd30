// Where the date lies in each picture type: JPEG segments, TIFF, PNG and WebP chunks, HEIF items.
#include "core/picturefile/containerdates.h"

#include <libheif/heif.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "core/picturefile/moviedate.h"

namespace lumaro {

namespace {

constexpr uint8_t kStartOfScan = 0xDA;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kApp1 = 0xE1;
constexpr char kExifSignature[] = "Exif\0";  // with its closing zero: six bytes
constexpr size_t kExifSignatureSize = 6;
constexpr uint32_t kLongestPngChunk = 0x7FFFFFFF;

// File name endings of TIFF pictures and of the raw files built on TIFF.
constexpr std::string_view kTiffEndings[] = {"tif", "tiff", "dng", "nef", "nrw", "cr2",
                                             "arw", "srf",  "sr2", "pef", "srw", "orf",
                                             "rw2", "erf",  "3fr", "iiq"};

bool startsWith(const uint8_t* head, size_t length, std::string_view prefix, size_t at = 0) {
    return length >= at + prefix.size() &&
           std::memcmp(head + at, prefix.data(), prefix.size()) == 0;
}

bool endsLikeTiff(std::string_view fileName) {
    const size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return false;
    std::string ending(fileName.substr(dot + 1));
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return std::find(std::begin(kTiffEndings), std::end(kTiffEndings), ending) !=
           std::end(kTiffEndings);
}

uint32_t bigEndian32(const uint8_t* b) {
    return uint32_t{b[0]} << 24 | uint32_t{b[1]} << 16 | uint32_t{b[2]} << 8 | b[3];
}
uint32_t littleEndian32(const uint8_t* b) {
    return uint32_t{b[3]} << 24 | uint32_t{b[2]} << 16 | uint32_t{b[1]} << 8 | b[0];
}

// The TIFF block of an Exif chunk from `start` to `end`; some writers put the JPEG segment's
// signature in front of it.
std::optional<TakenDate> chunkDate(PictureBytes& bytes, uint64_t start, uint64_t end) {
    uint8_t b[kExifSignatureSize];
    if (end - start >= kExifSignatureSize && bytes.read(start, kExifSignatureSize, b) &&
        std::memcmp(b, kExifSignature, kExifSignatureSize) == 0) {
        start += kExifSignatureSize;
    }
    return ReadTiffDate(bytes, start, end);
}

// libheif reads the open file through this, at absolute positions: the many small reads of
// the boxes come from the head and window of `bytes`, larger ones from the file.
struct HeifFileReader {
    PictureBytes& bytes;
    int fd;
    int64_t size;
    int64_t position = 0;

    static int64_t getPosition(void* self) { return static_cast<HeifFileReader*>(self)->position; }
    static int read(void* data, size_t size, void* self) {
        HeifFileReader& r = *static_cast<HeifFileReader*>(self);
        auto* out = static_cast<uint8_t*>(data);
        if (size <= PictureBytes::kHeadSize) {
            if (!r.bytes.read(static_cast<uint64_t>(r.position), size, out)) return 1;
        } else {
            for (size_t done = 0; done < size;) {
                const ssize_t n = pread(r.fd, out + done, size - done, r.position + done);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) return 1;
                done += static_cast<size_t>(n);
            }
        }
        r.position += static_cast<int64_t>(size);
        return 0;
    }
    static int seek(int64_t position, void* self) {
        HeifFileReader& r = *static_cast<HeifFileReader*>(self);
        if (position < 0 || position > r.size) return 1;
        r.position = position;
        return 0;
    }
    static heif_reader_grow_status waitForFileSize(int64_t target, void* self) {
        return target <= static_cast<HeifFileReader*>(self)->size
                   ? heif_reader_grow_status_size_reached
                   : heif_reader_grow_status_size_beyond_eof;
    }
};

// The bytes of the primary picture's first Exif item; empty when there is none.
std::vector<uint8_t> heifExifItem(heif_context* context) {
    std::vector<uint8_t> item;
    heif_image_handle* handle = nullptr;
    if (heif_context_get_primary_image_handle(context, &handle).code != heif_error_Ok) return item;
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) == 1) {
        item.resize(heif_image_handle_get_metadata_size(handle, id));
        if (item.empty() ||
            heif_image_handle_get_metadata(handle, id, item.data()).code != heif_error_Ok) {
            item.clear();
        }
    }
    heif_image_handle_release(handle);
    return item;
}

}  // namespace

PictureKind KindOfPicture(const uint8_t* head, size_t length, std::string_view fileName) {
    if (startsWith(head, length, "\xFF\xD8")) return PictureKind::Jpeg;
    if (startsWith(head, length, "\x89PNG\r\n\x1A\n")) return PictureKind::Png;
    if (startsWith(head, length, "RIFF") && startsWith(head, length, "WEBP", 8)) {
        return PictureKind::WebP;
    }
    if (startsWith(head, length, "ftyp", 4)) return PictureKind::Heif;
    // TIFF, then the raw files with a magic number of their own (ORF, RW2).
    for (std::string_view magic :
         {std::string_view("II*\0", 4), std::string_view("MM\0*", 4), std::string_view("IIRO"),
          std::string_view("IIRS"), std::string_view("MMOR"), std::string_view("IIU\0", 4)}) {
        if (startsWith(head, length, magic)) return PictureKind::Tiff;
    }
    if ((startsWith(head, length, "II") || startsWith(head, length, "MM")) &&
        endsLikeTiff(fileName)) {
        return PictureKind::Tiff;
    }
    return PictureKind::Unknown;
}

std::optional<TakenDate> ReadContainedDate(PictureBytes& bytes, int fd, std::string_view fileName) {
    if (IsIsoMovieName(fileName)) return ReadMovieDate(bytes);
    switch (KindOfPicture(bytes.head(), bytes.headLength(), fileName)) {
        case PictureKind::Jpeg:
            return ReadJpegDate(bytes);
        case PictureKind::Tiff:
            return ReadTiffDate(bytes, 0, UINT64_MAX);
        case PictureKind::Png:
            return ReadPngDate(bytes);
        case PictureKind::WebP:
            return ReadWebpDate(bytes);
        case PictureKind::Heif:
            return ReadHeifDate(bytes, fd);
        case PictureKind::Unknown:
            break;
    }
    return std::nullopt;
}

// The segments from the start of image to the start of scan: the first APP1 segment whose
// data begins with the Exif signature holds the block. A segment that runs past the end of the
// file ends the walk at the next read; the Exif block of a cut file is read as far as it goes.
std::optional<TakenDate> ReadJpegDate(PictureBytes& bytes) {
    uint64_t position = 2;
    uint8_t b[kExifSignatureSize];
    for (;;) {
        if (!bytes.read(position, 1, b) || b[0] != 0xFF) return std::nullopt;
        uint64_t at = position + 1;
        for (;; ++at) {  // fill bytes
            if (!bytes.read(at, 1, b)) return std::nullopt;
            if (b[0] != 0xFF) break;
        }
        const uint8_t marker = b[0];
        if (marker == kStartOfScan || marker == kEndOfImage) return std::nullopt;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // no length follows
            position = at + 1;
            continue;
        }
        if (!bytes.read(at + 1, 2, b)) return std::nullopt;
        const uint32_t length = uint32_t{b[0]} << 8 | b[1];
        if (length < 2) return std::nullopt;
        const uint64_t end = at + 1 + length;
        if (marker == kApp1 && length >= 2 + kExifSignatureSize &&
            bytes.read(at + 3, kExifSignatureSize, b) &&
            std::memcmp(b, kExifSignature, kExifSignatureSize) == 0) {
            return ReadTiffDate(bytes, at + 3 + kExifSignatureSize, end);
        }
        position = end;
    }
}

// The chunks after the signature, headers read and data skipped, up to the image end chunk.
std::optional<TakenDate> ReadPngDate(PictureBytes& bytes) {
    uint64_t position = 8;
    uint8_t b[8];
    while (bytes.read(position, 8, b)) {
        const uint32_t length = bigEndian32(b);
        if (length > kLongestPngChunk) return std::nullopt;
        const uint64_t data = position + 8;
        if (std::memcmp(b + 4, "eXIf", 4) == 0) return chunkDate(bytes, data, data + length);
        if (std::memcmp(b + 4, "IEND", 4) == 0) return std::nullopt;
        position = data + length + 4;  // and the chunk's check sum
    }
    return std::nullopt;
}

// The chunks of the RIFF container, each padded to an even length, up to its stated end.
std::optional<TakenDate> ReadWebpDate(PictureBytes& bytes) {
    uint8_t b[8];
    if (!bytes.read(4, 4, b)) return std::nullopt;
    const uint64_t riffEnd = 8 + uint64_t{littleEndian32(b)};
    uint64_t position = 12;
    while (position + 8 <= riffEnd && bytes.read(position, 8, b)) {
        const uint64_t length = littleEndian32(b + 4);
        const uint64_t data = position + 8;
        if (std::memcmp(b, "EXIF", 4) == 0) return chunkDate(bytes, data, data + length);
        position = data + length + (length & 1);
    }
    return std::nullopt;
}

std::optional<TakenDate> ReadHeifDate(PictureBytes& bytes, int fd) {
    int64_t size = static_cast<int64_t>(bytes.headLength());
    struct stat st;
    if (!bytes.headIsWholeFile()) {
        if (fstat(fd, &st) != 0) return std::nullopt;
        size = static_cast<int64_t>(st.st_size);
    }
    HeifFileReader file{bytes, fd, size};
    heif_reader reader{};
    reader.reader_api_version = 1;
    reader.get_position = &HeifFileReader::getPosition;
    reader.read = &HeifFileReader::read;
    reader.seek = &HeifFileReader::seek;
    reader.wait_for_file_size = &HeifFileReader::waitForFileSize;
    heif_context* context = heif_context_alloc();
    if (!context) return std::nullopt;
    std::vector<uint8_t> item;
    if (heif_context_read_from_reader(context, &reader, &file, nullptr).code == heif_error_Ok) {
        item = heifExifItem(context);
    }
    heif_context_free(context);
    return HeifExifItemDate(item.data(), item.size());
}

std::optional<TakenDate> HeifExifItemDate(const uint8_t* item, size_t size) {
    if (size < 4) return std::nullopt;
    PictureBytes bytes(item, size);
    return ReadTiffDate(bytes, 4 + uint64_t{bigEndian32(item)}, size);
}

}  // namespace lumaro
