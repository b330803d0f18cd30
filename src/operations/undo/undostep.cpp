// An undo or a redo as one operation: planned, then run under the folder's lock.
#include "operations/undo/undostep.h"

#include "core/settings/messagekeys.h"
#include "operations/filereasons.h"

namespace lumaro {

namespace {

// Why a plan cannot be carried out; Done when it can.
Outcome refusalOf(const UndoPlan& plan) {
    Outcome outcome;
    if (plan.ready()) return outcome;
    outcome.kind = OutcomeKind::Refused;
    switch (plan.status) {
        case UndoPlan::Status::Nothing:
            outcome.messageKey = plan.redo ? kMessageNothingToRedo : kMessageNothingToUndo;
            break;
        case UndoPlan::Status::Changed:
            outcome.messageKey = plan.redo ? kMessageRedoChanged : kMessageUndoChanged;
            if (!plan.changedName.empty()) outcome.details.push_back(plan.changedName);
            break;
        case UndoPlan::Status::Lossy:
            outcome.messageKey = kMessageUndoLossy;
            break;
        case UndoPlan::Status::Ready:
            break;
    }
    return outcome;
}

// Each file's move, then each file that stays.
Outcome filesOf(const std::vector<FileRename>& moves, const std::vector<OutcomeFile>& kept) {
    Outcome outcome;
    for (const FileRename& move : moves) outcome.files.push_back({move.oldName, move.newName});
    outcome.files.insert(outcome.files.end(), kept.begin(), kept.end());
    MarkSomeKept(outcome, kMessageUndoFailed);
    return outcome;
}

}  // namespace

UndoStep::UndoStep(std::string folder, Direction direction)
    : folder_(std::move(folder)), direction_(direction) {}

Outcome UndoStep::plan() {
    plan_ = direction_ == Direction::Redo ? PlanRedo(folder_) : PlanUndo(folder_);
    planned_ = true;
    const Outcome refused = refusalOf(plan_);
    if (!refused.done()) return refused;
    return filesOf(plan_.moves, plan_.kept);
}

Outcome UndoStep::run(const RunOptions& options, const std::function<void()>& beforeChanges) {
    const FolderRun run(folder_, options);
    if (run.refusal()) return *run.refusal();
    if (beforeChanges) beforeChanges();
    const UndoPlan* asked = planned_ ? &plan_ : nullptr;
    const UndoResult result = direction_ == Direction::Redo ? RedoLastUndo(folder_, asked)
                                                            : UndoLastOperation(folder_, asked);
    if (!planned_) plan_ = result.plan;
    planned_ = true;
    if (result.folderBusy) return FolderBusyOutcome();
    const Outcome refused = refusalOf(result.plan);
    if (!refused.done()) return refused;
    return filesOf(result.done, result.failures);
}

}  // namespace lumaro
