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

// The files that stay where they are, each with why.
Outcome keptOutcome(const std::vector<OutcomeFile>& kept) {
    Outcome outcome;
    outcome.files = kept;
    MarkSomeKept(outcome, kMessageUndoFailed);
    return outcome;
}

std::vector<ChangedFile> changesOf(const std::vector<FileRename>& moves) {
    std::vector<ChangedFile> changes;
    for (const FileRename& move : moves) changes.push_back({move.oldName, move.newName});
    return changes;
}

}  // namespace

UndoStep::UndoStep(std::string folder, Direction direction)
    : folder_(std::move(folder)), direction_(direction) {}

PicturePlan UndoStep::plan() {
    plan_ = direction_ == Direction::Redo ? PlanRedo(folder_) : PlanUndo(folder_);
    planned_ = true;
    PicturePlan plan;
    plan.outcome = refusalOf(plan_);
    if (!plan.outcome.done()) return plan;
    if (std::optional<Outcome> readOnly = ReadOnlyRefusal({folder_})) {
        plan.outcome = std::move(*readOnly);
        return plan;
    }
    plan.outcome = keptOutcome(plan_.kept);
    plan.changes = changesOf(plan_.moves);
    return plan;
}

Outcome UndoStep::run(const RunOptions& options, const std::function<void()>& beforeChanges) {
    changed_.clear();
    const FolderRun run(folder_, options);
    if (run.refusal()) return *run.refusal();
    if (std::optional<Outcome> readOnly = ReadOnlyRefusal({folder_})) return *readOnly;
    if (beforeChanges) beforeChanges();
    const UndoPlan* asked = planned_ ? &plan_ : nullptr;
    const UndoResult result = direction_ == Direction::Redo ? RedoLastUndo(folder_, asked)
                                                            : UndoLastOperation(folder_, asked);
    if (!planned_) plan_ = result.plan;
    planned_ = true;
    if (result.folderBusy) return FolderBusyOutcome();
    const Outcome refused = refusalOf(result.plan);
    if (!refused.done()) return refused;
    changed_ = changesOf(result.done);
    return keptOutcome(result.failures);
}

}  // namespace lumaro
