// The moment a picture was taken, read from the Exif data of a JPEG, TIFF, raw, PNG, WebP or
// HEIF file or from the boxes of a video (mp4, mov, m4v, 3gp), and the modification time of a file
// in the same 19-character form
// ("2006:05:12 14:23:44").
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "core/picturefile/tiffdate.h"

namespace lumaro {

inline constexpr size_t kDateTextLength = 19;

// The moment of taking stored in the picture (ReadTiffDate in the TIFF block of its type, the
// type told by its first bytes), always 19 characters, or nothing. Reads only inside the file,
// and its walks through segments and chunks only move forward, so damaged files end the
// search instead of looping.
std::optional<std::string> ReadInternalPictureDate(const std::string& path);
// The same date with its sub-seconds and offset, as far as the file gives them.
std::optional<TakenDate> ReadTakenDate(const std::string& path);

// What the folder listing learns from one open and one read of a file.
struct PictureHead {
    bool opened = false;  // false: the file could not be opened, nothing else is known
    bool empty = false;   // the file holds no byte
    std::optional<TakenDate> date;
    // For a picture without date: the modification time of the file, asked of the open file.
    std::time_t fileTime = 0;
};
// The head of a file opened relative to a folder descriptor: the listing needs no separate
// stat to skip empty files, nor a look-up by name for the file date of a dateless picture.
PictureHead ReadPictureHeadAt(int folderFd, const char* fileName);

// The picture's date text, or the fallback: `fileDatePrefix` (kMessageFileDatePrefix, "FD"), a
// blank and FileDateText of the same path. A file that cannot be opened gives the fallback too.
std::string ReadPictureDate(const std::string& path, std::string_view fileDatePrefix);

// ReadPictureDate's text, and where it came from.
struct SourcedDate {
    enum class Source { Taken, Digitized, Modified, File };
    std::string text;
    Source source = Source::File;
};
SourcedDate ReadSourcedPictureDate(const std::string& path, std::string_view fileDatePrefix);

// The local time of the last modification of the file at exactly `path`, seconds truncated
// to an even number; empty when there is no such file.
std::string FileDateText(const std::string& path);
// A local time in the date-text form, seconds truncated to an even number.
std::string FormatFileTime(std::time_t time);
// A time in UTC in the date-text form; empty when its year is not one of four digits.
std::string UtcDateText(std::time_t time);

}  // namespace lumaro
