// Finishing an operation that a crash or a power cut interrupted, from its journal.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "core/disks/filesystem.h"
#include "core/disks/namecase.h"
#include "core/files/readfile.h"
#include "core/history/history.h"
#include "core/journal/assignnames.h"
#include "core/journal/journalformat.h"
#include "core/journal/renamejournal.h"
#include "core/locking/folderlock.h"
#include "core/thumbnails/sharedthumbnails.h"

namespace lumaro {

namespace {

// Unreadable journals kept in one folder before the next one stays under its own name.
constexpr int kMostKeptJournals = 1000;

std::optional<std::string> readJournal(int folderFd, bool& found) {
    const int fd = openat(folderFd, kRenameJournalName, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    found = fd >= 0 || errno != ENOENT;
    if (fd < 0) return std::nullopt;
    std::string bytes;
    const int error = ReadAllFrom(fd, bytes);
    close(fd);
    if (error != 0) return std::nullopt;
    return bytes;
}

std::optional<std::unordered_set<std::string>> spellingsWhereCaseIgnored(
    const std::string& folder) {
    if (!NameMatchOfFolder(folder).ignoresCase()) return std::nullopt;
    std::unordered_set<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) names.insert(entry->d_name);
        closedir(dir);
    }
    return names;
}

// The pictures of a plan, found by the file each is rather than by the names alone: after a
// crash a name of the plan may belong to another picture or to a file the plan never knew.
class Repairer {
public:
    Repairer(const std::string& folder, int folderFd, JournalRepair& repair)
        : folder_(folder),
          folderFd_(folderFd),
          byIdentity_(!KeepsFileNumbers(folderFd)),
          spelled_(spellingsWhereCaseIgnored(folder)),
          repair_(repair) {
        steps_.reserving = notePlaceholder;
        steps_.context = this;
    }
    ~Repairer() {
        if (journalFd_ >= 0) close(journalFd_);
    }
    Repairer(const Repairer&) = delete;
    Repairer& operator=(const Repairer&) = delete;
    void run(const std::vector<JournalRecord>& records,
             const std::vector<std::string>& placeholders);
    // The name each picture bears that is not at its new name, without renaming.
    std::vector<FileRename> plan(const std::vector<JournalRecord>& records) const;

private:
    // One file of the plan found on disk: a picture or one of its companions.
    struct Picture {
        const JournalRecord* record;
        std::string at;  // the name it bears now
        size_t group;    // the picture and its companions share one
    };
    bool isThePicture(const std::string& name, const JournalRecord& record,
                      nlink_t* links = nullptr) const;
    void removePlaceholders(const std::vector<std::string>& placeholders,
                            const std::vector<Picture>& files);
    static bool notePlaceholder(void* repairer, const std::string& to);
    std::string locate(const JournalRecord& record, bool dropDoubles = true) const;
    std::vector<std::string> locateAll(const std::vector<JournalRecord>& records,
                                       bool dropDoubles) const;
    void dropDouble(const std::string& name, const std::string& at) const;
    bool move(Picture& picture, const std::string& to, RenameResult* renamed = nullptr);
    void toTemporary(Picture& picture);
    void finishGroup(Picture* first, Picture* last);

