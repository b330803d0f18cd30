// Deleting pictures to the Trash or for good, under the folders' lock, recorded.
#include "operations/picturedeletion.h"

#include <algorithm>

#include "core/files/fileoperations.h"
#include "core/history/history.h"
#include "core/listing/folderlisting.h"
#include "core/settings/messagekeys.h"
#include "operations/filereasons.h"
#include "trash/trash.h"

namespace lumaro {

namespace {

OutcomeFile deletedForGood(const std::string& path) {
    OutcomeFile file;
    file.name = path;
    file.error = DeletePictureFile(path);
    return file;
}

}  // namespace

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

Outcome PictureDeletion::plan() const {
    Outcome outcome;
    for (const File& file : files()) {
        OutcomeFile planned;
        planned.name = file.path;
        TrashOutcome refused;
        refused.refusal = permanent_ ? TrashRefusal::None : CheckTrashTakes(file.path);
        if (refused.failed()) TakeReason(refused, planned);
        outcome.files.push_back(planned);
    }
    MarkSomeKept(outcome, kMessageDeleteFailed);
    return outcome;
}

Outcome PictureDeletion::run(const RunOptions& options, const DeleteForGood& forGood) const {
    std::vector<std::string> folders;
    for (const std::string& path : paths_) folders.push_back(FolderOfPath(path));
    const FolderRun run(folders, options);
    if (run.refusal()) return *run.refusal();
    Outcome outcome;
    HistoryOperation trashed = TrashOperation();
    bool pictureTrashed = false;  // a companion goes with its picture only when that went too
    for (const File& file : files()) {
        if (permanent_) {
            outcome.files.push_back(deletedForGood(file.path));
            continue;
        }
        const TrashOutcome moved = MoveToTrash(file.path);
        if (!file.companion) pictureTrashed = moved.moved();
        OutcomeFile done;
        done.name = file.path;
        done.newName = moved.pathInTrash;
        if (moved.moved()) {
            trashed.files.push_back({file.path, moved.pathInTrash});
            trashed.files.back().companion = file.companion && pictureTrashed;
        } else {
            TakeReason(moved, done);
            if (forGood && forGood(done)) done = deletedForGood(file.path);
        }
        outcome.files.push_back(done);
    }
    RecordByFolder(trashed);
    MarkSomeKept(outcome, kMessageDeleteFailed);
    return outcome;
}

}  // namespace lumaro
