// The moment of taking inside a TIFF block (the Exif data of every picture type that carries
// one), and the bounded reads of a picture file that every date reader goes through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace lumaro {

// The bytes of a picture file, read at absolute positions and never outside the file. The
// head of the file is read once, when the reader is made; a read past it fills a window of the
// same size where it lies, so that a directory or a value further on costs one more read.
class PictureBytes {
public:
    static constexpr size_t kHeadSize = 4096;

    // Reads the head of the open file `fd`, which the caller keeps and closes.
    explicit PictureBytes(int fd);
    // Bytes already in memory, kept by the caller while the reader is used.
    PictureBytes(const uint8_t* data, size_t size);
    PictureBytes(const PictureBytes&) = delete;
    PictureBytes& operator=(const PictureBytes&) = delete;

    // The first read found the end of the file at once.
    bool empty() const { return headLength_ == 0; }
    // The bytes of the head, as many as the file has up to kHeadSize.
    const uint8_t* head() const { return head_; }
    size_t headLength() const { return headLength_; }
    // The head is the whole file: its length is the file's.
    bool headIsWholeFile() const { return headIsWholeFile_; }

    // Copies `count` bytes (at most kHeadSize) at `position`; false when the file ends first.
    bool read(uint64_t position, size_t count, uint8_t* out);

private:
    int fd_ = -1;
    const uint8_t* head_ = headBuffer_;
    size_t headLength_ = 0;
    bool headIsWholeFile_ = true;
    uint64_t windowStart_ = 0;
    size_t windowLength_ = 0;
    uint8_t headBuffer_[kHeadSize];
    uint8_t window_[kHeadSize];
};

// The date text of the TIFF block that starts at `start` and ends before `end` (or at the end
// of the file, whichever comes first), offsets counted from its start: the first valid one of
// DateTimeOriginal and DateTimeDigitized of the Exif sub-directory, DateTimeOriginal and
// DateTime of the first directory. Valid: 19 bytes "YYYY:MM:DD hh:mm:ss" of digits, colons and
// one blank, a year other than 0000, wholly inside the block. Nothing when no entry holds one.
std::optional<std::string> ReadTiffDate(PictureBytes& bytes, uint64_t start, uint64_t end);

// The tag the date of the last ReadTiffDate on this thread came from: the moment of taking
// (DateTimeOriginal), of digitizing (DateTimeDigitized) or the file's last change (DateTime).
// Every picture type's reader goes through ReadTiffDate, so this tells it for all of them.
enum class DateTag { Taken, Digitized, Modified };
DateTag LastTiffDateTag();

// Whether 19 bytes are a valid date text in the sense above.
bool IsValidDateText(const uint8_t* text);

}  // namespace lumaro
