// Moving pictures to another folder: planned by free names, run under both folders' locks,
// recorded in the picture folder's history.
#include "operations/picturetransfer.h"

#include <sys/stat.h>

#include <algorithm>
#include <set>

#include "core/disks/filesystem.h"
#include "core/disks/namecase.h"
#include "core/files/createfolder.h"
#include "core/files/fileoperations.h"
#include "core/files/transfer.h"
#include "core/history/history.h"
#include "core/names/freename.h"
#include "core/names/refusedcharacters.h"
#include "core/settings/messagekeys.h"
#include "operations/filereasons.h"

namespace lumaro {

namespace {

Outcome refused() {
    Outcome outcome;
    outcome.kind = OutcomeKind::Refused;
    return outcome;
}

// The destination could not be made: nothing was moved.
Outcome notMade(const std::string& destination, int error) {
    Outcome outcome;
    outcome.kind = OutcomeKind::Unusable;
    outcome.messageKey = kMessageCannotCreateFolder;
    outcome.error = error;
    outcome.details = {destination};
    return outcome;
}

// A picture whose group holds a name the destination's disk refuses stays, as the run keeps it.
bool keptForItsName(const std::string& folder, const PictureEntry& entry,
                    const std::vector<const std::string*>& rests, Outcome& outcome) {
    for (const std::string* rest : rests) {
        if (!RefusedCharacterIn(entry.base + *rest)) continue;
        outcome.files.push_back(KeptFile(folder + entry.fileName()));
        outcome.files.back().error = EINVAL;
        TakeRefusedName(entry.base + *rest, outcome.files.back());
        return true;
    }
    return false;
}

}  // namespace

PictureTransfer::PictureTransfer(std::string folder, std::vector<PictureEntry> pictures,
                                 std::string destination)
    : folder_(std::move(folder)),
      pictures_(std::move(pictures)),
      destination_(std::move(destination)) {}

// For each picture the first name of NthFreeName's series free for the picture and every
// companion, free also of the files planned before it, as TransferPictures chooses it.
PicturePlan PictureTransfer::plan() const {
    PicturePlan plan;
    if (IsSameFolder(folder_, destination_)) {
        plan.outcome = refused();
        return plan;
    }
    TakenNames destination(destination_, NameMatchOfFolder(destination_));
    const auto taken = [&](const std::string& name) { return destination.taken(name); };
    const bool windowsNames = HoldsWindowsNames(destination_);
    for (const PictureEntry& entry : pictures_) {
        std::vector<const std::string*> rests{&entry.extension};
        for (const std::string& rest : entry.companions) rests.push_back(&rest);
        if (windowsNames && keptForItsName(folder_, entry, rests, plan.outcome)) continue;
        const int n = FirstFreeNumber(entry.base, rests, taken, 1, kMostFreeNames);
        const std::string base = NthFreeName(entry.base, n);
        for (const std::string* rest : rests) {
            destination.add(base + *rest);
            plan.changes.push_back({folder_ + entry.base + *rest, destination_ + base + *rest});
        }
    }
    MarkSomeKept(plan.outcome, kMessageCopyFailed);
    return plan;
}

Outcome PictureTransfer::run(const RunOptions& options,
                             const std::function<void(int k)>& beforeEach) {
    changed_.clear();
    if (IsSameFolder(folder_, destination_)) return refused();
    // The picture folder's history records the transfer; the destination is locked too, a
    // destination still to be made once it exists.
    const FolderRun run(folder_, options);
    if (run.refusal()) return *run.refusal();
    FolderLock destination(destination_);
    if (destination.busy()) return FolderBusyOutcome();
    if (const int error = CreateFolder(destination_, {.allLevels = false}))
        return notMade(destination_, error);
    destination = FolderLock(destination_);
    if (destination.busy()) return FolderBusyOutcome();
    TransferOptions transfer;
    transfer.beforeEach = beforeEach;
    const std::vector<TransferOutcome> moved =
        TransferPictures(folder_, pictures_, destination_, transfer);
    RecordTransfer(folder_, destination_, pictures_, moved);
    Outcome outcome;
    for (size_t k = 0; k < moved.size() && k < pictures_.size(); ++k) {
        if (!moved[k].moved()) {
            outcome.files.emplace_back();
            TakeReason(moved[k], outcome.files.back());
            continue;
        }
        const PictureEntry& entry = pictures_[k];
        const std::string& target = moved[k].target;
        const std::string targetBase = target.substr(0, target.size() - entry.extension.size());
        changed_.push_back({moved[k].source, target});
        for (const std::string& rest : entry.companions)
            changed_.push_back({folder_ + entry.base + rest, targetBase + rest});
    }
    RemoveThumbnailsOf(changed_);
    MarkSomeKept(outcome, kMessageCopyFailed);
    return outcome;
}

}  // namespace lumaro
