#include "settings/settingsfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <optional>

#include "settings/constants.h"

#include "pictures/fileoperations.h"

namespace lumaro {

namespace {

// One line, or nothing when the input is exhausted: the caption list must tell a file that
// ends right after "[Captions]" from one whose caption header is an empty text.
std::optional<std::string> ReadLineIfAny(std::istream& in) {
    if (in.peek() == std::char_traits<char>::eof()) return std::nullopt;
    return ReadSettingsLine(in);
}

// Steps after the title format: the type list, then the captions. The type list ends at
// "[Captions]", an empty line or the end of the file, so a type of any length loads back.
bool LoadLists(std::istream& in, Settings& settings) {
    const size_t typesBefore = settings.fileTypes.size();
    settings.fileTypes.push_back(ReadSettingsLine(in));  // the header, whatever it holds
    std::string line = ReadSettingsLine(in);
    while (line != kSectionCaptions && !line.empty()) {
        settings.fileTypes.push_back(line);
        line = ReadSettingsLine(in);
    }
    if (line != kSectionCaptions) {
        settings.fileTypes.resize(typesBefore);
        return false;
    }
    std::optional<std::string> caption = ReadLineIfAny(in);
    if (!caption || *caption == kEndOfApplicationData) return true;
    // The first line is the header and is kept even when empty; after it an empty line
    // (or the end of the file) ends the list like the end marker does.
    do {
        settings.captions.push_back(*caption);
        caption = ReadSettingsLine(in);
    } while (*caption != kEndOfApplicationData && !caption->empty());
    return true;
}

std::string SettingsText(const Settings& settings) {
    std::string text;
    const auto line = [&text](const std::string& value) { text += value + kLineBreak; };
    line(kSectionLanguage);
    line(settings.languageName);
    line(kSectionDefaultFolders);
    line(settings.currentFolder);
    line(settings.copyToFolder);
    line(settings.slideShowFolder);
    line(kSectionSlideShowTitleFormat);
    line(settings.slideShowTitleFormat);
    line(kSectionFileTypes);
    for (const std::string& type : settings.fileTypes) line(type);
    line(kSectionCaptions);
    for (const std::string& caption : settings.captions) line(caption);
    line(kEndOfApplicationData);
    return text;
}

// The folder part of a path with its trailing '/', or "" for a bare file name.
std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A hidden name beside the settings file, so that the rename stays within one file system
// and a left-over never shows up in a listing.
int CreateTemporaryBeside(const std::string& path, std::string& temporaryPath) {
    const std::string folder = FolderOf(path);
    const std::string name = path.substr(folder.size());
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = folder + "." + name + "." + std::to_string(getpid()) + "." +
                        std::to_string(attempt) + ".tmp";
        const int fd = open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        // The new file takes the place of the old one, permissions included.
        struct stat old;
        if (fd >= 0 && stat(path.c_str(), &old) == 0) fchmod(fd, old.st_mode & 07777);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void SyncFolder(const std::string& folder) {
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

std::string ReadSettingsLine(std::istream& in) {
    std::string line;
    std::getline(in, line);
    // getline stops at '\n' without setting eof; only then was there a line feed to pair with.
    if (!in.eof() && !line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

bool LoadSettings(const std::string& path, Settings& settings) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string line = ReadSettingsLine(in);
    if (line == kSectionLanguage) {
        settings.languageName = ReadSettingsLine(in);
        line = ReadSettingsLine(in);
    }
    if (line != kSectionDefaultFolders) return false;
    settings.currentFolder = ReadSettingsLine(in);
    settings.copyToFolder = ReadSettingsLine(in);
    settings.slideShowFolder = ReadSettingsLine(in);
    line = ReadSettingsLine(in);
    if (line == kSectionSlideShowTitleFormat) {
        settings.slideShowTitleFormat = ReadSettingsLine(in);
        line = ReadSettingsLine(in);
    } else {
        settings.slideShowTitleFormat = kDefaultTitleFormat;
    }
    if (line != kSectionFileTypes) {
        settings.currentFolder.clear();
        settings.copyToFolder.clear();
        settings.slideShowFolder.clear();
        return false;
    }
    return LoadLists(in, settings);
}

bool SaveSettings(const std::string& path, const Settings& settings) {
    std::string temporaryPath;
    const int fd = CreateTemporaryBeside(path, temporaryPath);
    if (fd < 0) return false;
    bool written = WriteAllBytes(fd, SettingsText(settings)) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    // rename replaces the old file in one step: a reader sees the old or the new file whole.
    if (!written || std::rename(temporaryPath.c_str(), path.c_str()) != 0) {
        unlink(temporaryPath.c_str());
        return false;
    }
    SyncFolder(FolderOf(path));
    return true;
}

}  // namespace lumaro
