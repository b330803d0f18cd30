// The commands that rename: the folder load, then a rename with a caption, a renumbering or
// a move, each applied at once, as the window applies them. Every argument and rule is first
// checked on the plan of the load, so that a command that stops has renamed nothing.
#include <algorithm>
#include <functional>
#include <map>

#include "cli/commands.h"
#include "cli/ranges.h"
#include "cli/selection.h"
#include "core/names/namecompare.h"
#include "core/naming/numberedname.h"
#include "core/renaming/composename.h"
#include "core/renaming/renamecheck.h"
#include "core/renaming/renamepasses.h"
#include "core/renaming/renumber.h"
#include "core/settings/messagekeys.h"
#include "operations/acceptmoveoperation.h"
#include "operations/applyoperation.h"

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
    std::vector<OutcomeFile> kept;
    FolderPlan plan;                    // Check: what the load would do
    std::vector<PictureEntry> inOrder;  // Check: the list in the command's order
    // Check, for a dry run: the renames the command would make after the load, and those it
    // would keep.
    NamingPlan commandPlan;
    // Check: the pictures chosen, by their places in the list; the run acts on the same.
    std::vector<int> selection;

    bool checking() const { return step == Step::Check; }
    int done() {
        if (checking()) return kDone;
        if (!Reporting()) PrintListing(list.avant);
        SayKept(messages, kept);
        return kept.empty() ? kDone : kSomeFailed;
    }
    // A refusal wins over renames of the load that failed; those are still named.
    int refused(int key, const std::vector<std::string>& names = {}) {
        SayWithNames(messages, key, names);
        for (const std::string& name : names)
            ReportFile({name, {}, FileStatus::Refused, messages.text(key)});
        SayKept(messages, kept);
        return kRefused;
    }
    // The command's operation has run: the pictures it kept are named with the others at the
    // end.
    int ran(Outcome outcome) {
        if (outcome.kind != OutcomeKind::Done && outcome.kind != OutcomeKind::SomeKept) {
            outcome.files.insert(outcome.files.begin(), kept.begin(), kept.end());
            return SayOutcome(messages, outcome);
        }
        kept.insert(kept.end(), outcome.files.begin(), outcome.files.end());
        return done();
    }
    // The names of the folder once the load's plan is done: the command's plan meets them.
    NameTakenBefore namesAfterLoad() const {
        return NamesAfter(list.currentFolder, plan.load.renames);
    }
    // The name a picture of the planned list bears on disk before the load.
    FormerName formerName() const {
        std::map<std::string, std::string> former;
        for (const FileRename& rename : plan.load.renames) former[rename.newName] = rename.oldName;
        return [former = std::move(former)](const std::string& listed) {
            const auto found = former.find(listed);
            return found == former.end() ? listed : found->second;
        };
    }
};

// An explicit width too narrow for the numbers is widened, and said so.
void tellWidened(const Arguments& arguments, const RenumberResult& result) {
    if (arguments.width.empty() || result.outcome != RenumberOutcome::Proposed) return;
    if (result.numberWidth <= std::stoi(arguments.width)) return;
    Tell("--width " + arguments.width + " is too narrow for these numbers: they are given " +
         std::to_string(result.numberWidth) + " digits");
}

// A dry run's command renames as the run would make them after the load: the groups that the
// run's check would keep are kept in the plan too. Only a dry run plans them.
int planCommand(Session& s, const std::function<NamingPlan()>& plan) {
    if (s.arguments.dryRun) s.commandPlan = plan();
    return kDone;
}

int caption(Session& s, const std::vector<int>& selection) {
    const RenameProposal proposal = ProposeRename(s.list, selection, *s.arguments.caption);
    if (proposal.check == CaptionCheck::NotInFileName)
        return s.refused(kMessageCaptionNotInFileName);
    if (proposal.check == CaptionCheck::WouldUnnumber)
        return s.refused(kMessageCaptionWouldUnnumber, proposal.refusedNames);
    StoreRenameProposal(s.list, proposal, selection);
    ApplyOperation apply(s.list, {false, proposal.lastProposalIndex, {}});
    if (s.checking()) return planCommand(s, [&] { return apply.plan(s.namesAfterLoad()); });
    return s.ran(apply.run(RunOptionsFor(s.arguments)));
}

