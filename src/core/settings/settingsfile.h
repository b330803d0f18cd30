// The settings file "Lumaro.ini": language, three folders, the slide-show title format,
// the file-type list and the caption list, kept from one run to the next.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace lumaro {

struct Settings {
    std::string languageName;
    std::string currentFolder;
    std::string copyToFolder;
    std::string slideShowFolder;
    std::string slideShowTitleFormat;
    std::vector<std::string> fileTypes;  // item 0 is the header "Types"
    std::vector<std::string> captions;   // item 0 is the header, kMessageAvailableCaptions
};

// No folder path, caption or message comes near this length: a longer line is damage, so a
// file made of one endless line never fills the memory.
inline constexpr size_t kLongestSettingsLine = 64 * 1024;
// A larger settings file is refused unread: its caption list alone would freeze the window.
inline constexpr long long kLargestSettingsFile = 1024 * 1024;

// Whether a settings file is there to be read. An Unreadable file must neither be read nor
// written over: the run goes on with the defaults and leaves it for the user to mend.
enum class SettingsFileState { Missing, Readable, Unreadable };
SettingsFileState ProbeSettingsFile(const std::string& path);

// Reads the file into `settings`, appending to its two lists. Returns false when the file
// cannot be opened, is larger than kLargestSettingsFile or is damaged; what was read before
// the damage stays as the caller's defaults expect (see the .cpp).
bool LoadSettings(const std::string& path, Settings& settings);

// Writes the whole file (CR LF lines, fixed order) through a temporary file renamed into
// place, so a crash never leaves half a settings file; a symbolic link is written through, the
// file it points to being replaced. A value holding a line break would shift every later line:
// such a folder or name is written empty, such a list item left out. Returns false when
// nothing was written.
bool SaveSettings(const std::string& path, const Settings& settings);

// Reads one line up to a line feed or the end of the input; a CR before the line feed is
// dropped, so CR LF and bare LF files read alike. Every other byte is kept, NUL included. An
// exhausted input yields an empty line; a line longer than kLongestSettingsLine sets the
// input's badbit and yields an empty line, as does every read after it.
std::string ReadSettingsLine(std::istream& in);

}  // namespace lumaro
