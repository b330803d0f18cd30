// Reading the settings file line by line, and writing it whole through a temporary file.
#include "core/settings/settingsfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <optional>

#include "core/files/atomicwrite.h"
#include "core/files/folderentries.h"
#include "core/settings/constants.h"

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

// A carriage return reads back as it was written; only a line feed ends a line.
bool fitsOneLine(const std::string& value) { return value.find('\n') == std::string::npos; }

std::string SettingsText(const Settings& settings) {
    std::string text;
    const auto line = [&text](const std::string& value) {
        if (fitsOneLine(value)) text += value;
        text += kLineBreak;
    };
    // An empty line would end a list: an item that cannot stand on one line is left out.
    const auto item = [&line](const std::string& value) {
        if (fitsOneLine(value)) line(value);
    };
    line(kSectionLanguage);
    line(settings.languageName);
    line(kSectionDefaultFolders);
    line(settings.currentFolder);
    line(settings.copyToFolder);
    line(settings.slideShowFolder);
    line(kSectionSlideShowTitleFormat);
    line(settings.slideShowTitleFormat);
    line(kSectionFileTypes);
    for (const std::string& type : settings.fileTypes) item(type);
    line(kSectionCaptions);
    for (const std::string& caption : settings.captions) item(caption);
    line(kEndOfApplicationData);
    return text;
}

// The sections in their order, from the first line on; false at the first damage.
bool LoadSections(std::istream& in, Settings& settings) {
    std::string line = ReadSettingsLine(in);
    if (line == kSectionLanguage) {
        settings.languageName = ReadSettingsLine(in);
        line = ReadSettingsLine(in);
    }
    if (line != kSectionDefaultFolders) return false;
    settings.currentFolder = ReadSettingsLine(in);
    settings.copyToFolder = ReadSettingsLine(in);
    // Project file names are joined to it: a folder typed without its final '/' gets one.
    settings.slideShowFolder = WithTrailingSeparator(ReadSettingsLine(in));
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

}  // namespace

std::string ReadSettingsLine(std::istream& in) {
    std::string line;
    const std::istream::sentry readable(in, true);
    if (!readable) return line;
    std::streambuf* bytes = in.rdbuf();
    int c = bytes->sbumpc();
    // One byte more than the longest line: room for the CR of a CR LF ending.
    for (; c != '\n' && c != std::char_traits<char>::eof() && line.size() <= kLongestSettingsLine;
         c = bytes->sbumpc()) {
        line += static_cast<char>(c);
    }
    if (c == std::char_traits<char>::eof()) {
        in.setstate(std::ios::eofbit);  // no line feed: a CR at the very end belongs to the text
    } else if (c == '\n' && !line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if ((c != '\n' && c != std::char_traits<char>::eof()) || line.size() > kLongestSettingsLine) {
        in.setstate(std::ios::badbit);
        return {};
    }
    return line;
}

SettingsFileState ProbeSettingsFile(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0) return SettingsFileState::Missing;
    // A link to nothing is a file not yet written; a link loop or a folder cannot be read.
    if (stat(path.c_str(), &st) != 0) {
        return errno == ENOENT ? SettingsFileState::Missing : SettingsFileState::Unreadable;
    }
    if (!S_ISREG(st.st_mode)) return SettingsFileState::Unreadable;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return SettingsFileState::Unreadable;
    close(fd);
    return SettingsFileState::Readable;
}

bool LoadSettings(const std::string& path, Settings& settings) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && st.st_size > kLargestSettingsFile) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const size_t typesBefore = settings.fileTypes.size();
    const size_t captionsBefore = settings.captions.size();
    if (LoadSections(in, settings) && !in.bad()) return true;
    if (in.bad()) {
        // A line too long to be one the program wrote: nothing of the lists is kept.
        settings.fileTypes.resize(typesBefore);
        settings.captions.resize(captionsBefore);
        settings.currentFolder.clear();
        settings.copyToFolder.clear();
        settings.slideShowFolder.clear();
    }
    return false;
}

bool SaveSettings(const std::string& path, const Settings& settings) {
    return WriteFileAtomically(path, SettingsText(settings)).ok();
}

}  // namespace lumaro
