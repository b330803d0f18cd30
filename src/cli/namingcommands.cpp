// The commands that rename: the folder load, then a rename with a caption, a renumbering or
// a move, each applied at once, as the window applies them. Every argument and rule is first
// checked on the plan of the load, so that a command that stops has renamed nothing.
#include <algorithm>

#include "cli/commands.h"
#include "core/names/namecompare.h"
#include "core/naming/numberedname.h"
#include "core/renaming/apply.h"
#include "core/renaming/composename.h"
#include "core/renaming/folderload.h"
#include "core/renaming/move.h"
#include "core/renaming/renamecheck.h"
#include "core/renaming/renamepasses.h"
#include "core/renaming/renumber.h"
#include "core/settings/messagekeys.h"

namespace lumaro::cli {

namespace {

// A command runs twice: on the plan of the folder load it only checks, and on the loaded
// folder it acts.
enum class Step { Check, Act };

// The list and every picture that kept its name on the way.
struct Session {
    const Arguments& arguments;
    const LanguageTable& messages;
    Step step;
    PictureList list;
    std::vector<RenameFailure> failures;
    LoadFolderResult plan;              // Check: the renames the load would make
    std::vector<PictureEntry> inOrder;  // Check: the list in the command's order
    // Check: the renames the command would make after the load, and those it would fail.
    std::vector<RenamePair> commandPlan;
    std::vector<RenameFailure> commandPlanFailures;

