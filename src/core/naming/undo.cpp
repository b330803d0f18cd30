// Finding the last operation of a folder still intact on disk, and undoing it.
#include "core/naming/undo.h"

#include <cstring>
#include <utility>

#include "core/files/transfer.h"
#include "core/locking/folderlock.h"
#include "core/naming/renamepasses.h"
#include "core/picturefile/turnpicture.h"

namespace lumaro {

namespace {

std::string baseNameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// A file name as a picture entry: the extension split off after the last dot, kept only when
// the other name of the rename ends with it too.
PictureEntry entryOf(const std::string& name, const std::string& other = {}) {
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return {name, ""};
    const std::string extension = name.substr(dot);
    if (!other.empty() &&
        (other.size() <= extension.size() ||
         other.compare(other.size() - extension.size(), extension.size(), extension) != 0)) {
        return {name, ""};
    }
    return {name.substr(0, dot), extension};
}

// The name of the first file that is no longer as the operation left it; empty when intact.
std::string firstChanged(const std::string& folder, const HistoryOperation& operation) {
    for (const HistoryFile& file : operation.files) {
        const std::string path = PathAfter(folder, operation, file);
        HistoryFile now = file;
        if (!ReadIdentity(path, now) || !(now == file)) {
            return operation.effect == OperationEffect::Rename ? file.newName : path;
        }
    }
    return {};
}

// Each file's move by the undo: the operation's own, the other way.
std::vector<FileRename> movesOf(const HistoryOperation& operation) {
    std::vector<FileRename> moves = NamesOf(operation);
    for (FileRename& move : moves) std::swap(move.oldName, move.newName);
    return moves;
}

std::string describe(const std::string& name, const std::string& reason) {
    return name + " (" + reason + ")";
}

class Undoer {
public:
    Undoer(const std::string& folder, const HistoryOperation& done, const TrashHooks& trash,
           UndoResult& result)
        : folder_(folder), done_(done), trash_(trash), result_(result) {
        undo_.kind = OperationKind::Undo;
        undo_.place = done.place;
    }
    void run();
    const HistoryOperation& record() const { return undo_; }

private:
    void renameBack();
    void transfer(const std::string& from, const std::string& to, OperationEffect effect);
    void turnBack();
    void restore();
    void trashAgain();
    // A file back as it was; `shown` names it by its paths when it changed folders.
    void undone(std::string oldName, std::string newName, FileRename shown = {}) {
        result_.done.push_back(shown.oldName.empty() ? FileRename{oldName, newName} : shown);
        undo_.files.push_back({std::move(oldName), std::move(newName)});
        ++result_.undoneCount;
    }

