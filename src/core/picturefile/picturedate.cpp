// Finding the Exif date in the head of a JPEG file, and a file's own date in the same form.
#include "core/picturefile/picturedate.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "core/picturefile/containerdates.h"
#include "core/picturefile/tiffdate.h"

namespace lumaro {

namespace {

PictureHead readHeadAndClose(int fd, std::string_view fileName) {
    PictureHead head;
    if (fd < 0) return head;
    PictureBytes bytes(fd);
    head.opened = true;
    head.empty = bytes.empty();
    if (!head.empty) head.date = ReadContainedDate(bytes, fd, fileName);
    struct stat st;
    if (!head.empty && !head.date && fstat(fd, &st) == 0) head.fileTime = st.st_mtime;
    close(fd);
    return head;
}

}  // namespace

std::optional<std::string> ReadInternalPictureDate(const std::string& path) {
    std::optional<TakenDate> date = ReadTakenDate(path);
    if (!date) return std::nullopt;
    return std::move(date->text);
}

std::optional<TakenDate> ReadTakenDate(const std::string& path) {
    return readHeadAndClose(open(path.c_str(), O_RDONLY | O_CLOEXEC), path).date;
}

PictureHead ReadPictureHeadAt(int folderFd, const char* fileName) {
    return readHeadAndClose(openat(folderFd, fileName, O_RDONLY | O_CLOEXEC), fileName);
}

std::string ReadPictureDate(const std::string& path, std::string_view fileDatePrefix) {
    if (std::optional<std::string> date = ReadInternalPictureDate(path)) return *date;
    std::string text(fileDatePrefix);
    text += ' ';
    text += FileDateText(path);
    return text;
}

SourcedDate ReadSourcedPictureDate(const std::string& path, std::string_view fileDatePrefix) {
    if (std::optional<TakenDate> date = ReadTakenDate(path)) {
        static constexpr SourcedDate::Source kSources[] = {SourcedDate::Source::Taken,
                                                           SourcedDate::Source::Digitized,
                                                           SourcedDate::Source::Modified};
        return {date->text, kSources[static_cast<int>(date->tag)]};
    }
    return {ReadPictureDate(path, fileDatePrefix), SourcedDate::Source::File};
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

std::string UtcDateText(std::time_t time) {
    std::tm utc{};
    if (!gmtime_r(&time, &utc) || utc.tm_year + 1900 < 1 || utc.tm_year + 1900 > 9999) return {};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d:%02d:%02d %02d:%02d:%02d", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return buffer;
}

}  // namespace lumaro
