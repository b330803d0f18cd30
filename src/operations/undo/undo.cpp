// Carrying out an undo or a redo as its plan says, and recording it in the history.
#include "operations/undo/undo.h"

#include <algorithm>
#include <utility>

#include "core/clockshift/shiftfile.h"
#include "core/disks/namecase.h"
#include "core/files/transfer.h"
#include "core/locking/folderlock.h"
#include "core/renaming/renamepasses.h"
#include "core/settings/messagekeys.h"
#include "core/thumbnails/sharedthumbnails.h"
#include "core/turning/turnpicture.h"
#include "operations/filereasons.h"
#include "trash/trash.h"

namespace lumaro {

namespace {

std::string baseNameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

OperationEffect reverseOf(OperationEffect effect) {
    switch (effect) {
        case OperationEffect::MoveOut:
            return OperationEffect::MoveIn;
        case OperationEffect::MoveIn:
            return OperationEffect::MoveOut;
        case OperationEffect::ToTrash:
            return OperationEffect::FromTrash;
        case OperationEffect::FromTrash:
            return OperationEffect::ToTrash;
        default:
            return effect;
    }
}

// Carries out a plan, group by group, and keeps the record of what it did.
class Undoer {
public:
    Undoer(const std::string& folder, const UndoPlan& plan, UndoResult& result)
        : folder_(folder), plan_(plan), files_(plan.reversed.files), result_(result) {
        record_.kind = plan.operation.kind;
        record_.effect = reverseOf(plan.reversed.effect);
        record_.place = plan.reversed.place;
        record_.angle = plan.angle;
        record_.shift = -plan.reversed.shift;
        record_.device = plan.reversed.device;
        record_.step = plan.redo ? HistoryStep::Redo : HistoryStep::Undo;
        record_.target = plan.operation.id;
        result_.failures = plan.kept;
    }
    void run();
    const HistoryOperation& record() const { return record_; }

private:
    void renameBack();
    void transfer(const std::string& from, const std::string& to);
    void turnBack();
    void shiftBack();
    void restore();
    void trashAgain();
    // A file moved: by its name before and after, in the folders the record's effect names.
    void undone(std::string oldName, std::string newName, bool companion) {
        record_.files.push_back({std::move(oldName), std::move(newName)});
        record_.files.back().companion = companion;
        ++result_.undoneCount;
    }

