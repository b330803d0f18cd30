// Loading a folder, planned or run, as an outcome; its renames recorded in the history.
#include "operations/loadoperation.h"

#include <algorithm>

#include "core/files/folderentries.h"
#include "core/names/namecompare.h"
#include "core/settings/messagekeys.h"
#include "operations/recordrenames.h"
#include "operations/repairoperation.h"

namespace lumaro {

namespace {

Outcome refused(int key, std::vector<std::string> details = {}) {
    Outcome outcome;
    outcome.kind = OutcomeKind::Refused;
    outcome.messageKey = key;
    outcome.details = std::move(details);
    return outcome;
}

// How a load ended, the pictures that kept their names on the way among its files.
Outcome outcomeOf(const LoadFolderResult& result, const PictureList& list) {
    Outcome outcome;
    switch (result.outcome) {
        case LoadOutcome::Loaded:
        case LoadOutcome::LeftUnnumbered:
        case LoadOutcome::FirstNumbered:
            return RenamesOutcome(result.failedRenames);
        case LoadOutcome::Cancelled:  // the user gave no numbering: nothing says why
            outcome = refused(-1);
            break;
        case LoadOutcome::NoPictures:
            outcome = refused(kMessageNoFilesOfType, {list.fileType});
            break;
        case LoadOutcome::Unreadable:
            outcome = refused(kMessageFolderUnreadable, {list.currentFolder});
            outcome.kind = OutcomeKind::Unusable;
            break;
        case LoadOutcome::TooManyPictures:
            outcome = refused(kMessageStartNumberTooLarge);
            break;
        case LoadOutcome::InsertWouldUnnumber:
            outcome = refused(kMessageInsertWouldUnnumber, result.refusedNames);
            break;
        case LoadOutcome::FolderBusy:
            return FolderBusyOutcome();
    }
    outcome.files = KeptFiles(result.failedRenames);
    return outcome;
}

// Each file of the planned renames, in name order of their present names.
std::vector<FileRename> plannedFiles(const LoadFolderResult& plan) {
    std::vector<FileRename> renames = FilesRenamedBy(plan.plannedRenames);
    std::sort(renames.begin(), renames.end(), [](const FileRename& a, const FileRename& b) {
        return CompareNames(a.oldName, b.oldName) < 0;
    });
    return renames;
}

}  // namespace

FolderLoadOperation::FolderLoadOperation(PictureList& list, LoadFolderOptions options)
    : list_(list), options_(std::move(options)) {}

NamingPlan FolderLoadOperation::plan() {
    result_ = PlanFolderLoad(list_, options_);
    return {outcomeOf(result_, list_), plannedFiles(result_)};
}

Outcome FolderLoadOperation::run(const RunOptions& options) {
    result_ = {};
    if (!list_.currentFolder.empty())
        list_.currentFolder = WithTrailingSeparator(list_.currentFolder);
    const FolderRun folderRun(list_.currentFolder, options);
    if (folderRun.refusal()) {
        if (folderRun.refusal()->kind == OutcomeKind::FolderBusy) {  // nothing read
            list_.forgetPictures();
            result_.outcome = LoadOutcome::FolderBusy;
        }
        return *folderRun.refusal();
    }
    LoadFolderOptions load = options_;
    load.progress = options.progress;
    result_ = LoadFolder(list_, load);
    RecordFileRenames(OperationKind::Load, list_.currentFolder, result_.made,
                      result_.madeCompanions);
    return outcomeOf(result_, list_);
}

Outcome FolderLoadOperation::repairOutcome() const {
    return RepairOutcome(list_.currentFolder, result_.repair);
}

}  // namespace lumaro
