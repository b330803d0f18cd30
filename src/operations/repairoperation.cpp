// Finishing an interrupted operation from its journal, planned or run, as an outcome.
#include "operations/repairoperation.h"

#include "core/files/folderentries.h"
#include "core/settings/messagekeys.h"

namespace lumaro {

RepairOperation::RepairOperation(std::string folder)
    : folder_(WithTrailingSeparator(std::move(folder))) {}

NamingPlan RepairOperation::plan() const {
    const RepairPlan repair = PlanInterruptedRenames(folder_);
    NamingPlan plan;
    plan.renames = repair.renames;
    if (repair.journalFound && !repair.readable) {
        plan.outcome.messageKey = kMessageUnreadableJournalKept;
        plan.outcome.details = {folder_ + kRenameJournalName};
    }
    return plan;
}

Outcome RepairOperation::run(const RunOptions& options) {
    const FolderRun folderRun(folder_, options);
    if (folderRun.refusal()) return *folderRun.refusal();
    const JournalRepair repair = RepairInterruptedRenames(folder_);
    if (repair.folderBusy) return FolderBusyOutcome();
    Outcome outcome = RepairOutcome(folder_, repair);
    outcome.files = KeptFiles(repair.failures);
    if (!outcome.files.empty()) outcome.kind = OutcomeKind::SomeKept;
    return outcome;
}

Outcome RepairOutcome(const std::string& folder, const JournalRepair& repair) {
    Outcome outcome;
    if (repair.count() > 0) {
        outcome.messageKey = kMessageInterruptedRenamesRepaired;
        outcome.details = repair.renamedNames;
    } else if (!repair.keptJournal.empty()) {
        outcome.messageKey = kMessageUnreadableJournalKept;
        outcome.details = {folder + repair.keptJournal};
    }
    return outcome;
}

}  // namespace lumaro
