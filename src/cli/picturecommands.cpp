// The commands that change picture files rather than names: turn, transfer to another folder
// and delete, through the operations behind the window's turn buttons, "To a folder" and
// delete buttons.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

#include "cli/commands.h"
#include "cli/oneline.h"
#include "cli/selection.h"
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

// Each file the plan changes, from its path to `to(file)`.
template <typename To>
std::vector<FileRename> planLines(const PicturePlan& plan, To to) {
    std::vector<FileRename> lines;
    for (const ChangedFile& file : plan.changes) lines.push_back({file.name, to(file)});
    return lines;
}

// Each file changed or planned, in the JSON document.
void reportChanged(const std::vector<ChangedFile>& files, FileStatus status,
                   const std::map<std::string, std::string>& companionOf = {}) {
    for (const ChangedFile& file : files) {
        const auto picture = companionOf.find(file.name);
        ReportFile({file.name,
                    file.newName,
                    status,
                    {},
                    picture == companionOf.end() ? std::string() : picture->second,
                    file.encodedAgain});
    }
}

// The pictures of the folder that --select and --name choose, in the order of the listing
// --by gives; kDone when there are some, otherwise the exit code after saying why.
int choosePictures(const Arguments& arguments, const LanguageTable& messages,
                   const std::string& folder, std::vector<PictureEntry>& chosen) {
    const FolderListing listing =
        ListFolderOrdered(folder, ToLowerAscii(arguments.fileType),
                          arguments.byDate ? ListCriterion::Date : ListCriterion::Name);
    if (!listing.readable) return SayFolderUnreadable(folder);
    if (listing.entries.empty()) {  // refused like every command that changes files
        Say(messages.text(kMessageNoFilesOfType) + " " + ToLowerAscii(arguments.fileType));
        return kRefused;
    }
    const std::optional<std::vector<int>> selection = SelectPictures(arguments, listing.entries);
    if (!selection) return kUsage;
    for (const int index : *selection)
        chosen.push_back(listing.entries[static_cast<size_t>(index)]);
    return kDone;
}

// The path of the picture each companion of the chosen pictures goes with.
std::map<std::string, std::string> picturesOfCompanions(const std::string& folder,
                                                        const std::vector<PictureEntry>& chosen) {
    std::map<std::string, std::string> pictures;
    for (const PictureEntry& entry : chosen) {
        for (const std::string& rest : entry.companions)
            pictures[folder + entry.base + rest] = folder + entry.fileName();
    }
    return pictures;
}

// A dry run of transfer: each file's path and the path of its copy, a companion noting its
// picture.
int planTransfer(const std::string& folder, const std::vector<PictureEntry>& chosen,
                 const PicturePlan& plan) {
    const std::map<std::string, std::string> companionOf = picturesOfCompanions(folder, chosen);
    PlanNote note;
    for (const ChangedFile& file : plan.changes) {
        const auto picture = companionOf.find(file.name);
        note.companionOf.push_back(picture == companionOf.end() ? "" : picture->second);
    }
    const auto copy = [](const ChangedFile& file) { return file.newName; };
    return PrintPlan(planLines(plan, copy), ExitCodeFor(plan.outcome), note);
}

// What a transfer says of a picture that stayed, or whose copy stayed beside it.
void sayTransferKept(const LanguageTable& messages, const OutcomeFile& file) {
    const std::string because = " (" + ReasonOf(messages, file) + ")";
    if (!file.newName.empty()) {
        Say(messages.text(kMessageOriginalNotDeleted) + "\n" + file.name + because + " -> " +
            file.newName);
    } else {
        Say(file.name + "\n" + messages.text(kMessageCopyFailed) + because);
    }
    ReportKept(messages, {file});
}

void sayLeftInPlace(const LanguageTable& messages, const OutcomeFile& file) {
    Say(OnOneLine(file.name) + " cannot be moved to the Trash (" + ReasonOf(messages, file) +
        "); it is left in place, --permanent deletes it for good");
    ReportKept(messages, {file});
}

// The path of the picture each companion deleted with it goes with.
std::map<std::string, std::string> deletedCompanions(const Arguments& arguments) {
    std::map<std::string, std::string> pictures;
    if (!arguments.withCompanions) return pictures;
    for (const std::string& path : arguments.paths) {
        const size_t slash = path.rfind('/');
        const std::string prefix = slash == std::string::npos ? "" : path.substr(0, slash + 1);
        for (const std::string& name :
             CompanionNamesOf(FolderOfPath(path), path.substr(prefix.size())))
            pictures[prefix + name] = path;
    }
    return pictures;
}

// A dry run of delete: each file to the Trash, or for good; a file the Trash cannot take is
// named and kept, as the run keeps it.
int planDelete(const Arguments& arguments, const LanguageTable& messages, const PicturePlan& plan) {
    if (plan.outcome.changedNothing()) return SayOutcome(messages, plan.outcome);
    const char* to = arguments.permanent ? "(deleted for good)" : "(Trash)";
    for (const OutcomeFile& file : plan.outcome.files) sayLeftInPlace(messages, file);
    const auto lines = planLines(plan, [to](const ChangedFile&) { return std::string(to); });
    if (Reporting()) {
        reportChanged(plan.changes, FileStatus::Planned, deletedCompanions(arguments));
        return ExitCodeFor(plan.outcome);
    }
    return PrintPlan(lines, ExitCodeFor(plan.outcome));
}

// The files a turn left as they were, each with why; with --json also in the document.
void sayNotTurned(const LanguageTable& messages, const Outcome& outcome) {
    for (const OutcomeFile& file : outcome.files)
        Say(messages.text(kMessageTurnFailed) + "\n" + NameWithReason(messages, file));
    ReportKept(messages, outcome.files);
}

