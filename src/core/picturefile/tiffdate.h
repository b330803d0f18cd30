// The moment of taking inside a TIFF block (the Exif data of every picture type that carries
// one), and the bounded reads of a picture file that every date reader goes through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// The tag a date came from: the moment of taking (DateTimeOriginal), of digitizing
// (DateTimeDigitized) or the file's last change (DateTime).
enum class DateTag { Taken, Digitized, Modified };

// The moment of taking as one file gives it: the date text and, where the file says, what
// places it in time.
struct TakenDate {
    std::string text;  // 19 characters, "YYYY:MM:DD hh:mm:ss"
    DateTag tag = DateTag::Taken;
    std::string subSeconds;            // the digits of the fraction of a second; "" when none
    std::optional<int> offsetMinutes;  // of the local time from UTC, east positive
    bool inUtc = false;  // the text is the time in UTC and the file names no local zone
    bool operator==(const TakenDate&) const = default;
};

// The date of the TIFF block that starts at `start` and ends before `end` (or at the end of
// the file, whichever comes first), offsets counted from its start: the first valid one of
// DateTimeOriginal and DateTimeDigitized of the Exif sub-directory, DateTimeOriginal and
// DateTime of the first directory. Valid: 19 bytes "YYYY:MM:DD hh:mm:ss" of digits, colons and
// one blank, a year other than 0000, wholly inside the block. Nothing when no entry holds one.
// The sub-seconds and the offset come from the directory of the date used, from the tags
// that go with its tag (SubSecTimeOriginal and OffsetTimeOriginal with DateTimeOriginal...).
std::optional<TakenDate> ReadTiffDate(PictureBytes& bytes, uint64_t start, uint64_t end);

// The leading digits of a sub-second text, at most nine.
std::string SubSecondDigits(std::string_view text);
// The minutes east of UTC of an offset text "+HH:MM" or "-HH:MM"; nothing for any other text.
std::optional<int> OffsetMinutes(std::string_view text);

// Whether 19 bytes are a valid date text in the sense above.
bool IsValidDateText(const uint8_t* text);

}  // namespace lumaro