    bool checking() const { return step == Step::Check; }
    int done() {
        if (checking()) return kDone;
        PrintListing(list.avant);
        SayFailures(messages, failures);
        return failures.empty() ? kDone : kSomeFailed;
    }
    // A refusal wins over renames of the load that failed; those are still named.
    int refused(int key, const std::vector<std::string>& names = {}) {
        SayWithNames(messages, key, names);
        SayFailures(messages, failures);
        return kRefused;
    }
};

LoadFolderOptions loadOptions(const Arguments& arguments) {
    LoadFolderOptions options;
    options.askFirstNumbering = [&arguments]() {
        return FirstNumberingAnswer{arguments.format.value_or("-1"), arguments.byDate ? "D" : "N"};
    };
    options.repairFirst = !arguments.dryRun;
    return options;
}

// The exit code of a load or of its plan: kDone when the list is ready, else after saying why.
int loadOutcomeCode(const LoadFolderResult& result, const LanguageTable& messages,
                    const PictureList& list, const std::vector<RenameFailure>& failures) {
    // A refusal wins over renames of the load that failed; those are still named.
    const auto refused = [&](int key, const std::vector<std::string>& names) {
        SayWithNames(messages, key, names);
        SayFailures(messages, failures);
        return kRefused;
    };
    switch (result.outcome) {
        case LoadOutcome::Unreadable:
            Say(messages.text(kMessageFolderUnreadable) + "\n" + list.currentFolder);
            return kUsage;
        case LoadOutcome::FolderBusy:
            SayFolderBusy();
            return kUsage;
        case LoadOutcome::NoPictures:
            Say(messages.text(kMessageNoFilesOfType) + " " + list.fileType);
            return kRefused;
        case LoadOutcome::TooManyPictures:
            return refused(kMessageStartNumberTooLarge, {});
        case LoadOutcome::InsertWouldUnnumber:
            return refused(kMessageInsertWouldUnnumber, result.refusedNames);
        case LoadOutcome::Cancelled:  // only asked without --format
            Say("The folder is not numbered: give --format replace, insert or leave.");
            SayFailures(messages, failures);
            return kRefused;
        default:
            return kDone;
    }
}

// A dry run's command renames as the run would make them after the load: the groups that the
// run's check would keep are kept in the plan too.
int planCommand(Session& s, const std::vector<RenamePair>& pairs) {
    const std::string& folder = s.list.currentFolder;
    RenameCheck check =
        CheckGroupRenames(folder, pairs, NamesAfter(folder, LoadPlanRenames(s.plan)));
    s.commandPlan = std::move(check.go);
    s.commandPlanFailures.insert(s.commandPlanFailures.end(), check.kept.begin(), check.kept.end());
    return kDone;
}

int caption(Session& s, const std::vector<int>& selection) {
    const RenameProposal proposal = ProposeRename(s.list, selection, *s.arguments.caption);
    if (proposal.check == CaptionCheck::NotInFileName)
        return s.refused(kMessageCaptionNotInFileName);
    if (proposal.check == CaptionCheck::WouldUnnumber)
        return s.refused(kMessageCaptionWouldUnnumber, proposal.refusedNames);
    StoreRenameProposal(s.list, proposal, selection);
    if (s.checking()) return planCommand(s, ApplyPlan(s.list));
    ApplyResult applied = Apply(s.list, {false, proposal.lastProposalIndex, {}});
    s.failures.insert(s.failures.end(), applied.failures.begin(), applied.failures.end());
    return s.done();
}

int renumber(Session& s, const std::vector<int>& selection) {
    // Without --width, the width the window's dialog proposes: the present number width.
    const std::string width =
        s.arguments.width.empty() ? std::to_string(s.list.numberWidth) : s.arguments.width;
    const RenumberResult result =
        Renumber(s.list, selection, ReadAsNumber(s.arguments.start), width);
    switch (result.outcome) {
        case RenumberOutcome::Overlap:
        case RenumberOutcome::TooLarge:
            return s.refused(result.messageKey());
        case RenumberOutcome::NotNumbered:
            return s.refused(kMessageNotNumbered, result.refusedNames);
        case RenumberOutcome::WouldUnnumber:
            return s.refused(kMessageWidthWouldUnnumber, result.refusedNames);
        case RenumberOutcome::NothingSelected:
            return s.done();
        case RenumberOutcome::Proposed:
            break;
    }
    if (s.checking()) return planCommand(s, ApplyPlan(s.list));
    ApplyResult applied = Apply(s.list, {true, -1, {}});
    s.failures.insert(s.failures.end(), applied.failures.begin(), applied.failures.end());
    return s.done();
}

// The block goes as far as it can towards where it was sent, as the window's move buttons
// take it; a block that cannot move at all is told.
int move(Session& s, const std::vector<int>& selection) {
    bool moving = false;
    const BeginMoveResult begun = BeginMove(s.list, selection, moving, 0);
    if (begun.check == MoveCheck::NotContiguous) return s.refused(begun.messageKey());
    if (begun.check == MoveCheck::NotNumbered)
        return s.refused(kMessageNotNumbered, begun.unnumberedNames);
    MoveBlockResult moved;
    if (const std::optional<long long> places = s.arguments.places) {
        moved =
            MoveBlock(s.list, static_cast<int>(std::clamp<long long>(*places, -1000000, 1000000)));
    } else {
        const TargetRange range = TargetMoveRange(s.list);
        if (CheckTargetAnswer(*s.arguments.after, range) != TargetAnswer::Accepted)
            return s.refused(kMessageValueOutOfRange);
        moved = MoveToTarget(s.list, ReadAsNumber(*s.arguments.after));
    }
    if (s.checking() && !s.arguments.dryRun) return kDone;
    if (!moved.moved) {
        const std::optional<long long> places = s.arguments.places;
        Tell(!places       ? "The pictures cannot move behind that number: nothing was moved."
             : *places < 0 ? "The pictures are at the start of the list already: nothing was moved."
                           : "The pictures are at the end of the list already: nothing was moved.");
    }
    if (s.checking()) return planCommand(s, AcceptMovePlan(s.list, s.commandPlanFailures));
    AcceptMoveResult accepted = AcceptMove(s.list, moving);
    s.failures.insert(s.failures.end(), accepted.failures.begin(), accepted.failures.end());
    return s.done();
}

// The list in the command's order, the positions resolved on it, then the command. On the
// loaded folder the list must be the one the plan foresaw: a load that renamed otherwise (a
// rename refused for a reason the plan could not see) stops the command there.
int runCommand(Session& s, const std::vector<PictureEntry>* planned) {
    if (s.arguments.byDate) {
        if (s.checking()) {
            RelistPlanned(s.list, s.plan.plannedRenames, ListCriterion::Date);
        } else {
            Relist(s.list, ListCriterion::Date);
        }
    }
    if (s.checking()) s.inOrder = s.list.avant;
    if (planned && s.list.avant != *planned) {
        Say("The folder did not load as planned: " + s.arguments.command + " renamed nothing.");
        PrintListing(s.list.avant);
        SayFailures(s.messages, s.failures);
        return kSomeFailed;
    }
    const std::optional<std::vector<int>> selection =
        ResolveRanges(*s.arguments.select, s.list.avant.size());
    if (!selection) {
        Say("A position lies past the end of the list of " + std::to_string(s.list.avant.size()) +
            " pictures.");
        SayFailures(s.messages, s.failures);
        return kUsage;
    }
    if (s.arguments.command == "caption") return caption(s, *selection);
    if (s.arguments.command == "renumber") return renumber(s, *selection);
    return move(s, *selection);
}

// A dry run's plan: the repair, then each picture from the name it bears to the name it would
// end with, the load's rename and the command's one after it made one line.
int printNamingPlan(const Session& s, std::vector<FileRename> plan) {
    std::vector<FileRename> load = LoadPlanRenames(s.plan);
    std::vector<FileRename> command;
    for (const RenamePair& pair : s.commandPlan) {
        if (pair.toBase == pair.from.base) continue;
        for (FileRename& file : FileRenamesOf(pair)) command.push_back(std::move(file));
    }
    for (FileRename& rename : load) {
        const auto then = std::find_if(command.begin(), command.end(), [&](const FileRename& c) {
            return c.oldName == rename.newName;
        });
        if (then == command.end()) continue;
        rename.newName = then->newName;
        command.erase(then);
    }
    plan.insert(plan.end(), load.begin(), load.end());
    plan.insert(plan.end(), command.begin(), command.end());
    std::vector<RenameFailure> failures = s.plan.failedRenames;
    failures.insert(failures.end(), s.commandPlanFailures.begin(), s.commandPlanFailures.end());
    SayFailures(s.messages, failures);
    PlanNote note;
    note.kept = KeptFilesOf(failures);
    return PrintPlan(s.arguments, plan, failures.empty() ? kDone : kSomeFailed, note);
}

}  // namespace

std::vector<FileRename> LoadPlanRenames(const LoadFolderResult& plan) {
    std::vector<FileRename> renames;
    for (const RenamePair& pair : plan.plannedRenames) {
        for (FileRename& file : FileRenamesOf(pair)) renames.push_back(std::move(file));
    }
    std::sort(renames.begin(), renames.end(), [](const FileRename& a, const FileRename& b) {
        return CompareNames(a.oldName, b.oldName) < 0;
    });
    return renames;
}

int PlanFolderForCommand(const Arguments& arguments, const LanguageTable& messages,
                         PictureList& list, LoadFolderResult& plan,
                         std::vector<FileRename>* repairPlan) {
    if (arguments.dryRun) {
        std::vector<FileRename> repair = PlanRepair(WithTrailingSeparator(list.currentFolder));
        if (repairPlan) *repairPlan = std::move(repair);
    }
    plan = PlanFolderLoad(list, loadOptions(arguments));
    if (plan.repair.count() > 0)
        SayWithNames(messages, kMessageInterruptedRenamesRepaired, plan.repair.renamedNames);
    return loadOutcomeCode(plan, messages, list, plan.repair.failures);
}

int LoadFolderForCommand(const Arguments& arguments, const LanguageTable& messages,
                         PictureList& list, std::vector<RenameFailure>& failures) {
    const LoadFolderResult result = LoadFolder(list, loadOptions(arguments));
    if (result.repair.count() > 0 && !arguments.quiet)
        SayWithNames(messages, kMessageInterruptedRenamesRepaired, result.repair.renamedNames);
    if (!result.repair.keptJournal.empty()) {
        SayWithNames(messages, kMessageUnreadableJournalKept,
                     {list.currentFolder + result.repair.keptJournal});
    }
    failures = result.failedRenames;
    const int code = loadOutcomeCode(result, messages, list, failures);
    if (code != kDone) return code;
    const auto pictures = [](int count) {
        return std::to_string(count) + (count == 1 ? " picture" : " pictures");
    };
    if (result.equalisedCount > 0)
        Tell(pictures(result.equalisedCount) + " renamed to equal number widths");
    if (result.completedCount > 0)
        Tell(pictures(result.completedCount) + " numbered on from the last number");
    return kDone;
}

int RunNaming(const Arguments& arguments, const LanguageTable& messages) {
    if (const int refused = CheckFileType(arguments.fileType, messages)) return refused;
    // A caption that could not be part of a file name is refused before any file is touched.
    if (arguments.caption && ValidateCaption(*arguments.caption) == CaptionCheck::NotInFileName) {
        Say(messages.text(kMessageCaptionNotInFileName));
        return kRefused;
    }
    if (arguments.command == "renumber" &&
        CheckRenumberAnswer(arguments.start, arguments.width) == RenumberAnswer::BadWidth) {
        Say(messages.text(kMessageWidthOutOfRange));
        return kUsage;
    }
    if (const int missing = CheckFolderExists(arguments.paths.front())) return missing;
    const std::optional<FolderLock> lock = LockForCommand(arguments, {arguments.paths.front()});
    if (!lock) return kUsage;
    PictureList folder;
    folder.currentFolder = WithTrailingSeparator(arguments.paths.front());
    folder.fileType = ToLowerAscii(arguments.fileType);

    Session check{arguments, messages, Step::Check, folder, {}, {}, {}, {}, {}};
    std::vector<FileRename> repairPlan;
    if (const int stopped =
            PlanFolderForCommand(arguments, messages, check.list, check.plan, &repairPlan))
        return stopped;
    // Pictures that the repair of an interrupted operation could not rename are named at the end.
    check.failures = check.plan.repair.failures;
    if (arguments.command != "load") {
        if (const int stopped = runCommand(check, nullptr)) return stopped;
    }
    if (arguments.dryRun) return printNamingPlan(check, repairPlan);
    Session act{arguments, messages, Step::Act, folder, {}, {}, {}, {}, {}};
    if (const int stopped = LoadFolderForCommand(arguments, messages, act.list, act.failures))
        return stopped;
    act.failures.insert(act.failures.begin(), check.plan.repair.failures.begin(),
                        check.plan.repair.failures.end());
    if (arguments.command == "load") return act.done();
    return runCommand(act, &check.inOrder);
}

}  // namespace lumaro::cli