    const std::string& folder_;
    int folderFd_;
    const bool byIdentity_;  // files are known by size and modification time, not by number
    // Where the folder ignores letter case, the names as its listing spells them: a name of the
    // plan bears a picture only so spelled ("Rome.jpg" is not "rome.jpg" there, though a lookup
    // of the one finds the other). Unset elsewhere.
    const std::optional<std::unordered_set<std::string>> spelled_;
    JournalRepair& repair_;
    RenameSteps steps_;
    int journalFd_ = -1;  // opened for the notes of the repair's own placeholders
};

int64_t seconds(int64_t nanoseconds) {
    return nanoseconds >= 0 ? nanoseconds / 1000000000 : (nanoseconds + 1) / 1000000000 - 1;
}

// Where numbers do not outlive a mount (a FUSE mount gives them anew, and gives another file the
// number this one had), the file is the one of the same size and modification time: whole
// seconds, which every driver of such a disk reads alike.
bool Repairer::isThePicture(const std::string& name, const JournalRecord& record,
                            nlink_t* links) const {
    if (spelled_ && !spelled_->count(name)) return false;
    struct stat st;
    if (fstatat(folderFd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
    if (links) *links = st.st_nlink;
    if (!S_ISREG(st.st_mode)) return false;
    if (byIdentity_ && record.identified) {
        return static_cast<uint64_t>(st.st_size) == record.size &&
               st.st_mtim.tv_sec == seconds(record.modified);
    }
    return st.st_ino == record.serial;
}

// A placeholder left by a crash is an empty file under a name the journal reserved, which no
// picture of the plan bears; lstat found the name free before it was noted, so the file there
// now was made by the operation.
void Repairer::removePlaceholders(const std::vector<std::string>& placeholders,
                                  const std::vector<Picture>& files) {
    std::unordered_set<std::string_view> bearPictures;
    for (const Picture& file : files) bearPictures.insert(file.at);
    for (const std::string& name : placeholders) {
        struct stat st;
        if (bearPictures.count(name) ||
            fstatat(folderFd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode) || st.st_size != 0) {
            continue;
        }
        unlinkat(folderFd_, name.c_str(), 0);
    }
}

bool Repairer::notePlaceholder(void* repairer, const std::string& to) {
    Repairer& self = *static_cast<Repairer*>(repairer);
    if (self.journalFd_ < 0) {
        self.journalFd_ = openat(self.folderFd_, kRenameJournalName,
                                 O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
    }
    return self.journalFd_ >= 0 &&
           AppendJournalNote(self.journalFd_, EncodePlaceholderNote(to.substr(to.rfind('/') + 1)));
}

// The latest name of the plan that bears the picture. A rename made by a link and an unlink
// that was stopped between the two leaves the picture under two names: the earlier goes.
std::string Repairer::locate(const JournalRecord& record, bool dropDoubles) const {
    std::vector<std::string> names{record.newName};
    names.insert(names.end(), record.temporaryNames.rbegin(), record.temporaryNames.rend());
    names.push_back(record.oldName);
    std::string at;
    for (const std::string& name : names) {
        nlink_t links = 0;
        if (name == at || !isThePicture(name, record, &links)) continue;
        if (at.empty()) {
            at = name;
        } else if (links > 1 && dropDoubles) {
            unlinkat(folderFd_, name.c_str(), 0);
        }
    }
    return at;
}

// Where files are known by their size and time, names alike are told apart over the whole
// plan (AssignNames); a name that bears the same file as the one found (a link and an unlink
// stopped between the two) goes, as above.
std::vector<std::string> Repairer::locateAll(const std::vector<JournalRecord>& records,
                                             bool dropDoubles) const {
    std::vector<std::string> at(records.size());
    if (!byIdentity_) {
        for (size_t r = 0; r < records.size(); ++r)
            if (records[r].serial != 0) at[r] = locate(records[r], dropDoubles);
        return at;
    }
    std::vector<std::vector<std::string>> candidates(records.size());
    for (size_t r = 0; r < records.size(); ++r) {
        const JournalRecord& record = records[r];
        if (record.serial == 0) continue;
        std::vector<std::string> names{record.newName};
        names.insert(names.end(), record.temporaryNames.rbegin(), record.temporaryNames.rend());
        names.push_back(record.oldName);
        for (const std::string& name : names) {
            const auto& found = candidates[r];
            if (std::find(found.begin(), found.end(), name) == found.end() &&
                isThePicture(name, record)) {
                candidates[r].push_back(name);
            }
        }
    }
    at = AssignNames(candidates);
    if (!dropDoubles) return at;
    const std::unordered_set<std::string> taken(at.begin(), at.end());
    for (size_t r = 0; r < records.size(); ++r) {
        for (const std::string& name : candidates[r])
            if (!at[r].empty() && !taken.count(name)) dropDouble(name, at[r]);
    }
    return at;
}

// Within one mount numbers do tell two names of one file.
void Repairer::dropDouble(const std::string& name, const std::string& at) const {
    struct stat first, second;
    if (fstatat(folderFd_, name.c_str(), &first, AT_SYMLINK_NOFOLLOW) == 0 &&
        fstatat(folderFd_, at.c_str(), &second, AT_SYMLINK_NOFOLLOW) == 0 && first.st_nlink > 1 &&
        first.st_dev == second.st_dev && first.st_ino == second.st_ino) {
        unlinkat(folderFd_, name.c_str(), 0);
    }
}

bool Repairer::move(Picture& picture, const std::string& to, RenameResult* renamed) {
    const RenameResult result = CountedRename(folder_ + picture.at, folder_ + to, &steps_);
    if (renamed) *renamed = result;
    if (!result.ok()) return false;
    picture.at = to;
    return true;
}

void Repairer::toTemporary(Picture& picture) {
    for (const std::string& name : picture.record->temporaryNames) {
        RenameResult renamed;
        if (move(picture, name, &renamed) || renamed.status != RenameResult::Status::TargetExists)
            return;
    }
}

// Every file of the group takes its new name; where one cannot, every file goes back to (or
// keeps) its old name, and failing that keeps the name it has.
void Repairer::finishGroup(Picture* first, Picture* last) {
    bool renamed = false;
    for (Picture* file = first; file != last; ++file) {
        const JournalRecord& record = *file->record;
        if (file->at == record.newName) continue;
        RenameResult refused;
        if (move(*file, record.newName, &refused)) {
            renamed = true;
            continue;
        }
        for (Picture* back = first; back != last; ++back) {
            if (back->at != back->record->oldName) move(*back, back->record->oldName);
        }
        repair_.failures.push_back({file->at, record.newName, refused});
        return;
    }
    if (renamed) repair_.renamedNames.push_back(first->record->newName);
    for (Picture* file = first; file != last; ++file) {
        repair_.completed.push_back({file->record->oldName, file->record->newName});
        repair_.completedCompanions.push_back(file != first);
    }
}

void Repairer::run(const std::vector<JournalRecord>& records,
                   const std::vector<std::string>& placeholders) {
    std::vector<Picture> files;
    size_t group = 0;
    std::vector<std::string> found = locateAll(records, true);
    for (size_t r = 0; r < records.size(); ++r) {
        if (!records[r].companion) ++group;
        if (!found[r].empty()) files.push_back({&records[r], std::move(found[r]), group});
    }
    // Before any rename: a placeholder may hold the very name a picture is to take.
    removePlaceholders(placeholders, files);
    // As the operation itself: first every file off its old name, so that names that pass
    // from one picture to another are free when they are taken.
    for (Picture& file : files) {
        if (file.at == file.record->oldName) toTemporary(file);
    }
    // Then group by group: first those off their old names, then the renames planned without
    // a temporary name and the files no temporary name was free for.
    std::vector<std::pair<Picture*, Picture*>> groups;
    for (size_t i = 0; i < files.size();) {
        size_t end = i + 1;
        while (end < files.size() && files[end].group == files[i].group) ++end;
        groups.emplace_back(files.data() + i, files.data() + end);
        i = end;
    }
    const auto onOldName = [](const std::pair<Picture*, Picture*>& range) {
        return std::any_of(range.first, range.second,
                           [](const Picture& file) { return file.at == file.record->oldName; });
    };
    std::vector<bool> later;
    for (const auto& range : groups) later.push_back(onOldName(range));
    for (size_t k = 0; k < groups.size(); ++k) {
        if (!later[k]) finishGroup(groups[k].first, groups[k].second);
    }
    for (size_t k = 0; k < groups.size(); ++k) {
        if (later[k]) finishGroup(groups[k].first, groups[k].second);
    }
}

std::vector<FileRename> Repairer::plan(const std::vector<JournalRecord>& records) const {
    std::vector<FileRename> renames;
    const std::vector<std::string> found = locateAll(records, false);
    for (size_t r = 0; r < records.size(); ++r) {
        if (!found[r].empty() && found[r] != records[r].newName)
            renames.push_back({found[r], records[r].newName});
    }
    return renames;
}

// Moves a journal that cannot be read to a hidden name of its own, so no listing takes it for
// a picture and no later journal replaces it; never over a journal kept before. The name it
// bears afterwards: its own when it could not be moved.
std::string keepUnreadableJournal(const std::string& folder) {
    const std::string journal = folder + kRenameJournalName;
    for (int n = 1; n <= kMostKeptJournals; ++n) {
        const std::string name = std::string(kRenameJournalName) + kUnreadableJournalSuffix +
                                 (n == 1 ? "" : "-" + std::to_string(n));
        const RenameResult kept = renameNoReplace(journal, folder + name);
        if (kept.ok()) return name;
        if (kept.status != RenameResult::Status::TargetExists) break;
    }
    return kRenameJournalName;
}

// The shared thumbnails of every name the interrupted operation and its repair touched: the
// operation itself died before it could remove them.
void forgetThumbnails(const std::string& folder, const JournalRepair& repair) {
    std::vector<FileRename> touched = repair.completed;
    for (const RenameFailure& failure : repair.failures)
        touched.push_back({failure.fromName, failure.toName});
    RemoveSharedThumbnails(folder, touched);
}

}  // namespace

JournalRepair RepairInterruptedRenames(const std::string& folder) {
    JournalRepair repair;
    const FolderLock lock(folder);
    repair.folderBusy = lock.busy();
    if (repair.folderBusy) return repair;
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) return repair;
    const std::optional<std::string> bytes = readJournal(folderFd, repair.journalFound);
    repair.readOnly = repair.journalFound && CheckFolderWritable(folder) == EROFS;
    if (repair.journalFound && !repair.readOnly) {
        StartRenameCount();
        std::vector<std::string> placeholders;
        const std::optional<std::vector<JournalRecord>> records =
            bytes ? ParseJournal(*bytes, &placeholders) : std::nullopt;
        if (records) Repairer(folder, folderFd, repair).run(*records, placeholders);
        fsync(folderFd);
        RecordOperation(folder, RenameOperation(OperationKind::Repair, repair.completed,
                                                repair.completedCompanions));
        forgetThumbnails(folder, repair);
        // A journal without its end was cut before the first rename: nothing to finish, and
        // nothing to keep. One that cannot be read may be all that tells which picture bears
        // which temporary name: it stays, for the user.
        if (records || (bytes && IsJournalCutShort(*bytes))) {
            unlinkat(folderFd, kRenameJournalName, 0);
        } else {
            repair.keptJournal = keepUnreadableJournal(folder);
        }
        fsync(folderFd);
    }
    close(folderFd);
    return repair;
}

RepairPlan PlanInterruptedRenames(const std::string& folder) {
    RepairPlan plan;
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) return plan;
    const std::optional<std::string> bytes = readJournal(folderFd, plan.journalFound);
    const std::optional<std::vector<JournalRecord>> records =
        bytes ? ParseJournal(*bytes) : std::nullopt;
    if (records) {
        plan.readable = true;
        JournalRepair unused;
        plan.renames = Repairer(folder, folderFd, unused).plan(*records);
    }
    close(folderFd);
    return plan;
}

}  // namespace lumaro
