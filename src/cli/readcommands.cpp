// The commands that rename nothing: list and date, and the output and the folder lock that every
// command shares.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/commands.h"
#include "cli/jsonnames.h"
#include "cli/oneline.h"
#include "core/listing/folderlisting.h"
#include "core/names/namecompare.h"
#include "core/picturefile/picturedate.h"
#include "core/settings/messagekeys.h"

namespace lumaro::cli {

namespace {

bool quietRun = false;

void tellRename(const std::string& from, const std::string& to) {
    Tell("renamed " + OnOneLine(from) + " -> " + OnOneLine(to));
}

// The listing's date text as ISO 8601 ("2006-05-12T14:23:44"), the file-date prefix left out.
std::string isoDate(const std::string& text) {
    if (text.size() < kDateTextLength) return {};
    std::string iso = text.substr(text.size() - kDateTextLength);
    iso[4] = iso[7] = '-';
    iso[10] = 'T';
    return iso;
}

nlohmann::json dateObject(const SourcedDate& date) {
    static constexpr const char* kSources[] = {"taken", "digitized", "modified", "file"};
    nlohmann::json object = nlohmann::json::object();
    PutName(object, "date", date.text);
    object["iso8601"] = isoDate(date.text);
    object["source"] = kSources[static_cast<int>(date.source)];
    return object;
}

// The date a listing found, as the date command gives it (no second read of the picture).
SourcedDate sourcedDate(const ListedDate& date, std::string_view fileDatePrefix) {
    static constexpr SourcedDate::Source kSources[] = {
        SourcedDate::Source::Taken, SourcedDate::Source::Digitized, SourcedDate::Source::Modified};
    return {ListedDateText(date, fileDatePrefix),
            date.inside ? kSources[static_cast<int>(date.inside->tag)] : SourcedDate::Source::File};
}

// A picture's companion files, each an object with its name as every JSON name is given.
nlohmann::json companionsOf(const PictureEntry& entry) {
    nlohmann::json companions = nlohmann::json::array();
    for (const std::string& rest : entry.companions) {
        nlohmann::json companion = nlohmann::json::object();
        PutName(companion, "name", entry.base + rest);
        companions.push_back(std::move(companion));
    }
    return companions;
}

void printJson(const nlohmann::json& document) {
    const std::string text = document.dump(2) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
}

}  // namespace

void SetMessageLevel(bool quiet, bool verbose) {
    quietRun = quiet;
    SetRenameObserver(verbose && !quiet ? tellRename : nullptr);
}

void Say(const std::string& text) {
    std::string lines;
    size_t start = 0;
    do {
        const size_t end = text.find('\n', start);
        lines += "lumaro-cli: ";
        lines += text.substr(start, end == std::string::npos ? end : end - start);
        lines += '\n';
        start = end == std::string::npos ? end : end + 1;
    } while (start != std::string::npos);
    std::fwrite(lines.data(), 1, lines.size(), stderr);
}

void Tell(const std::string& text) {
    if (!quietRun) Say(text);
}

void SayWithNames(const LanguageTable& messages, int key, const std::vector<std::string>& names) {
    std::string text = messages.text(key);
    for (const std::string& name : names) text += "\n" + OnOneLine(name);
    Say(text);
}

void PrintListing(const std::vector<PictureEntry>& entries, bool withCompanions) {
    std::string line;
    for (const PictureEntry& entry : entries) {
        line = OnOneLine(entry.fileName()) + "\n";
        if (withCompanions) {
            for (const std::string& rest : entry.companions)
                line += "\t" + OnOneLine(entry.base + rest) + "\n";
        }
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
}

int CheckFileType(const std::string& fileType, const LanguageTable& messages) {
    switch (ValidateFileType(fileType)) {
        case FileTypeCheck::Empty:
            Say(messages.text(kMessageSpecifyFileType));
            return kRefused;
        case FileTypeCheck::NotInFileName:
            Say(messages.text(kMessageFileTypeNotInFileName));
            return kRefused;
        case FileTypeCheck::Ok:
            break;
    }
    return kDone;
}

int CheckFolderExists(const std::string& folder) {
    struct stat st;
    if (stat(folder.c_str(), &st) != 0) {
        Say(OnOneLine(folder) + ": " + std::strerror(errno));
        return kUsage;
    }
    return kDone;
}

std::optional<FolderLock> LockForCommand(const Arguments& arguments,
                                         const std::vector<std::string>& folders) {
    if (arguments.dryRun) return FolderLock();
    FolderLock lock(folders);
    if (!lock.busy()) return lock;
    SayFolderBusy();
    return std::nullopt;
}

void SayFolderBusy() { Say("another Lumaro is changing this folder"); }

int RunList(const Arguments& arguments, const LanguageTable& messages) {
    if (const int refused = CheckFileType(arguments.fileType, messages)) return refused;
    const std::string& typed = arguments.paths.front();
    if (const int missing = CheckFolderExists(typed)) return missing;
    const std::string folder = WithTrailingSeparator(typed);
    // The moments of JSON's dates need the whole listing by date: the folder's zone.
    const bool readDates = arguments.byDate || (arguments.json && arguments.dates);
    FolderListing listing =
        ListFolderOrdered(folder, ToLowerAscii(arguments.fileType),
                          readDates ? ListCriterion::Date : ListCriterion::Name);
    if (readDates && !arguments.byDate) OrderListing(listing, ListCriterion::Name);
    if (!listing.readable) {
        Say(messages.text(kMessageFolderUnreadable) + "\n" + folder);
        return kUsage;
    }
    const std::string fileDatePrefix = messages.text(kMessageFileDatePrefix);
    if (arguments.json) {
        nlohmann::json pictures = nlohmann::json::array();
        for (size_t i = 0; i < listing.entries.size(); ++i) {
            const PictureEntry& entry = listing.entries[i];
            nlohmann::json picture = nlohmann::json::object();
            PutName(picture, "name", entry.fileName());
            if (arguments.dates) {
                picture.update(dateObject(sourcedDate(listing.dates[i], fileDatePrefix)));
                const std::optional<std::string> instant =
                    InstantText(listing.dates[i], listing.zone);
                picture["instant"] = instant ? nlohmann::json(*instant) : nlohmann::json();
                picture["zone_source"] = ZoneSourceName(listing.dates[i], listing.zone);
            }
            if (arguments.companions) picture["companions"] = companionsOf(entry);
            pictures.push_back(std::move(picture));
        }
        nlohmann::json document = nlohmann::json::object();
        PutName(document, "folder", folder);
        document["pictures"] = std::move(pictures);
        printJson(document);
        return kDone;
    }
    if (!arguments.dates) {
        PrintListing(listing.entries, arguments.companions);
        return kDone;
    }
    // A listing by date has read every date already: no picture is opened twice.
    for (size_t i = 0; i < listing.entries.size(); ++i) {
        const std::string fileName = listing.entries[i].fileName();
        const std::string date = i < listing.dates.size()
                                     ? ListedDateText(listing.dates[i], fileDatePrefix)
                                     : ReadPictureDate(folder + fileName, fileDatePrefix);
        std::string line = OnOneLine(date) + "\t" + OnOneLine(fileName) + "\n";
        if (arguments.companions) {
            for (const std::string& rest : listing.entries[i].companions)
                line += "\t" + OnOneLine(listing.entries[i].base + rest) + "\n";
        }
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return kDone;
}

// Every existing file gets its line, readable or not; a missing one makes the exit code 1.
int RunDate(const Arguments& arguments, const LanguageTable& messages) {
    int code = kDone;
    nlohmann::json files = nlohmann::json::array();
    for (const std::string& path : arguments.paths) {
        struct stat st;
        if (stat(path.c_str(), &st) != 0) {
            Say(OnOneLine(path) + ": " + std::strerror(errno));
            code = kUsage;
            continue;
        }
        if (arguments.json) {
            nlohmann::json file =
                dateObject(ReadSourcedPictureDate(path, messages.text(kMessageFileDatePrefix)));
            PutName(file, "path", path);
            files.push_back(std::move(file));
            continue;
        }
        const std::string line =
            OnOneLine(ReadPictureDate(path, messages.text(kMessageFileDatePrefix))) + "\t" +
            OnOneLine(path) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    if (arguments.json) printJson(nlohmann::json{{"files", std::move(files)}});
    return code;
}

}  // namespace lumaro::cli
