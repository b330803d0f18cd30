// Loading a folder: one number width for every name, numbers for the unnumbered, a first numbering.
#include "core/renaming/folderload.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <unordered_map>

#include "core/disks/filesystem.h"
#include "core/disks/namecase.h"
#include "core/journal/renamejournal.h"
#include "core/locking/folderlock.h"
#include "core/naming/numberedname.h"
#include "core/renaming/renamecheck.h"
#include "core/renaming/renamepasses.h"
#include "core/settings/messagekeys.h"

namespace lumaro {

namespace {

constexpr long long kLargestNumber = 999999;

int digitsOf(long long number) {
    int digits = 1;
    for (; number >= 10; number /= 10) ++digits;
    return digits;
}

// The leading run of numbered names of a listing: their widths and the last of them.
struct WidthScan {
    int minWidth = 100;
    int maxWidth = 0;
    int lastIndex = -1;
    long long lastNumber = 0;
    bool allNumbered = true;
};

WidthScan scanWidths(const std::vector<PictureEntry>& entries) {
    WidthScan scan;
    for (size_t i = 0; i < entries.size(); ++i) {
        const int width = NumberPrefixWidth(entries[i].base);
        if (width < 1) {
            scan.allNumbered = false;
            break;
        }
        scan.maxWidth = std::max(scan.maxWidth, width);
        scan.minWidth = std::min(scan.minWidth, width);
        scan.lastIndex = static_cast<int>(i);
        scan.lastNumber = ReadAsNumber(entries[i].base);
    }
    return scan;
}

// The new name of a picture that the completion numbers: a numbered picture keeps its
// caption; a name without caption becomes number-only.
std::string completedName(const std::string& base, long long number, int width) {
    bool hasCaption = false;
    const std::string_view caption = CaptionOf(base, &hasCaption);
    return hasCaption ? CaptionedName(number, width, caption) : NumberOnlyName(number, width);
}

// Loads a folder, or with `planOnly` works out the same load on the names alone: its renames
// are then recorded instead of made, and every listing after them is the folder's listing
// under the planned names.
class Loader {
public:
    Loader(PictureList& list, const LoadFolderOptions& options, bool planOnly)
        : list_(list), options_(options), planOnly_(planOnly) {}
    LoadFolderResult run();

private:
    void relist(ListCriterion criterion);
    void noteMade(const std::vector<RenamePair>& done);
    void noteMade(const FileRename& rename, bool companion);
    bool renamePicture(RenameJournal& journal, const RenamePair& pair);
    std::vector<RenamePair> renameAll(const std::vector<RenamePair>& pairs);
    bool keptByCheck(const RenamePair& pair);
    bool planRename(const PictureEntry& from, const std::string& toBase);
    bool nameTaken(const std::string& fileName) const;
    std::vector<RenamePair> plannedRenames() const;
    void firstNumbering();
    void numberInListOrder(bool insert);
    void normalise();
    void padWidths(int width);
    void completeNumbering(int width);