    const std::string& folder_;
    const HistoryOperation& done_;
    const TrashHooks& trash_;
    UndoResult& result_;
    HistoryOperation undo_;
};

void Undoer::run() {
    switch (done_.effect) {
        case OperationEffect::Rename:
            return renameBack();
        case OperationEffect::MoveOut:
            return transfer(done_.place, folder_, OperationEffect::MoveIn);
        case OperationEffect::MoveIn:
            return transfer(folder_, done_.place, OperationEffect::MoveOut);
        case OperationEffect::Turn:
            return turnBack();
        case OperationEffect::ToTrash:
            return restore();
        case OperationEffect::FromTrash:
            return trashAgain();
    }
}

void Undoer::renameBack() {
    undo_.effect = OperationEffect::Rename;
    std::vector<RenamePair> back;
    back.reserve(done_.files.size());
    for (const HistoryFile& file : done_.files) {
        const PictureEntry now = entryOf(file.newName, file.oldName);
        const std::string toBase =
            now.extension.empty()
                ? file.oldName
                : file.oldName.substr(0, file.oldName.size() - now.extension.size());
        back.push_back({now, toBase});
    }
    RenamePassesResult passes = RenameInTwoPasses(folder_, back);
    for (const RenamePair& pair : passes.done) undone(pair.from.fileName(), pair.toFileName());
    for (const RenameFailure& failure : passes.failures) {
        result_.failures.push_back(describe(failure.fromName, std::strerror(failure.result.error)));
    }
}

// Files the operation moved between the folder and `done_.place` go back, each verified.
void Undoer::transfer(const std::string& from, const std::string& to, OperationEffect effect) {
    undo_.effect = effect;
    std::vector<PictureEntry> pictures;
    for (const HistoryFile& file : done_.files) pictures.push_back(entryOf(file.newName));
    for (const TransferOutcome& outcome : TransferPictures(from, pictures, to)) {
        if (outcome.moved()) {
            undone(baseNameOf(outcome.source), baseNameOf(outcome.target),
                   {outcome.source, outcome.target});
        } else {
            const std::string reason = outcome.error ? std::strerror(outcome.error) : "not moved";
            result_.failures.push_back(describe(outcome.source, reason));
        }
    }
}

void Undoer::turnBack() {
    undo_.effect = OperationEffect::Turn;
    undo_.angle = (360 - done_.angle) % 360;
    for (const HistoryFile& file : done_.files) {
        const TurnPictureResult turned = TurnPicture(folder_ + file.newName, undo_.angle);
        if (!turned.ok()) {
            result_.failures.push_back(describe(file.newName, turned.detail));
            continue;
        }
        undo_.lossless = undo_.lossless && turned.lossless;
        undone(file.newName, file.newName);
    }
}

void Undoer::restore() {
    undo_.effect = OperationEffect::FromTrash;
    for (const HistoryFile& file : done_.files) {
        const std::string error = trash_.fromTrash
                                      ? trash_.fromTrash(file.newName, folder_ + file.oldName)
                                      : std::string("no Trash");
        if (error.empty()) {
            undone(file.newName, file.oldName);
        } else {
            result_.failures.push_back(describe(file.newName, error));
        }
    }
}

void Undoer::trashAgain() {
    undo_.effect = OperationEffect::ToTrash;
    for (const HistoryFile& file : done_.files) {
        std::string pathInTrash;
        const std::string error =
            trash_.toTrash ? trash_.toTrash(folder_ + file.newName, pathInTrash) : "no Trash";
        if (error.empty()) {
            undone(file.newName, pathInTrash);
        } else {
            result_.failures.push_back(describe(file.newName, error));
        }
    }
}

}  // namespace

std::vector<FileRename> FileRenamesOfPairs(const std::vector<RenamePair>& pairs) {
    std::vector<FileRename> renames;
    renames.reserve(pairs.size());
    for (const RenamePair& pair : pairs) {
        for (FileRename& rename : FileRenamesOf(pair)) renames.push_back(std::move(rename));
    }
    return renames;
}

void RecordRenames(OperationKind kind, const std::string& folder,
                   const std::vector<RenamePair>& done) {
    RecordOperation(folder, RenameOperation(kind, FileRenamesOfPairs(done)));
}

UndoPlan PlanUndo(const std::string& given) {
    UndoPlan plan;
    const std::string folder = CanonicalFolder(given);
    const std::vector<HistoryOperation> history = ReadHistory(folder);
    for (size_t i = history.size(); i-- > 0;) {
        const std::string changed = firstChanged(folder, history[i]);
        if (!changed.empty()) {
            if (plan.changedName.empty()) plan.changedName = changed;
            continue;
        }
        plan.operation = history[i];
        plan.number = static_cast<int>(history.size() - i);
        plan.moves = movesOf(plan.operation);
        plan.status = plan.operation.effect == OperationEffect::Turn && !plan.operation.lossless
                          ? UndoPlan::Status::Lossy
                          : UndoPlan::Status::Ready;
        return plan;
    }
    if (!history.empty()) plan.status = UndoPlan::Status::Changed;
    return plan;
}

UndoResult UndoLastOperation(const std::string& given, const TrashHooks& trash) {
    UndoResult result;
    const std::string folder = CanonicalFolder(given);
    const FolderLock lock(folder);
    result.folderBusy = lock.busy();
    if (result.folderBusy) return result;
    result.plan = PlanUndo(folder);
    if (!result.plan.ready()) return result;
    Undoer undoer(folder, result.plan.operation, trash, result);
    undoer.run();
    RecordOperation(folder, undoer.record());
    return result;
}

}  // namespace lumaro
