// Applying a proposal and cancelling an application: checked, locked, renamed, recorded.
#include "operations/applyoperation.h"

#include "operations/recordrenames.h"

namespace lumaro {

namespace {

NamingPlan planOf(const PictureList& list, const std::vector<RenamePair>& pairs,
                  const NameTakenBefore& takenBefore) {
    const RenameCheck check = CheckGroupRenames(list.currentFolder, pairs, takenBefore);
    return {RenamesOutcome(check.kept), FilesRenamedBy(check.go)};
}

}  // namespace

NamingPlan ApplyOperation::plan(const NameTakenBefore& takenBefore) const {
    return planOf(list_, ApplyPlan(list_), takenBefore);
}

Outcome ApplyOperation::run(const RunOptions& options) {
    nextSelection_ = -1;
    const FolderRun folderRun(list_.currentFolder, options);
    if (folderRun.refusal()) return *folderRun.refusal();
    ApplyOptions apply = options_;
    apply.progress = options.progress;
    const ApplyResult result = Apply(list_, apply);
    if (result.folderBusy) return FolderBusyOutcome();
    RecordRenames(options_.lastWasRenumber ? OperationKind::Renumber : OperationKind::Apply,
                  list_.currentFolder, result.done);
    nextSelection_ = result.nextSelection;
    return RenamesOutcome(result.failures, result.messageKey);
}

NamingPlan CancelApplyOperation::plan() const { return planOf(list_, CancelApplyPlan(list_), {}); }

Outcome CancelApplyOperation::run(const RunOptions& options) {
    const FolderRun folderRun(list_.currentFolder, options);
    if (folderRun.refusal()) return *folderRun.refusal();
    const bool renumbering = list_.pending.lastWasRenumber;
    const CancelApplyResult result = CancelApply(list_, options.progress);
    if (result.folderBusy) return FolderBusyOutcome();
    RecordRenames(renumbering ? OperationKind::CancelRenumber : OperationKind::CancelApply,
                  list_.currentFolder, result.done);
    return RenamesOutcome(result.failures, result.messageKey);
}

}  // namespace lumaro
