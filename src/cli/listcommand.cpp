// The list command: the pictures of a folder in listing order, with their dates and companions,
// as lines, NUL-ended names or one JSON document. Each picture is opened at most once.

#include <cstdio>

#include "cli/commands.h"
#include "cli/jsondates.h"
#include "cli/jsonnames.h"
#include "cli/oneline.h"
#include "cli/report.h"
#include "core/listing/folderlisting.h"
#include "core/listing/instantorder.h"
#include "core/names/namecompare.h"
#include "core/settings/messagekeys.h"

namespace lumaro::cli {

namespace {

// The listing of the folder with each picture's date and where it came from, every picture
// read once, by the listing itself.
struct DatedListing {
    FolderListing listing;
    std::vector<SourcedDate> dates;  // in the order of listing.entries
};

// The date a listing found, as the date command gives it (no second read of the picture).
SourcedDate sourcedDate(const ListedDate& date, std::string_view fileDatePrefix) {
    static constexpr SourcedDate::Source kSources[] = {
        SourcedDate::Source::Taken, SourcedDate::Source::Digitized, SourcedDate::Source::Modified};
    return {ListedDateText(date, fileDatePrefix),
            date.inside ? kSources[static_cast<int>(date.inside->tag)] : SourcedDate::Source::File};
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
        nlohmann::json picture = nlohmann::json::object();
        if (arguments.dates) {
            picture = DateObject(dated.dates[k]);
            const ListedDate& date = dated.listing.dates[k];
            const std::optional<std::string> instant = InstantText(date, dated.listing.zone);
            picture["instant"] = instant ? nlohmann::json(*instant) : nlohmann::json();
            picture["zone_source"] = ZoneSourceName(date, dated.listing.zone);
        }
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
    // The moments of the dates need the whole listing by date: the folder's zone comes from it.
    DatedListing dated;
    dated.listing =
        ListFolderOrdered(folder, ToLowerAscii(arguments.fileType),
                          byDate || arguments.dates ? ListCriterion::Date : ListCriterion::Name);
    if (!dated.listing.readable) return SayFolderUnreadable(folder);
    if (arguments.dates && !byDate) OrderListing(dated.listing, ListCriterion::Name);
    if (arguments.dates) {
        for (const ListedDate& date : dated.listing.dates)
            dated.dates.push_back(sourcedDate(date, prefix));
    }
    if (arguments.json) {
        reportPictures(arguments, dated);
    } else {
        printPictures(arguments, dated);
    }
    return kDone;
}

}  // namespace lumaro::cli