    PictureList& list_;
    const LoadFolderOptions& options_;
    const bool planOnly_;
    LoadFolderResult result_;
    // Plan only: the rename planned for each picture by its present file name, and the
    // present file name of each picture by its planned file name.
    // Both compare names as the folder does (names_, asked at the first listing).
    NameMatch names_;
    NameMap<std::string, RenamePair> planned_;
    NameMap<std::string, std::string> presentNames_;
    std::optional<TakenNames> onDisk_;
    // The renames made, each picture from its name before the load to its last name, and the
    // place of each in it by its present name.
    std::vector<FileRename> made_;
    std::vector<bool> madeCompanions_;  // whether each of made_ is a companion
    std::unordered_map<std::string, size_t> madeAt_;
};

// A picture renamed twice by one load is one rename from its first name to its last.
void Loader::noteMade(const std::vector<RenamePair>& done) {
    for (const RenamePair& pair : done) {
        const std::vector<FileRename> files = FileRenamesOf(pair);
        for (size_t k = 0; k < files.size(); ++k) noteMade(files[k], k > 0);
    }
}

void Loader::noteMade(const FileRename& rename, bool companion) {
    const auto earlier = madeAt_.find(rename.oldName);
    if (earlier == madeAt_.end()) {
        madeAt_[rename.newName] = made_.size();
        made_.push_back(rename);
        madeCompanions_.push_back(companion);
        return;
    }
    const size_t at = earlier->second;
    madeAt_.erase(earlier);
    made_[at].newName = rename.newName;
    madeAt_[rename.newName] = at;
}

void Loader::relist(ListCriterion criterion) {
    const bool someWithoutDate =
        planOnly_ ? RelistPlanned(list_, plannedRenames(), criterion, options_.progress)
                  : Relist(list_, criterion, options_.progress);
    if (someWithoutDate && criterion == ListCriterion::Date) result_.someWithoutDate = true;
}

std::vector<RenamePair> Loader::plannedRenames() const {
    std::vector<RenamePair> renames;
    renames.reserve(planned_.size());
    for (const auto& [present, rename] : planned_) renames.push_back(rename);
    return renames;
}

// A name is taken by a picture planned to take it, or by a file of the folder that no planned
// rename takes away.
bool Loader::nameTaken(const std::string& fileName) const {
    if (presentNames_.count(fileName)) return true;
    if (planned_.count(fileName)) return false;
    return onDisk_->taken(fileName);
}

// The check every rename of pictures makes first, on the folder as the load has left it so far
// (or, planned, as it would have left it): a picture it keeps is named among the failures.
bool Loader::keptByCheck(const RenamePair& pair) {
    NameTakenBefore takenBefore;
    if (planOnly_) takenBefore = [this](const std::string& name) { return nameTaken(name); };
    RenameCheck check = CheckGroupRenames(list_.currentFolder, {pair}, takenBefore, names_);
    if (check.kept.empty()) return false;
    result_.failedRenames.push_back(std::move(check.kept.front()));
    return true;
}

// Records a rename that the check let through.
bool Loader::planRename(const PictureEntry& from, const std::string& toBase) {
    const std::string fromName = from.fileName();
    const std::string toName = toBase + from.extension;
    if (toName == fromName) return true;
    PictureEntry present = from;
    if (const auto known = presentNames_.find(fromName); known != presentNames_.end()) {
        present = planned_.at(known->second).from;
        presentNames_.erase(known);
    }
    presentNames_[toName] = present.fileName();
    planned_[present.fileName()] = {present, toBase};
    result_.namesChanged = true;
    return true;
}

// The picture and its companions take their new names, or all keep their old ones.
bool Loader::renamePicture(RenameJournal& journal, const RenamePair& pair) {
    const std::vector<FileRename> files = FileRenamesOf(pair);
    const std::string& folder = list_.currentFolder;
    for (size_t f = 0; f < files.size(); ++f) {
        const RenameResult renamed =
            journal.rename(folder + files[f].oldName, folder + files[f].newName);
        if (renamed.ok()) continue;
        result_.failedRenames.push_back({files[f].oldName, files[f].newName, renamed});
        for (size_t g = 0; g < f; ++g) {
            const RenameResult back =
                journal.rename(folder + files[g].newName, folder + files[g].oldName);
            if (!back.ok())
                result_.failedRenames.push_back({files[g].newName, files[g].oldName, back});
        }
        return false;
    }
    if (pair.toBase != pair.from.base) result_.namesChanged = true;
    return true;
}

// Renames in the given order, each picture straight to its new name as a load always has,
// under one journal; returns the pairs that took place.
std::vector<RenamePair> Loader::renameAll(const std::vector<RenamePair>& pairs) {
    std::vector<RenamePair> done;
    // On a read-only disk the listing stands and the first rename says why none can be made,
    // before a journal is written; a dry run says the same.
    if (const int refusal = pairs.empty() ? 0 : CheckFolderWritable(list_.currentFolder)) {
        const std::vector<RenameFailure> refused = RefusedRenames(pairs, refusal);
        result_.failedRenames.insert(result_.failedRenames.end(), refused.begin(), refused.end());
        if (const int key = RefusalMessage(refusal)) result_.messageKey = key;
        return done;
    }
    if (planOnly_) {
        for (const RenamePair& pair : pairs) {
            if (!keptByCheck(pair) && planRename(pair.from, pair.toBase)) done.push_back(pair);
        }
        return done;
    }
    std::vector<FileRename> files;  // every picture with its companions, for the plan
    files.reserve(pairs.size());
    std::vector<bool> companion;
    for (const RenamePair& pair : pairs) {
        std::vector<FileRename> renames = FileRenamesOf(pair);
        for (size_t k = 0; k < renames.size(); ++k) {
            companion.push_back(k > 0);
            files.push_back(std::move(renames[k]));
        }
    }
    std::vector<PlannedRename> plan;
    plan.reserve(files.size());
    for (size_t f = 0; f < files.size(); ++f)
        plan.push_back({files[f].oldName, {}, files[f].newName, companion[f]});
    RenameJournal journal(list_.currentFolder, plan);
    ProgressSteps steps(options_.progress, static_cast<int>(pairs.size()));
    for (size_t i = 0; i < pairs.size(); ++i) {
        steps.advance(static_cast<int>(i) + 1);
        if (!keptByCheck(pairs[i]) && renamePicture(journal, pairs[i])) done.push_back(pairs[i]);
    }
    journal.finish();
    noteMade(done);
    return done;
}

LoadFolderResult Loader::run() {
    list_.avant.clear();
    list_.sorted.clear();
    list_.clearUndoPairs();
    list_.selectedIndices.clear();
    list_.allSelected = false;
    // An operation that was stopped half way is finished before anything else is read.
    if (!planOnly_) result_.repair = RepairInterruptedRenames(list_.currentFolder);
    result_.failedRenames = result_.repair.failures;
    if (result_.repair.readOnly) result_.messageKey = kMessageReadOnlyDisk;
    if (result_.repair.count() > 0) result_.namesChanged = true;
    FolderListing listing =
        ListPictures(list_.currentFolder, list_.fileType, ListCriterion::Init, options_.progress);
    if (!listing.readable) {
        list_.pictureCount = 0;
        result_.outcome = LoadOutcome::Unreadable;
        return result_;
    }
    names_ = listing.names;
    planned_ = MakeNameMap<std::string, RenamePair>(names_);
    presentNames_ = MakeNameMap<std::string, std::string>(names_);
    onDisk_.emplace(list_.currentFolder, names_);
    ApplyListing(list_, std::move(listing));
    if (list_.pictureCount == 0) {
        result_.outcome = LoadOutcome::NoPictures;
        result_.messageKey = kMessageNoFilesOfType;
    } else if (list_.pictureCount < 0) {
        firstNumbering();
    } else {
        normalise();
    }
    if (planOnly_) result_.plannedRenames = plannedRenames();
    result_.made = std::move(made_);
    result_.madeCompanions = std::move(madeCompanions_);
    return std::move(result_);
}

void Loader::firstNumbering() {
    const FirstNumberingAnswer answer =
        options_.askFirstNumbering ? options_.askFirstNumbering() : FirstNumberingAnswer();
    if (answer.format != "1" && answer.format != "2") {
        list_.folderNumbered = false;
        if (answer.format == "3") {
            result_.outcome = LoadOutcome::LeftUnnumbered;
            relist(ListCriterion::Name);
        } else {
            result_.outcome = LoadOutcome::Cancelled;
        }
        return;
    }
    const bool byDate = answer.sort == "D";
    relist(byDate ? ListCriterion::Date : ListCriterion::Name);
    list_.sortByDateNext = !byDate;
    numberInListOrder(answer.format == "2");
}

// Numbers the pictures 1, 2, 3... in list order, replacing their names or in front of them.
void Loader::numberInListOrder(bool insert) {
    list_.clearUndoPairs();
    const int width = WidthForCount(static_cast<long long>(list_.avant.size()) + list_.startNumber);
    if (width < 0) {
        list_.folderNumbered = false;
        result_.outcome = LoadOutcome::TooManyPictures;
        result_.messageKey = kMessageStartNumberTooLarge;
        return;
    }
    std::vector<RenamePair> pairs;
    for (size_t i = 0; i < list_.avant.size(); ++i) {
        const PictureEntry& entry = list_.avant[i];
        const long long number = static_cast<long long>(i) + 1;
        std::string name =
            insert ? CaptionedName(number, width, entry.base) : NumberOnlyName(number, width);
        // "x--y" would give "01  x--y", which the next load would not read as numbered.
        if (!IsNumbered(name)) result_.refusedNames.push_back(entry.fileName());
        pairs.push_back({entry, std::move(name)});
    }
    if (!result_.refusedNames.empty()) {
        list_.folderNumbered = false;
        result_.outcome = LoadOutcome::InsertWouldUnnumber;
        return;
    }
    const std::vector<RenamePair> done = renameAll(pairs);
    relist(ListCriterion::Name);
    list_.setUndoPairs(done);
    result_.outcome = LoadOutcome::FirstNumbered;
}

void Loader::normalise() {
    result_.outcome = LoadOutcome::Loaded;
    const WidthScan scan = scanWidths(list_.avant);
    list_.folderNumbered = scan.allNumbered;
    if (scan.minWidth < scan.maxWidth) {
        list_.numberWidth = scan.maxWidth;
        padWidths(scan.maxWidth);
    }
    if (!scan.allNumbered) completeNumbering(scan.maxWidth);
}

// Gives the numbered names before the first unnumbered one `width` digits by leading zeros.
void Loader::padWidths(int width) {
    const bool changedBefore = result_.namesChanged;
    result_.namesChanged = false;
    std::vector<RenamePair> pairs;
    for (const PictureEntry& entry : list_.avant) {
        const int own = NumberPrefixWidth(entry.base);
        if (own < 1) break;
        if (own < width) pairs.push_back({entry, std::string(width - own, '0') + entry.base});
    }
    result_.equalisedCount += static_cast<int>(renameAll(pairs).size());
    if (result_.namesChanged) relist(ListCriterion::Name);
    result_.namesChanged = result_.namesChanged || changedBefore;
}

// Numbers every picture after the leading numbered run, on from its last number. The run is
// found again in the current listing, after the widths were made equal.
void Loader::completeNumbering(int width) {
    const WidthScan scan = scanWidths(list_.avant);
    const size_t first = static_cast<size_t>(scan.lastIndex + 1);
    const long long last = scan.lastNumber + static_cast<long long>(list_.avant.size() - first);
    if (last > kLargestNumber) {
        result_.outcome = LoadOutcome::TooManyPictures;
        result_.messageKey = kMessageStartNumberTooLarge;
        return;
    }
    const int needed = std::max({width, kMinNumberWidth, digitsOf(last)});
    std::vector<RenamePair> pairs;
    long long number = scan.lastNumber;
    for (size_t i = first; i < list_.avant.size(); ++i) {
        const PictureEntry& entry = list_.avant[i];
        std::string name = completedName(entry.base, ++number, needed);
        if (IsNumbered(name)) {
            pairs.push_back({entry, std::move(name)});
        } else {  // its caption would not survive a narrower number: leave the picture be
            result_.failedRenames.push_back(
                {entry.fileName(), name + entry.extension, {RenameResult::Status::Failed, EINVAL}});
        }
    }
    const std::vector<RenamePair> done = renameAll(pairs);
    result_.completedCount = static_cast<int>(done.size());
    relist(ListCriterion::Name);
    list_.setUndoPairs(done);
    // Numbers that outgrew the folder's width: the earlier names get the same width.
    if (needed > scan.maxWidth && scan.lastIndex >= 0) padWidths(needed);
}

LoadFolderResult loadOrPlan(PictureList& list, const LoadFolderOptions& options, bool planOnly) {
    if (list.currentFolder.empty()) {  // no folder chosen: never fall back to another one
        list.avant.clear();
        list.pictureCount = 0;
        LoadFolderResult result;
        result.outcome = LoadOutcome::Unreadable;
        return result;
    }
    list.currentFolder = WithTrailingSeparator(list.currentFolder);
    // The repair and the renames hold the folder from the first listing to the last rename.
    FolderLock lock;
    if (!planOnly) lock = FolderLock(list.currentFolder);
    if (lock.busy()) {
        list.forgetPictures();
        LoadFolderResult result;
        result.outcome = LoadOutcome::FolderBusy;
        result.messageKey = kMessageFolderBusy;
        return result;
    }
    return Loader(list, options, planOnly).run();
}

}  // namespace

LoadFolderResult LoadFolder(PictureList& list, const LoadFolderOptions& options) {
    return loadOrPlan(list, options, false);
}

LoadFolderResult PlanFolderLoad(PictureList& list, const LoadFolderOptions& options) {
    return loadOrPlan(list, options, true);
}

}  // namespace lumaro
