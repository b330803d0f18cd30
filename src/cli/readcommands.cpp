// The commands that rename nothing: list and date, and the output every command shares.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/commands.h"
#include "cli/oneline.h"
#include "core/files/namecompare.h"
#include "core/listing/folderlisting.h"
#include "core/picturefile/picturedate.h"
#include "core/settings/messagekeys.h"

namespace lumaro::cli {

void Say(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
}

void SayWithNames(const LanguageTable& messages, int key, const std::vector<std::string>& names) {
    std::string text = messages.text(key);
    for (const std::string& name : names) text += "\n" + OnOneLine(name);
    Say(text);
}

void SayFailures(const LanguageTable& messages, const std::vector<RenameFailure>& failures) {
    if (failures.empty()) return;
    Say(messages.text(kMessageRenamesFailed) + "\n" + DescribeRenameFailures(failures));
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
        Say(folder + ": " + std::strerror(errno));
        return kUsage;
    }
    return kDone;
}

int RunList(const Arguments& arguments, const LanguageTable& messages) {
    if (const int refused = CheckFileType(arguments.fileType, messages)) return refused;
    const std::string& typed = arguments.paths.front();
    if (const int missing = CheckFolderExists(typed)) return missing;
    const std::string folder = WithTrailingSeparator(typed);
    const FolderListing listing =
        ListFolderOrdered(folder, ToLowerAscii(arguments.fileType),
                          arguments.byDate ? ListCriterion::Date : ListCriterion::Name);
    if (!listing.readable) {
        Say(messages.text(kMessageFolderUnreadable) + "\n" + folder);
        return kUsage;
    }
    if (!arguments.dates) {
        PrintListing(listing.entries, arguments.companions);
        return kDone;
    }
    // A listing by date has read every date already: no picture is opened twice.
    const std::string fileDatePrefix = messages.text(kMessageFileDatePrefix);
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
    for (const std::string& path : arguments.paths) {
        struct stat st;
        if (stat(path.c_str(), &st) != 0) {
            Say(path + ": " + std::strerror(errno));
            code = kUsage;
            continue;
        }
        const std::string line =
            OnOneLine(ReadPictureDate(path, messages.text(kMessageFileDatePrefix))) + "\t" +
            OnOneLine(path) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return code;
}

}  // namespace lumaro::cli