    const std::string& folder_;
    const UndoPlan& plan_;
    const std::vector<HistoryFile>& files_;
    UndoResult& result_;
    HistoryOperation record_;
};

void Undoer::run() {
    switch (plan_.reversed.effect) {
        case OperationEffect::Rename:
            renameBack();
            break;
        case OperationEffect::MoveOut:
            transfer(plan_.reversed.place, folder_);
            break;
        case OperationEffect::MoveIn:
            transfer(folder_, plan_.reversed.place);
            break;
        case OperationEffect::Turn:
            turnBack();
            break;
        case OperationEffect::Shift:
            shiftBack();
            break;
        case OperationEffect::ToTrash:
            restore();
            break;
        case OperationEffect::FromTrash:
            trashAgain();
            break;
    }
    result_.done = NamesOf(record_);
}

PictureEntry entryOf(const UndoGroup& group) {
    return {group.fromBase, group.rests.front(), {group.rests.begin() + 1, group.rests.end()}};
}

void Undoer::renameBack() {
    std::vector<RenamePair> back;
    back.reserve(plan_.groups.size());
    for (const UndoGroup& group : plan_.groups) back.push_back({entryOf(group), group.targetBase});
    RenamePassesResult passes = RenameInTwoPasses(folder_, back);
    for (const RenamePair& pair : passes.done) {
        const std::vector<FileRename> renames = FileRenamesOf(pair);
        for (size_t k = 0; k < renames.size(); ++k)
            undone(renames[k].oldName, renames[k].newName, k > 0);
    }
    for (const RenameFailure& failure : passes.failures) {
        result_.failures.push_back(KeptFile(failure.fromName));
        result_.failures.back().error = failure.result.error;
    }
}

// Groups the record moved between the folder and its place go back, each verified, under the
// names the plan chose.
void Undoer::transfer(const std::string& from, const std::string& to) {
    std::vector<PictureEntry> pictures;
    TransferOptions options;
    for (const UndoGroup& group : plan_.groups) {
        pictures.push_back(entryOf(group));
        options.targetBases.push_back(group.targetBase);
    }
    const std::vector<TransferOutcome> outcomes = TransferPictures(from, pictures, to, options);
    for (size_t g = 0; g < outcomes.size(); ++g) {
        const TransferOutcome& outcome = outcomes[g];
        if (!outcome.moved()) {
            result_.failures.emplace_back();
            TakeReason(outcome, result_.failures.back());
            continue;
        }
        const std::vector<std::string>& rests = plan_.groups[g].rests;
        const std::string arrived = baseNameOf(outcome.target);
        const std::string base = arrived.substr(0, arrived.size() - rests.front().size());
        for (size_t k = 0; k < rests.size(); ++k)
            undone(pictures[g].base + rests[k], base + rests[k], k > 0);
    }
}

void Undoer::turnBack() {
    for (const HistoryFile& file : files_) {
        const TurnPictureResult turned = TurnPicture(folder_ + file.newName, plan_.angle);
        if (!turned.ok()) {
            result_.failures.push_back(KeptFile(file.newName));
            TakeReason(turned, result_.failures.back());
            continue;
        }
        record_.lossless = record_.lossless && turned.lossless;
        undone(file.newName, file.newName, false);
    }
}

// Each file's dates move back by as much as the record moved them.
void Undoer::shiftBack() {
    for (const HistoryFile& file : files_) {
        const ShiftFileResult shifted = ShiftFileDates(folder_ + file.newName, record_.shift, true);
        if (!shifted.ok()) {
            result_.failures.push_back(KeptFile(file.newName));
            TakeReason(shifted, result_.failures.back());
            continue;
        }
        undone(file.newName, file.newName, file.companion);
    }
}

// Each group comes back whole from the Trash, or stays there whole when a name is taken.
void Undoer::restore() {
    const TakenNames onDisk(folder_, NameMatchOfFolder(folder_));
    for (const UndoGroup& group : plan_.groups) {
        if (group.kept) continue;
        const HistoryFile& picture = files_[group.files.front()];
        const bool taken = std::any_of(group.files.begin(), group.files.end(),
                                       [&](size_t f) { return onDisk.taken(files_[f].oldName); });
        if (taken) {
            result_.failures.push_back(KeptFile(picture.oldName));
            result_.failures.back().messageKey = kMessageNameTaken;
            continue;
        }
        for (const size_t f : group.files) {
            const HistoryFile& file = files_[f];
            const TrashOutcome back = RestoreFromTrash(file.newName, folder_ + file.oldName);
            if (back.failed()) {
                result_.failures.push_back(KeptFile(file.newName));
                TakeReason(back, result_.failures.back());
                break;
            }
            undone(file.newName, file.oldName, f != group.files.front());
        }
    }
}

// Each group goes to the Trash again; a picture that cannot keeps its companions beside it.
void Undoer::trashAgain() {
    for (const UndoGroup& group : plan_.groups) {
        for (const size_t f : group.files) {
            const HistoryFile& file = files_[f];
            const TrashOutcome trashed = MoveToTrash(folder_ + file.newName);
            if (!trashed.moved()) {
                result_.failures.push_back(KeptFile(file.newName));
                TakeReason(trashed, result_.failures.back());
                if (f == group.files.front()) break;
                continue;
            }
            undone(file.newName, trashed.pathInTrash, f != group.files.front());
        }
    }
}

// The shared thumbnails of every name the step changed; a turn changes none.
void forgetThumbnails(const std::string& folder, const HistoryOperation& record) {
    if (record.effect == OperationEffect::Turn) return;
    std::vector<std::string> paths;
    paths.reserve(2 * record.files.size());
    for (const HistoryFile& file : record.files) {
        paths.push_back(PathBefore(folder, record, file));
        paths.push_back(PathAfter(folder, record, file));
    }
    RemoveSharedThumbnails(paths);
}

// Whether the plan made now is the one that was shown.
bool samePlan(const UndoPlan& asked, const UndoPlan& now) {
    return asked.redo == now.redo && asked.reversed.id == now.reversed.id &&
           asked.moves == now.moves && asked.kept == now.kept;
}

UndoResult busy() {
    UndoResult result;
    result.folderBusy = true;
    return result;
}

UndoResult carryOut(const std::string& folder, UndoPlan plan, const UndoPlan* asked) {
    UndoResult result;
    result.plan = std::move(plan);
    if (!result.plan.ready()) return result;
    if (asked && !samePlan(*asked, result.plan)) {
        result.plan.status = UndoPlan::Status::Changed;
        return result;
    }
    Undoer undoer(folder, result.plan, result);
    undoer.run();
    RecordOperation(folder, undoer.record());
    forgetThumbnails(folder, undoer.record());
    return result;
}

}  // namespace

UndoResult UndoLastOperation(const std::string& given, const UndoPlan* asked) {
    const std::string folder = CanonicalFolder(given);
    const FolderLock lock(folder);
    if (lock.busy()) return busy();
    return carryOut(folder, PlanUndo(folder), asked);
}

UndoResult RedoLastUndo(const std::string& given, const UndoPlan* asked) {
    const std::string folder = CanonicalFolder(given);
    const FolderLock lock(folder);
    if (lock.busy()) return busy();
    return carryOut(folder, PlanRedo(folder), asked);
}

}  // namespace lumaro
