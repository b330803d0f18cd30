// The commands that change picture files rather than names: turn, transfer to another folder
// and delete, on the calls behind the window's turn buttons, "To a folder" and delete buttons.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/commands.h"
#include "cli/oneline.h"
#include "core/files/createfolder.h"
#include "core/files/fileoperations.h"
#include "core/files/namecompare.h"
#include "core/files/transfer.h"
#include "core/listing/folderlisting.h"
#include "core/picturefile/turnpicture.h"
#include "core/settings/messagekeys.h"
#include "trash/trash.h"

namespace lumaro::cli {

namespace {

void PrintLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

}  // namespace

// Every path is checked first: a wrong one turns nothing.
int RunTurn(const Arguments& arguments, const LanguageTable& messages) {
    for (const std::string& path : arguments.paths) {
        if (const int missing = CheckFolderExists(path)) return missing;
    }
    int code = kDone;
    for (const std::string& path : arguments.paths) {
        const TurnPictureResult result = TurnPicture(path, arguments.angle);
        if (result.ok()) {
            PrintLine("turned " + path +
                      (result.lossless ? "" : " (encoded again: its sides are not whole blocks)"));
            continue;
        }
        Say(messages.text(kMessageTurnFailed) + "\n" + path + " (" + result.detail + ")");
        code = kSomeFailed;
    }
    return code;
}

int RunTransfer(const Arguments& arguments, const LanguageTable& messages) {
    if (const int refused = CheckFileType(arguments.fileType, messages)) return refused;
    if (const int missing = CheckFolderExists(arguments.paths.front())) return missing;
    const std::string folder = WithTrailingSeparator(arguments.paths.front());
    const std::string destination = WithTrailingSeparator(arguments.to);
    const FolderListing listing =
        ListFolderOrdered(folder, ToLowerAscii(arguments.fileType),
                          arguments.byDate ? ListCriterion::Date : ListCriterion::Name);
    if (!listing.readable) {
        Say(messages.text(kMessageFolderUnreadable) + "\n" + folder);
        return kUsage;
    }
    if (listing.entries.empty()) {  // refused like every command that changes files
        Say(messages.text(kMessageNoFilesOfType) + " " + ToLowerAscii(arguments.fileType));
        return kRefused;
    }
    const std::optional<std::vector<int>> selection =
        ResolveRanges(*arguments.select, listing.entries.size());
    if (!selection) {
        Say("A position lies past the end of the list of " +
            std::to_string(listing.entries.size()) + " pictures.");
        return kUsage;
    }
    if (IsSameFolder(folder, destination)) {
        Say("The destination is the picture folder itself: nothing was moved.");
        return kRefused;
    }
    if (const int error = CreateFolder(destination, {.allLevels = false})) {
        Say(messages.text(kMessageCannotCreateFolder) + " " + destination + " (" +
            std::strerror(error) + ")");
        return kUsage;
    }
    std::vector<PictureEntry> chosen;
    for (const int index : *selection)
        chosen.push_back(listing.entries[static_cast<size_t>(index)]);
    int code = kDone;
    for (const TransferOutcome& outcome : TransferPictures(folder, chosen, destination)) {
        if (outcome.moved()) {
            PrintLine("moved " + outcome.source + " -> " + outcome.target);
            continue;
        }
        const std::string reason =
            outcome.error ? std::string(" (") + std::strerror(outcome.error) + ")" : "";
        if (outcome.status == TransferOutcome::Status::SourceKept) {
            Say(messages.text(kMessageOriginalNotDeleted) + "\n" + outcome.source + reason +
                " -> " + outcome.target);
        } else {
            Say(outcome.source + "\n" + messages.text(kMessageCopyFailed) + reason);
        }
        code = kSomeFailed;
    }
    return code;
}

// Every path is checked first: a missing one or a folder deletes nothing. A file the Trash
// cannot take stays in place; only --permanent unlinks.
int RunDelete(const Arguments& arguments, const LanguageTable& messages) {
    for (const std::string& path : arguments.paths) {
        struct stat st;
        const bool found = lstat(path.c_str(), &st) == 0;
        if (!found || S_ISDIR(st.st_mode)) {
            const std::string reason = found ? "a folder, not a file" : std::strerror(errno);
            Say("lumaro-cli: " + OnOneLine(path) + ": " + reason);
            return kUsage;
        }
    }
    std::vector<std::string> paths;
    for (const std::string& path : arguments.paths) {
        paths.push_back(path);
        if (!arguments.withCompanions) continue;
        const size_t slash = path.rfind('/');
        const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
        for (const std::string& name : CompanionNamesOf(folder, path.substr(folder.size())))
            paths.push_back(folder + name);
    }
    int code = kDone;
    for (const std::string& path : paths) {
        if (arguments.permanent) {
            if (const int error = DeletePictureFile(path)) {
                Say("lumaro-cli: " + messages.text(kMessageDeleteFailed) + "\n" + OnOneLine(path) +
                    " (" + std::strerror(error) + ")");
                code = kSomeFailed;
            } else {
                PrintLine("deleted " + OnOneLine(path));
            }
            continue;
        }
        const TrashOutcome trashed = MoveToTrash(path);
        if (trashed.moved()) {
            PrintLine("trashed " + OnOneLine(path) + " -> " + OnOneLine(trashed.pathInTrash));
        } else {
            Say("lumaro-cli: " + OnOneLine(path) + " cannot be moved to the Trash (" +
                trashed.error + "); it is left in place, --permanent deletes it for good");
            code = kSomeFailed;
        }
    }
    return code;
}

}  // namespace lumaro::cli
