// Deleting pictures to the Trash or for good, under the folders' lock, recorded.
#include "operations/picturedeletion.h"

#include "core/files/fileoperations.h"
#include "core/history/history.h"
#include "core/listing/folderlisting.h"
#include "core/settings/messagekeys.h"
#include "operations/filereasons.h"
#include "trash/trash.h"

namespace lumaro {

PictureDeletion::PictureDeletion(std::vector<std::string> paths, bool withCompanions,
                                 bool permanent)
    : paths_(std::move(paths)), withCompanions_(withCompanions), permanent_(permanent) {}

std::vector<PictureDeletion::File> PictureDeletion::files() const {
    std::vector<File> files;
    for (const std::string& path : paths_) {
        files.push_back({path});
        if (!withCompanions_) continue;
        const size_t slash = path.rfind('/');
        const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
        for (const std::string& name : CompanionNamesOf(folder, path.substr(folder.size())))
            files.push_back({folder + name, true});
    }
    return files;
}

PicturePlan PictureDeletion::plan() const {
    PicturePlan plan;
    if (std::optional<Outcome> readOnly = ReadOnlyRefusal(FoldersOf(paths_))) {
        plan.outcome = std::move(*readOnly);
        return plan;
    }
    for (const File& file : files()) {
        TrashOutcome refused;
        refused.refusal = permanent_ ? TrashRefusal::None : CheckTrashTakes(file.path);
        if (!refused.failed()) {
            plan.changes.push_back({file.path});
            continue;
        }
        plan.outcome.files.push_back(KeptFile(file.path));
        TakeReason(refused, plan.outcome.files.back());
    }
    MarkSomeKept(plan.outcome, kMessageDeleteFailed);
    return plan;
}

Outcome PictureDeletion::run(const RunOptions& options, const DeleteForGood& forGood) {
    changed_.clear();
    const std::vector<std::string> folders = FoldersOf(paths_);
    const FolderRun run(folders, options);
    if (run.refusal()) return *run.refusal();
    if (std::optional<Outcome> readOnly = ReadOnlyRefusal(folders)) return *readOnly;
    Outcome outcome;
    HistoryOperation trashed = TrashOperation();
    bool pictureTrashed = false;  // a companion goes with its picture only when that went too
    for (const File& file : files()) {
        OutcomeFile kept = KeptFile(file.path);
        if (!permanent_) {
            const TrashOutcome moved = MoveToTrash(file.path);
            if (!file.companion) pictureTrashed = moved.moved();
            if (moved.moved()) {
                trashed.files.push_back({file.path, moved.pathInTrash});
                trashed.files.back().companion = file.companion && pictureTrashed;
                changed_.push_back({file.path, moved.pathInTrash});
                continue;
            }
            TakeReason(moved, kept);
            // Only when the Trash cannot take a file may it be deleted permanently.
            if (!forGood || !forGood(kept)) {
                outcome.files.push_back(kept);
                continue;
            }
        }
        kept.messageKey = -1;
        kept.error = DeletePictureFile(file.path);
        if (kept.error == 0) {
            changed_.push_back({file.path});
        } else {
            outcome.files.push_back(kept);
        }
    }
    RecordByFolder(trashed);
    RemoveThumbnailsOf(changed_);
    MarkSomeKept(outcome, kMessageDeleteFailed);
    return outcome;
}

}  // namespace lumaro