int planTurn(const Arguments& arguments, const PicturePlan& plan) {
    if (Reporting()) {
        reportChanged(plan.changes, FileStatus::Planned);
        return ExitCodeFor(plan.outcome);
    }
    const auto turned = [&](const ChangedFile& file) {
        return file.name + " turned " + std::to_string(arguments.angle) + " clockwise" +
               (file.encodedAgain ? ", encoded again" : "");
    };
    return PrintPlan(planLines(plan, turned), ExitCodeFor(plan.outcome));
}

}  // namespace

// Every path is checked first: a wrong one turns nothing.
int RunTurn(const Arguments& arguments, const LanguageTable& messages) {
    ReportAction(FileAction::Turn);
    ReportAngle(arguments.angle);
    for (const std::string& path : arguments.paths) {
        if (const int missing = CheckFileExists(path)) return missing;
    }
    PictureTurn turn(arguments.paths, arguments.angle);
    // A dry run turns in memory only; its plan names each file with the angle it would turn by.
    const PicturePlan plan = arguments.dryRun ? turn.plan() : PicturePlan{};
    const Outcome outcome = arguments.dryRun ? plan.outcome : turn.run(RunOptionsFor(arguments));
    if (outcome.changedNothing()) return SayOutcome(messages, outcome);
    sayNotTurned(messages, outcome);
    if (arguments.dryRun) return planTurn(arguments, plan);
    reportChanged(turn.changed(), FileStatus::Done);
    // Encoded again: a JPEG picture whose sides are not whole blocks, or another type.
    for (const ChangedFile& file : turn.changed()) {
        if (!Reporting())
            PrintLine("turned " + file.name + (file.encodedAgain ? " (encoded again)" : ""));
    }
    return ExitCodeFor(outcome);
}

int RunTransfer(const Arguments& arguments, const LanguageTable& messages) {
    ReportFolder(arguments.paths.front());
    ReportAction(FileAction::Move);
    ReportNameField("to", WithTrailingSeparator(arguments.to));
    if (const int refused = CheckFileType(arguments.fileType, messages)) return refused;
    if (const int missing = CheckFolderExists(arguments.paths.front())) return missing;
    const std::string folder = WithTrailingSeparator(arguments.paths.front());
    const std::string destination = WithTrailingSeparator(arguments.to);
    // Locked before the listing, so that the pictures chosen by their places cannot change
    // before the transfer, which takes the same lock (shared within the process) and the
    // destination's once it exists.
    const std::optional<FolderLock> lock = LockForCommand(arguments, {folder, destination});
    if (!lock) return kUsage;
    std::vector<PictureEntry> chosen;
    if (const int code = choosePictures(arguments, messages, folder, chosen)) return code;
    PictureTransfer transfer(folder, chosen, destination);
    const PicturePlan plan = arguments.dryRun ? transfer.plan() : PicturePlan{};
    const Outcome outcome =
        arguments.dryRun ? plan.outcome : transfer.run(RunOptionsFor(arguments));
    if (outcome.kind == OutcomeKind::Refused) {
        Say("The destination is the picture folder itself: nothing was moved.");
        return ExitCodeFor(outcome);
    }
    if (arguments.dryRun) return planTransfer(folder, chosen, plan);
    if (outcome.changedNothing()) return SayOutcome(messages, outcome);
    reportChanged(transfer.changed(), FileStatus::Done, picturesOfCompanions(folder, chosen));
    for (const ChangedFile& file : transfer.changed()) {
        if (!Reporting()) PrintLine("moved " + file.name + " -> " + file.newName);
    }
    for (const OutcomeFile& file : outcome.files) sayTransferKept(messages, file);
    return ExitCodeFor(outcome);
}

// Every path is checked first: a missing one or a folder deletes nothing. A file the Trash
// cannot take stays in place; only --permanent unlinks.
int RunDelete(const Arguments& arguments, const LanguageTable& messages) {
    ReportAction(arguments.permanent ? FileAction::Delete : FileAction::Trash);
    for (const std::string& path : arguments.paths) {
        struct stat st;
        const bool found = lstat(path.c_str(), &st) == 0;
        if (!found || S_ISDIR(st.st_mode)) {
            const std::string reason = found ? "a folder, not a file" : std::strerror(errno);
            Say("cannot delete '" + OnOneLine(path) + "': " + reason);
            return kUsage;
        }
    }
    PictureDeletion deletion(arguments.paths, arguments.withCompanions, arguments.permanent);
    if (arguments.dryRun) return planDelete(arguments, messages, deletion.plan());
    const Outcome outcome = deletion.run(RunOptionsFor(arguments));
    if (outcome.changedNothing()) return SayOutcome(messages, outcome);
    reportChanged(deletion.changed(), FileStatus::Done, deletedCompanions(arguments));
    for (const ChangedFile& file : deletion.changed()) {
        if (Reporting()) continue;
        PrintLine(file.newName.empty()
                      ? "deleted " + OnOneLine(file.name)
                      : "trashed " + OnOneLine(file.name) + " -> " + OnOneLine(file.newName));
    }
    for (const OutcomeFile& file : outcome.files) {
        if (arguments.permanent) {
            Say(messages.text(kMessageDeleteFailed) + "\n" + OnOneLine(file.name) + " (" +
                ReasonOf(messages, file) + ")");
            ReportKept(messages, {file});
        } else {
            sayLeftInPlace(messages, file);
        }
    }
    return ExitCodeFor(outcome);
}

}  // namespace lumaro::cli
