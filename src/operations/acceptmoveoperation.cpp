// Accepting the moves: checked, locked, renamed, recorded.
#include "operations/acceptmoveoperation.h"

#include "core/settings/messagekeys.h"
#include "operations/recordrenames.h"

namespace lumaro {

namespace {

Outcome outdated() {
    Outcome refused;
    refused.kind = OutcomeKind::Refused;
    refused.messageKey = kMessageMoveOutdated;
    return refused;
}

}  // namespace

NamingPlan AcceptMoveOperation::plan(const NameTakenBefore& takenBefore) const {
    if (!MoveSequenceHolds(list_, moveInProgress_)) return {outdated(), {}};
    std::vector<RenameFailure> kept;
    const std::vector<RenamePair> pairs = AcceptMovePlan(list_, kept);
    RenameCheck check = CheckGroupRenames(list_.currentFolder, pairs, takenBefore);
    kept.insert(kept.end(), check.kept.begin(), check.kept.end());
    return {RenamesOutcome(kept), FilesRenamedBy(check.go)};
}

Outcome AcceptMoveOperation::run(const RunOptions& options) {
    const FolderRun folderRun(list_.currentFolder, options);
    if (folderRun.refusal()) return *folderRun.refusal();
    const AcceptMoveResult result = AcceptMove(list_, moveInProgress_, options.progress);
    if (result.folderBusy) return FolderBusyOutcome();
    if (result.messageKey == kMessageMoveOutdated) return outdated();
    RecordRenames(OperationKind::AcceptMove, list_.currentFolder, result.done);
    return RenamesOutcome(result.failures, result.messageKey);
}

}  // namespace lumaro
