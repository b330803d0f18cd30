// Choosing the pictures of a command by place and by name, and reading the names to choose.
#include "cli/selection.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <unordered_map>

#include "cli/commands.h"
#include "cli/oneline.h"
#include "cli/report.h"

namespace lumaro::cli {

namespace {

// The whole content of `path` ("-": standard input); false with errno set when it cannot be read.
bool readAll(const std::string& path, std::string& text) {
    const int fd = path == "-" ? 0 : open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char buffer[65536];
    ssize_t got = 0;
    while ((got = read(fd, buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        text.append(buffer, static_cast<size_t>(got));
    }
    const int error = got < 0 ? errno : 0;
    if (fd != 0) close(fd);
    errno = error;
    return error == 0;
}

}  // namespace

int ReadNamesToSelect(Arguments& arguments) {
    if (arguments.selectFrom.empty()) return kDone;
    std::string text;
    if (!readAll(arguments.selectFrom, text)) {
        const std::string source = arguments.selectFrom == "-"
                                       ? "standard input"
                                       : "'" + OnOneLine(arguments.selectFrom) + "'";
        Say("cannot read the names to select from " + source + ": " + std::strerror(errno));
        return kUsage;
    }
    const char separator = arguments.nullSeparated ? '\0' : '\n';
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find(separator, start), text.size());
        if (end > start) arguments.pictureNames.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return kDone;
}

std::optional<std::vector<int>> SelectPictures(const Arguments& arguments,
                                               const std::vector<PictureEntry>& listing,
                                               const FormerName& formerName) {
    std::vector<bool> chosen(listing.size());
    if (arguments.select) {
        const std::optional<std::vector<int>> places =
            ResolveRanges(*arguments.select, listing.size());
        if (!places) {
            Say("A position lies past the end of the list of " + std::to_string(listing.size()) +
                " pictures.");
            return std::nullopt;
        }
        for (const int place : *places) chosen[static_cast<size_t>(place)] = true;
    }
    std::unordered_map<std::string, size_t> byName;
    for (size_t k = 0; k < listing.size() && !arguments.pictureNames.empty(); ++k) {
        byName.emplace(listing[k].fileName(), k);
        if (formerName) byName.emplace(formerName(listing[k].fileName()), k);
    }
    bool allFound = true;
    for (const std::string& name : arguments.pictureNames) {
        const auto found = byName.find(name);
        if (found != byName.end()) {
            chosen[found->second] = true;
            continue;
        }
        allFound = false;
        Say("no picture of the listing is named '" + OnOneLine(name) + "'");
        ReportFile({name, {}, FileStatus::Refused, "not a picture of the listing"});
    }
    if (!allFound) return std::nullopt;
    std::vector<int> places;
    for (size_t k = 0; k < chosen.size(); ++k) {
        if (chosen[k]) places.push_back(static_cast<int>(k));
    }
    return places;
}

}  // namespace lumaro::cli