int renumber(Session& s, const std::vector<int>& selection) {
    // Without --width, the width the window's dialog proposes: the present number width.
    const std::string width =
        s.arguments.width.empty() ? std::to_string(s.list.numberWidth) : s.arguments.width;
    const RenumberResult result =
        Renumber(s.list, selection, ReadAsNumber(s.arguments.start), width);
    if (s.checking()) tellWidened(s.arguments, result);
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
    ApplyOperation apply(s.list, {true, -1, {}});
    if (s.checking()) return planCommand(s, [&] { return apply.plan(s.namesAfterLoad()); });
    return s.ran(apply.run(RunOptionsFor(s.arguments)));
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
    AcceptMoveOperation accept(s.list, moving);
    if (s.checking()) return planCommand(s, [&] { return accept.plan(s.namesAfterLoad()); });
    return s.ran(accept.run(RunOptionsFor(s.arguments)));
}

// The list in the command's order, the positions resolved on it, then the command. On the
// loaded folder the list must be the one the plan foresaw: a load that renamed otherwise (a
// rename refused for a reason the plan could not see) stops the command there.
int runCommand(Session& s, const std::vector<PictureEntry>* planned) {
    if (s.arguments.byDate) {
        if (s.checking()) {
            RelistPlanned(s.list, s.plan.result.plannedRenames, ListCriterion::Date);
        } else {
            Relist(s.list, ListCriterion::Date);
        }
    }
    if (s.checking()) s.inOrder = s.list.avant;
    if (planned && s.list.avant != *planned) {
        Say("The folder did not load as planned: " + s.arguments.command + " renamed nothing.");
        if (!Reporting()) PrintListing(s.list.avant);
        SayKept(s.messages, s.kept);
        return kSomeFailed;
    }
    if (s.checking()) {
        const std::optional<std::vector<int>> selection =
            SelectPictures(s.arguments, s.list.avant, s.formerName());
        if (!selection) {
            SayKept(s.messages, s.kept);
            return kUsage;
        }
        s.selection = *selection;
    }
    // Names read from an empty file or pipe choose nothing: nothing to do, and no error.
    if (s.selection.empty()) {
        if (s.checking())
            Tell("No picture is chosen: " + s.arguments.command + " renames nothing.");
        return s.done();
    }
    if (s.arguments.command == "caption") return caption(s, s.selection);
    if (s.arguments.command == "renumber") return renumber(s, s.selection);
    return move(s, s.selection);
}

// A dry run's plan: the repair, then each picture from the name it bears to the name it would
// end with, the load's rename and the command's one after it made one line.
int printNamingPlan(const Session& s) {
    std::vector<FileRename> plan = s.plan.repair;
    std::vector<FileRename> load = s.plan.load.renames;
    std::vector<FileRename> command = s.commandPlan.renames;
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
    std::vector<OutcomeFile> kept = s.plan.load.outcome.files;
    const std::vector<OutcomeFile>& commandKept = s.commandPlan.outcome.files;
    kept.insert(kept.end(), commandKept.begin(), commandKept.end());
    SayKept(s.messages, kept);
    return PrintPlan(plan, kept.empty() ? kDone : kSomeFailed);
}

}  // namespace

int RunNaming(const Arguments& arguments, const LanguageTable& messages) {
    ReportFolder(arguments.paths.front());
    ReportAction(FileAction::Rename);
    ReportCompanionsOfType(arguments.fileType);
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
    if (!arguments.dryRun) RecordRenamesIn(folder.currentFolder);

    Session check{arguments, messages, Step::Check, folder, {}, {}, {}, {}, {}};
    if (const int stopped = PlanFolderForCommand(arguments, messages, check.list, check.plan))
        return stopped;
    // Pictures that the repair of an interrupted operation could not rename are named at the end.
    check.kept = check.plan.repairKept;
    if (arguments.command != "load") {
        if (const int stopped = runCommand(check, nullptr)) return stopped;
    }
    if (arguments.dryRun) return printNamingPlan(check);
    Session act{arguments, messages, Step::Act, folder, {}, {}, {}, {}, check.selection};
    if (const int stopped = LoadFolderForCommand(arguments, messages, act.list, act.kept))
        return stopped;
    act.kept.insert(act.kept.begin(), check.plan.repairKept.begin(), check.plan.repairKept.end());
    if (arguments.command == "load") return act.done();
    return runCommand(act, &check.inOrder);
}

}  // namespace lumaro::cli
