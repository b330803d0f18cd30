// The rename journal: before an operation renames the pictures of a folder, its whole plan
// (each picture's old, temporary and new name, and the file it is) goes to a hidden file in
// that folder, on disk before the first rename; the file goes away when the operation ends.
// A journal found when a folder is loaded means that the program stopped in the middle of an
// operation, and RepairInterruptedRenames finishes it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/files/fileoperations.h"

namespace lumaro {

// Hidden, so no listing ever shows it.
inline constexpr const char* kRenameJournalName = ".lumaro-journal";
// A journal that cannot be read is kept under its name followed by this (and "-2", "-3"...
// beside earlier ones), hidden as well.
inline constexpr const char* kUnreadableJournalSuffix = ".unreadable";

// One picture of a plan, by file names within the folder. `temporaryName` is empty for a
// rename straight to the new name.
// The names are views: the caller keeps them alive while it constructs the journal.
struct PlannedRename {
    std::string_view oldName;
    std::string_view temporaryName;
    std::string_view newName;
    bool companion = false;  // renamed with the nearest picture before it, all or none
};

// The journal of one operation, from construction to finish() (or destruction). When the
// journal cannot be written (a folder that refuses new files) the operation goes on without
// one: its renames are then as safe as they ever were, and no worse.
class RenameJournal {
public:
    RenameJournal(const std::string& folder, const std::vector<PlannedRename>& plan);
    ~RenameJournal();
    RenameJournal(const RenameJournal&) = delete;
    RenameJournal& operator=(const RenameJournal&) = delete;

    // Picture `index` of the plan is about to take another temporary name than planned: the
    // name is on disk before the rename is tried, so a repair can find the picture there.
    void noteTemporaryName(size_t index, std::string_view name);
    // renameNoReplace, counted for the stop hook below; a placeholder it makes is in the
    // journal before it is made.
    RenameResult rename(const std::string& from, const std::string& to);
    // Removes the journal: the operation has ended.
    void finish();

private:
    static bool notePlaceholder(void* journal, const std::string& to);

    int folderFd_ = -1;
    int journalFd_ = -1;
    RenameSteps steps_;
};

// For the crash tests only, which install it (the programs never do): asked at the start of
// each journalled operation and each repair for N, after how many renames to stop (negative:
// never). The operation or repair then ends the process with _exit(86) just before its rename
// number N+1 moves the file (after that rename's placeholder is made, where it needs one; an
// operation also at its end once it made N renames), leaving its journal behind as a power cut
// would.
using RenameStopLimit = long long (*)();
void SetRenameStopLimit(RenameStopLimit limit);
// renameNoReplace, counted for the stop limit, which stops it just before the call that moves
// the file (after its placeholder is made, where it needs one).
RenameResult CountedRename(const std::string& from, const std::string& to,
                           RenameSteps* steps = nullptr);
// Appends a note to the journal open as `journalFd` and syncs it; false when it is not on disk.
bool AppendJournalNote(int journalFd, std::string_view note);
// Counts from zero again and asks for the stop limit anew: each operation and each repair is
// stopped on its own count.
void StartRenameCount();

// Benchmarks only: switches journals off (and on again) for the whole process.
void SetRenameJournalEnabled(bool enabled);

// What a repair did.
struct JournalRepair {
    bool journalFound = false;
    std::vector<std::string> renamedNames;  // pictures the repair renamed, by their new names
    // Every picture of the operation that bears its new name at the end, found there or
    // renamed by the repair: what the folder's history records of the operation.
    std::vector<FileRename> completed;
    std::vector<bool> completedCompanions;  // whether each of `completed` is a companion
    std::vector<RenameFailure> failures;    // pictures that could not take their new names
    // A journal that held its end but could not be read (damaged, or written by another
    // version): the name it is kept under in the folder, for the user to see. Nothing was
    // renamed.
    std::string keptJournal;
    // Another program is changing the folder (and may be the one whose journal this is):
    // nothing was read or renamed.
    bool folderBusy = false;
    // The folder's disk is read-only: the journal stays, nothing was renamed.
    bool readOnly = false;

    int count() const { return static_cast<int>(renamedNames.size()); }
};

// Finishes the operation whose journal lies in `folder` (ending with '/'), if any: every
// picture of the plan that is found (by the file it is, under one of its planned names; where
// file numbers do not outlive a mount, by its size and modification time)
// reaches its new name, or where that name is taken goes back to (or keeps) its old name; a
// picture and its companions do so together, so that none is left apart from the others.
// A placeholder that the journal names and that is still an empty file bearing no picture of
// the plan is removed first. A journal that was not completely written renames nothing and is
// removed; one that cannot be read renames nothing and is kept (keptJournal). On a read-only
// disk nothing is touched (readOnly). A journal read is removed once the repair
// is complete; a repair that is itself stopped can run again. The repair holds the folder's
// lock: a journal that another program is still writing is never taken for an interrupted one.
// Alone of the core, the repair writes the folder's history itself: what it finished is
// recorded before the journal goes, so that no crash in between loses the record, and a
// journalled rename repairs a journal left behind where no operation could record it.
JournalRepair RepairInterruptedRenames(const std::string& folder);

// What RepairInterruptedRenames would do, found without changing anything: each picture of
// the plan that is found away from its new name, under the name it bears, with its new name
// (where that is taken, the repair gives it its old name instead).
struct RepairPlan {
    bool journalFound = false;
    bool readable = false;  // the journal could be read; false: the repair would rename nothing
    std::vector<FileRename> renames;
};
RepairPlan PlanInterruptedRenames(const std::string& folder);

}  // namespace lumaro
