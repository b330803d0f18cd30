// The commands that change picture files rather than names: turn, transfer to another folder
// and delete, on the calls behind the window's turn buttons, "To a folder" and delete buttons.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/commands.h"
#include "cli/oneline.h"
#include "cli/outcometext.h"
#include "core/files/fileoperations.h"
#include "core/listing/folderlisting.h"
#include "core/names/namecompare.h"
#include "core/settings/messagekeys.h"
#include "operations/picturedeletion.h"
#include "operations/picturetransfer.h"
#include "operations/pictureturn.h"

namespace lumaro::cli {

namespace {

void PrintLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

// A dry run of transfer: each file's path and the path of its copy, a companion noting its
// picture.
int planTransfer(const Arguments& arguments, const std::string& folder,
                 const std::vector<PictureEntry>& chosen, const Outcome& planned) {
    std::vector<FileRename> plan;
    PlanNote note;
    for (const OutcomeFile& file : planned.files) plan.push_back({file.name, file.newName});
    for (const PictureEntry& entry : chosen) {
        note.companionOf.push_back("");
        for (size_t k = 0; k < entry.companions.size(); ++k)
            note.companionOf.push_back(folder + entry.fileName());
    }
    return PrintPlan(arguments, plan, ExitCodeFor(planned), note);
}

// What a transfer says of a picture that stayed, or whose copy stayed beside it.
void sayKept(const LanguageTable& messages, const OutcomeFile& file) {
    const std::string reason = ReasonOf(messages, file);
    const std::string because = reason.empty() ? "" : " (" + reason + ")";
    if (!file.newName.empty()) {
        Say(messages.text(kMessageOriginalNotDeleted) + "\n" + file.name + because + " -> " +
            file.newName);
    } else {
        Say(file.name + "\n" + messages.text(kMessageCopyFailed) + because);
    }
}

// How the command's operations run: without the history's check with --no-history.
RunOptions runOptions(const Arguments& arguments) {
    RunOptions options;
    options.historyWaived = arguments.noHistory;
    return options;
}

void sayLeftInPlace(const std::string& path, const std::string& reason) {
    Say(OnOneLine(path) + " cannot be moved to the Trash (" + reason +
        "); it is left in place, --permanent deletes it for good");
}

// A dry run of delete: each file to the Trash, or for good; a file the Trash cannot take is
// named and kept, as the run keeps it.
int planDelete(const Arguments& arguments, const LanguageTable& messages, const Outcome& planned) {
    const char* to = arguments.permanent ? "(deleted for good)" : "(Trash)";
    std::vector<FileRename> plan;
    PlanNote note("", {{"to", arguments.permanent ? "deleted for good" : "Trash"}});
    for (const OutcomeFile& file : planned.files) {
        if (!file.kept()) {
            plan.push_back({file.name, to});
            continue;
        }
        const std::string reason = ReasonOf(messages, file);
        sayLeftInPlace(file.name, reason);
        note.kept.push_back({file.name, to, reason});
    }
    return PrintPlan(arguments, plan, ExitCodeFor(planned), note);
}

}  // namespace

// Every path is checked first: a wrong one turns nothing.
int RunTurn(const Arguments& arguments, const LanguageTable& messages) {
    for (const std::string& path : arguments.paths) {
        if (const int missing = CheckFolderExists(path)) return missing;
    }
    const PictureTurn turn(arguments.paths, arguments.angle);
    const Outcome outcome = arguments.dryRun ? turn.plan() : turn.run(runOptions(arguments));
    if (outcome.changedNothing()) return SayRefusal(messages, outcome);
    // A dry run turns in memory only; its plan names each file with the angle it would turn by.
    std::vector<FileRename> plan;
    for (const OutcomeFile& file : outcome.files) {
        if (file.kept()) {
            Say(messages.text(kMessageTurnFailed) + "\n" + NameWithReason(messages, file));
        } else if (arguments.dryRun) {
            plan.push_back({file.name, file.name + " turned " + std::to_string(arguments.angle) +
                                           " clockwise" +
                                           (file.encodedAgain ? ", encoded again" : "")});
        } else {
            // Encoded again: a JPEG picture whose sides are not whole blocks, or another type.
            PrintLine("turned " + file.name + (file.encodedAgain ? " (encoded again)" : ""));
        }
    }
    if (!arguments.dryRun) return ExitCodeFor(outcome);
    return PrintPlan(arguments, plan, ExitCodeFor(outcome), {"", {{"angle", arguments.angle}}});
}

int RunTransfer(const Arguments& arguments, const LanguageTable& messages) {
    if (const int refused = CheckFileType(arguments.fileType, messages)) return refused;
    if (const int missing = CheckFolderExists(arguments.paths.front())) return missing;
    const std::string folder = WithTrailingSeparator(arguments.paths.front());
    const std::string destination = WithTrailingSeparator(arguments.to);
    // Locked before the listing, so that the pictures chosen by their places cannot change
    // before the transfer, which takes the same lock (shared within the process) and the
    // destination's once it exists.
    const std::optional<FolderLock> lock = LockForCommand(arguments, {folder, destination});
    if (!lock) return kUsage;
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
    std::vector<PictureEntry> chosen;
    for (const int index : *selection)
        chosen.push_back(listing.entries[static_cast<size_t>(index)]);
    const PictureTransfer transfer(folder, chosen, destination);
    const Outcome outcome =
        arguments.dryRun ? transfer.plan() : transfer.run(runOptions(arguments));
    if (outcome.kind == OutcomeKind::Refused) {
        Say("The destination is the picture folder itself: nothing was moved.");
        return ExitCodeFor(outcome);
    }
    if (arguments.dryRun) return planTransfer(arguments, folder, chosen, outcome);
    if (outcome.changedNothing()) return SayRefusal(messages, outcome);
    for (const OutcomeFile& file : outcome.files) {
        if (file.kept()) {
            sayKept(messages, file);
        } else {
            PrintLine("moved " + file.name + " -> " + file.newName);
        }
    }
    return ExitCodeFor(outcome);
}

// Every path is checked first: a missing one or a folder deletes nothing. A file the Trash
// cannot take stays in place; only --permanent unlinks.
int RunDelete(const Arguments& arguments, const LanguageTable& messages) {
    for (const std::string& path : arguments.paths) {
        struct stat st;
        const bool found = lstat(path.c_str(), &st) == 0;
        if (!found || S_ISDIR(st.st_mode)) {
            const std::string reason = found ? "a folder, not a file" : std::strerror(errno);
            Say(OnOneLine(path) + ": " + reason);
            return kUsage;
        }
    }
    const PictureDeletion deletion(arguments.paths, arguments.withCompanions, arguments.permanent);
    if (arguments.dryRun) return planDelete(arguments, messages, deletion.plan());
    const Outcome outcome = deletion.run(runOptions(arguments));
    if (outcome.changedNothing()) return SayRefusal(messages, outcome);
    for (const OutcomeFile& file : outcome.files) {
        if (!file.kept()) {
            PrintLine(file.newName.empty()
                          ? "deleted " + OnOneLine(file.name)
                          : "trashed " + OnOneLine(file.name) + " -> " + OnOneLine(file.newName));
        } else if (arguments.permanent) {
            Say(messages.text(kMessageDeleteFailed) + "\n" + OnOneLine(file.name) + " (" +
                ReasonOf(messages, file) + ")");
        } else {
            sayLeftInPlace(file.name, ReasonOf(messages, file));
        }
    }
    return ExitCodeFor(outcome);
}

}  // namespace lumaro::cli
