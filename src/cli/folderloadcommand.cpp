// The window's folder load for a command, through the operations layer: an interrupted
// operation finished first, the load planned before anything is renamed, then run.
#include "cli/commands.h"
#include "core/files/folderentries.h"
#include "core/settings/messagekeys.h"
#include "operations/loadoperation.h"
#include "operations/repairoperation.h"

namespace lumaro::cli {

namespace {

LoadFolderOptions loadOptions(const Arguments& arguments) {
    LoadFolderOptions options;
    options.askFirstNumbering = [&arguments]() {
        return FirstNumberingAnswer{arguments.format.value_or("-1"), arguments.byDate ? "D" : "N"};
    };
    return options;
}

// kDone when the load (or its plan) leaves the list ready, else the exit code after saying
// why, with the pictures kept before it.
int loadOutcomeCode(const LanguageTable& messages, Outcome outcome,
                    const std::vector<OutcomeFile>& keptBefore) {
    if (outcome.kind == OutcomeKind::Done || outcome.kind == OutcomeKind::SomeKept) return kDone;
    outcome.files.insert(outcome.files.begin(), keptBefore.begin(), keptBefore.end());
    if (outcome.kind == OutcomeKind::Refused && outcome.messageKey < 0) {  // no --format given
        Say("The folder is not numbered: give --format replace, insert or leave.");
        SayKept(messages, outcome.files);
        return kRefused;
    }
    return SayOutcome(messages, outcome);
}

// A dry run tells what finishing an interrupted operation would rename first.
std::vector<FileRename> planRepair(const std::string& folder) {
    const NamingPlan plan = RepairOperation(folder).plan();
    if (plan.outcome.messageKey == kMessageUnreadableJournalKept) {
        Say("The folder holds the journal of an interrupted operation that cannot be read: a "
            "real run would keep it aside and rename nothing for it.");
    } else if (!plan.renames.empty()) {
        Tell("The folder holds an interrupted operation: a real run would finish it first (its " +
             std::to_string(plan.renames.size()) +
             " renames lead the plan), and the rest of the plan is made on the names as they "
             "are now.");
    }
    return plan.renames;
}

}  // namespace

RunOptions RunOptionsFor(const Arguments& arguments) {
    RunOptions options;
    options.historyWaived = arguments.noHistory;
    return options;
}

int PlanFolderForCommand(const Arguments& arguments, const LanguageTable& messages,
                         PictureList& list, FolderPlan& plan) {
    list.currentFolder = WithTrailingSeparator(list.currentFolder);
    if (arguments.dryRun) {
        plan.repair = planRepair(list.currentFolder);
    } else {
        const Outcome repaired = RepairOperation(list.currentFolder).run(RunOptionsFor(arguments));
        if (StoppedBeforeRunning(repaired)) return SayOutcome(messages, repaired);
        if (repaired.messageKey >= 0) SayWithNames(messages, repaired.messageKey, repaired.details);
        plan.repairKept = repaired.files;
    }
    FolderLoadOperation load(list, loadOptions(arguments));
    plan.load = load.plan();
    plan.result = load.result();
    return loadOutcomeCode(messages, plan.load.outcome, plan.repairKept);
}

int LoadFolderForCommand(const Arguments& arguments, const LanguageTable& messages,
                         PictureList& list, std::vector<OutcomeFile>& kept) {
    FolderLoadOperation load(list, loadOptions(arguments));
    const Outcome outcome = load.run(RunOptionsFor(arguments));
    // The plan finished any interrupted operation already: one found now began since.
    const Outcome repaired = load.repairOutcome();
    if (repaired.messageKey >= 0 &&
        (repaired.messageKey != kMessageInterruptedRenamesRepaired || !arguments.quiet))
        SayWithNames(messages, repaired.messageKey, repaired.details);
    if (const int code = loadOutcomeCode(messages, outcome, {})) return code;
    kept = outcome.files;
    const auto pictures = [](int count) {
        return std::to_string(count) + (count == 1 ? " picture" : " pictures");
    };
    const LoadFolderResult& result = load.result();
    if (result.equalisedCount > 0)
        Tell(pictures(result.equalisedCount) + " renamed to equal number widths");
    if (result.completedCount > 0)
        Tell(pictures(result.completedCount) + " numbered on from the last number");
    return kDone;
}

}  // namespace lumaro::cli
