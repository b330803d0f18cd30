// The list command: the pictures of a folder in listing order, with their dates and companions,
// as lines, NUL-ended names or one JSON document. Each picture is opened at most once.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <unordered_map>

#include "cli/commands.h"
#include "cli/jsondates.h"
#include "cli/jsonnames.h"
#include "cli/oneline.h"
#include "cli/report.h"
#include "core/listing/folderlisting.h"
#include "core/names/namecompare.h"
#include "core/picturefile/tiffdate.h"
#include "core/settings/messagekeys.h"

namespace lumaro::cli {

namespace {

// The listing of the folder with each picture's date and where it came from, every picture
// read once: listed by name, its head read here (the source of its date is known only to the
// read that found it), then ordered by those dates when the order is by date.
struct DatedListing {
    FolderListing listing;
    std::vector<SourcedDate> dates;  // in the order of listing.entries
};

SourcedDate::Source sourceOfLastDate() {
    static constexpr SourcedDate::Source kSources[] = {
        SourcedDate::Source::Taken, SourcedDate::Source::Digitized, SourcedDate::Source::Modified};
    return kSources[static_cast<int>(LastTiffDateTag())];
}

// The date of the picture `name`, from one read of it.
SourcedDate readDate(int folderFd, const std::string& folder, const std::string& name,
                     const std::string& prefix, ListedDate& listed) {
    const PictureHead head = ReadPictureHeadAt(folderFd, name.c_str());
    if (!head.opened) return ReadSourcedPictureDate(folder + name, prefix);
    listed = {head.date, head.fileTime};
    return {ListedDateText(listed, prefix),
            head.date ? sourceOfLastDate() : SourcedDate::Source::File};
}

// Every picture's date, read on a few threads as the listing reads them: a folder of
// thousands of small pictures is bound by the calls into the system, not by the disk.
void readDates(const std::string& folder, const std::string& prefix, bool byDate,
               DatedListing& dated) {
    FolderListing& listing = dated.listing;
    const size_t count = listing.entries.size();
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::vector<SourcedDate> dates(count);
    listing.dates.assign(count, {});
    const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1,
                                              std::max<size_t>(count / 256, 1));
    const auto readPart = [&](size_t part) {
        for (size_t k = part; k < count; k += threads)
            dates[k] =
                readDate(folderFd, folder, listing.entries[k].fileName(), prefix, listing.dates[k]);
    };
    std::vector<std::thread> others;
    for (size_t part = 1; part < threads; ++part) others.emplace_back(readPart, part);
    readPart(0);
    for (std::thread& other : others) other.join();
    if (folderFd >= 0) close(folderFd);
    if (!byDate) {
        dated.dates = std::move(dates);
        return;
    }
    std::unordered_map<std::string, SourcedDate> byName;
    for (size_t k = 0; k < count; ++k)
        byName.emplace(listing.entries[k].fileName(), std::move(dates[k]));
    OrderListing(listing, ListCriterion::Date);
    for (const PictureEntry& entry : listing.entries)
        dated.dates.push_back(std::move(byName[entry.fileName()]));
}

nlohmann::json companionsOf(const PictureEntry& entry) {
    nlohmann::json companions = nlohmann::json::array();
    for (const std::string& rest : entry.companions) {
        nlohmann::json companion = nlohmann::json::object();
        PutName(companion, "name", entry.base + rest);
        companions.push_back(std::move(companion));
    }
    return companions;
}

void reportPictures(const Arguments& arguments, const DatedListing& dated) {
    nlohmann::json pictures = nlohmann::json::array();
    const std::vector<PictureEntry>& entries = dated.listing.entries;
    for (size_t k = 0; k < entries.size(); ++k) {
        nlohmann::json picture =
            arguments.dates ? DateObject(dated.dates[k]) : nlohmann::json::object();
        PutName(picture, "name", entries[k].fileName());
        if (arguments.companions) picture["companions"] = companionsOf(entries[k]);
        pictures.push_back(std::move(picture));
    }
    ReportField("pictures", std::move(pictures));
}

// One line a picture (date, TAB, name), its companions each on a line under it after a TAB;
// with -0 the names as they are, each line ended by a NUL rather than escaped.
void printPictures(const Arguments& arguments, const DatedListing& dated) {
    const char end = arguments.nullSeparated ? '\0' : '\n';
    const auto shown = [&arguments](const std::string& text) {
        return arguments.nullSeparated ? text : OnOneLine(text);
    };
    std::string text;
    const std::vector<PictureEntry>& entries = dated.listing.entries;
    for (size_t k = 0; k < entries.size(); ++k) {
        if (arguments.dates) text += shown(dated.dates[k].text) + '\t';
        text += shown(entries[k].fileName()) + end;
        if (arguments.companions) {
            for (const std::string& rest : entries[k].companions)
                text += '\t' + shown(entries[k].base + rest) + end;
        }
        if (text.size() > 65536 || k + 1 == entries.size()) {
            std::fwrite(text.data(), 1, text.size(), stdout);
            text.clear();
        }
    }
}

}  // namespace

// A folder without pictures of the type lists nothing, and that is no error.
int RunList(const Arguments& arguments, const LanguageTable& messages) {
    if (const int refused = CheckFileType(arguments.fileType, messages)) return refused;
    const std::string& typed = arguments.paths.front();
    ReportFolder(typed);
    if (const int missing = CheckFolderExists(typed)) return missing;
    const std::string folder = WithTrailingSeparator(typed);
    const bool byDate = arguments.byDate;
    const std::string prefix = messages.text(kMessageFileDatePrefix);
    // A listing by date reads each date itself, but only a read here knows where a date came
    // from, which the JSON document tells: then the pictures are listed by name and read here.
    const bool sourcesTold = arguments.dates && arguments.json;
    DatedListing dated;
    dated.listing =
        ListFolderOrdered(folder, ToLowerAscii(arguments.fileType),
                          byDate && !sourcesTold ? ListCriterion::Date : ListCriterion::Name);
    if (!dated.listing.readable) return SayFolderUnreadable(folder);
    if (arguments.dates && dated.listing.dates.size() == dated.listing.entries.size()) {
        for (const ListedDate& date : dated.listing.dates)
            dated.dates.push_back({ListedDateText(date, prefix)});
    } else if (arguments.dates) {
        readDates(folder, prefix, byDate, dated);
    }
    if (arguments.json) {
        reportPictures(arguments, dated);
    } else {
        printPictures(arguments, dated);
    }
    return kDone;
}

}  // namespace lumaro::cli
