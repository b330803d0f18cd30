// Keeping a folder's rename journal: the plan on disk before the first rename, gone at the end.
#include "core/journal/renamejournal.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/disks/filesystem.h"
#include "core/journal/journalformat.h"

namespace lumaro {

namespace {

bool journalsEnabled = true;
RenameStopLimit stopLimit = nullptr;  // installed by the crash tests only
long long renamesMade = 0;
long long stopAfter = -1;  // from stopLimit; -1: never

void stopWhenLimitReached() {
    if (stopAfter >= 0 && renamesMade >= stopAfter) _exit(86);
}

// Plans of this many pictures and more read the folder once for the serials of their files
// rather than asking for each file by name, which costs several times as much.
constexpr size_t kSerialsFromListing = 256;

uint64_t serialByName(int folderFd, std::string_view name, struct stat& st) {
    const std::string path(name);
    return fstatat(folderFd, path.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 ? st.st_ino : 0;
}

uint64_t serialByName(int folderFd, std::string_view name) {
    struct stat st;
    return serialByName(folderFd, name, st);
}

void stopHook(void*) { stopWhenLimitReached(); }

// The serial of every file of the folder by name, read from one listing: names in one
// buffer, sorted views for the lookups, so a plan of thousands costs no allocation each.
class FolderSerials {
public:
    // Empty where the listing's serials are not those a file's status gives (some layered
    // file systems), which the repair compares.
    static std::optional<FolderSerials> read(int folderFd) {
        const int listFd = dup(folderFd);
        DIR* dir = listFd >= 0 ? fdopendir(listFd) : nullptr;
        if (!dir) {
            if (listFd >= 0) close(listFd);
            return std::nullopt;
        }
        rewinddir(dir);
        std::optional<FolderSerials> serials(std::in_place);
        std::vector<std::pair<size_t, uint64_t>> found;  // end of each name in the buffer
        std::string& names = serials->names_;
        names.reserve(64);  // on the heap from the start: a move keeps the characters in place
        while (const dirent* entry = readdir(dir)) {
            const std::string_view name(entry->d_name);
            if (name == "." || name == "..") continue;
            names += name;
            found.emplace_back(names.size(), entry->d_ino);
        }
        closedir(dir);
        // The buffer is complete: the views into it stay valid from here on.
        serials->byName_.reserve(found.size());
        size_t start = 0;
        for (const auto& [end, inode] : found) {
            serials->byName_.emplace(std::string_view(names).substr(start, end - start), inode);
            start = end;
        }
        if (!found.empty()) {
            const std::string_view first = std::string_view(names).substr(0, found.front().first);
            if (serialByName(folderFd, first) != found.front().second) return std::nullopt;
        }
        return serials;
    }

    uint64_t find(std::string_view name) const {
        const auto found = byName_.find(name);
        return found != byName_.end() ? found->second : 0;
    }

private:
    std::string names_;  // every name, one after the other
    std::unordered_map<std::string_view, uint64_t> byName_;
};

// The journal's bytes, each picture with the serial of the file that bears its old name, and
// where serials do not outlive a mount, with its size and modification time too.
std::string encodePlan(int folderFd, const std::vector<PlannedRename>& plan) {
    const bool byIdentity = !KeepsFileNumbers(folderFd);
    const std::optional<FolderSerials> serials = plan.size() >= kSerialsFromListing && !byIdentity
                                                     ? FolderSerials::read(folderFd)
                                                     : std::nullopt;
    std::string bytes = JournalHeader();
    std::string identities;
    bytes.reserve(plan.size() * 80);
    for (size_t k = 0; k < plan.size(); ++k) {
        const PlannedRename& step = plan[k];
        uint64_t serial = 0;
        struct stat st;
        if (serials) {
            serial = serials->find(step.oldName);
        } else {
            serial = serialByName(folderFd, step.oldName, st);
        }
        if (byIdentity && serial != 0) {
            AppendIdentityNote(
                identities, k, static_cast<uint64_t>(st.st_size),
                static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec);
        }
        AppendJournalRecord(bytes, serial, step.oldName, step.temporaryName, step.newName,
                            step.companion);
    }
    bytes += JournalEnd(plan.size());
    return bytes + identities;
}

}  // namespace

void SetRenameStopLimit(RenameStopLimit limit) { stopLimit = limit; }

void StartRenameCount() {
    stopAfter = stopLimit ? stopLimit() : -1LL;
    renamesMade = 0;
}

RenameResult CountedRename(const std::string& from, const std::string& to, RenameSteps* steps) {
    RenameSteps own;
    RenameSteps& used = steps ? *steps : own;
    used.moving = stopHook;
    const RenameResult renamed = renameNoReplace(from, to, &used);
    if (renamed.ok() && from != to) ++renamesMade;
    return renamed;
}

bool AppendJournalNote(int journalFd, std::string_view note) {
    return WriteAllBytes(journalFd, note) && fdatasync(journalFd) == 0;
}

void SetRenameJournalEnabled(bool enabled) { journalsEnabled = enabled; }

RenameJournal::RenameJournal(const std::string& folder, const std::vector<PlannedRename>& plan) {
    StartRenameCount();
    steps_.reserving = notePlaceholder;
    steps_.context = this;
    if (!journalsEnabled || plan.empty()) return;
    folderFd_ = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ < 0) return;
    // A journal that no load has repaired yet would be lost under the new one.
    if (faccessat(folderFd_, kRenameJournalName, F_OK, AT_SYMLINK_NOFOLLOW) == 0) {
        RepairInterruptedRenames(folder);
    }
    const std::string bytes = encodePlan(folderFd_, plan);
    // Never over a journal that is still there: one that could not be read nor moved aside.
    journalFd_ =
        openat(folderFd_, kRenameJournalName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (journalFd_ < 0) return;
    // The plan and its directory entry are on disk before the first rename.
    if (!WriteAllBytes(journalFd_, bytes) || fdatasync(journalFd_) != 0 || fsync(folderFd_) != 0) {
        close(journalFd_);
        journalFd_ = -1;
        unlinkat(folderFd_, kRenameJournalName, 0);
    }
}

RenameJournal::~RenameJournal() {
    finish();
    if (folderFd_ >= 0) close(folderFd_);
}

void RenameJournal::noteTemporaryName(size_t index, std::string_view name) {
    if (journalFd_ >= 0) AppendJournalNote(journalFd_, EncodeTemporaryNote(index, name));
}

bool RenameJournal::notePlaceholder(void* journal, const std::string& to) {
    const int fd = static_cast<RenameJournal*>(journal)->journalFd_;
    // Without a journal there is no repair to tell: the rename goes on as it would have.
    return fd < 0 || AppendJournalNote(fd, EncodePlaceholderNote(to.substr(to.rfind('/') + 1)));
}

RenameResult RenameJournal::rename(const std::string& from, const std::string& to) {
    return CountedRename(from, to, &steps_);
}

void RenameJournal::finish() {
    if (journalFd_ < 0) return;
    stopWhenLimitReached();
    close(journalFd_);
    journalFd_ = -1;
    unlinkat(folderFd_, kRenameJournalName, 0);
    fsync(folderFd_);
}

}  // namespace lumaro
