// Telling whether a folder ignores letter case, from one or two lookups of its names.
#include "core/disks/namecase.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "core/disks/filesystem.h"
#include "core/names/namecompare.h"

namespace lumaro {

namespace {

std::optional<bool> assumed;  // set by tests only

// Names asked before the folder is judged by its file system.
constexpr size_t kMostNamesAsked = 3;

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Two spellings lead to one file: its number where numbers are kept; elsewhere (FUSE gives
// each spelling its own number) its kind, size and times.
bool sameFile(int folderFd, const struct stat& a, const struct stat& b) {
    if (a.st_dev == b.st_dev && a.st_ino == b.st_ino) return true;
    return !KeepsFileNumbers(folderFd) && a.st_mode == b.st_mode && a.st_size == b.st_size &&
           sameTime(a.st_mtim, b.st_mtim) && sameTime(a.st_ctim, b.st_ctim);
}

// Whether the folder ignores case, as `name` tells; nullopt when it cannot tell.
std::optional<bool> askWith(int folderFd, const std::string& name,
                            const std::vector<std::string>* listing) {
    if (!HasAsciiLetter(name)) return std::nullopt;
    const std::string swapped = SwapAsciiCase(name);
    struct stat own, other;
    if (fstatat(folderFd, name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
    if (fstatat(folderFd, swapped.c_str(), &other, AT_SYMLINK_NOFOLLOW) != 0) return false;
    if (listing && std::binary_search(listing->begin(), listing->end(), swapped, NameLess()))
        return false;
    return sameFile(folderFd, own, other);
}

}  // namespace

NameMatch NameMatchIn(int folderFd, const std::vector<std::string>& names, bool wholeListing) {
    if (assumed) return *assumed ? NameMatch::IgnoringCase() : NameMatch();
    size_t asked = 0;
    for (const std::string& name : names) {
        if (!HasAsciiLetter(name)) continue;
        if (const auto ignores = askWith(folderFd, name, wholeListing ? &names : nullptr))
            return *ignores ? NameMatch::IgnoringCase() : NameMatch();
        if (++asked == kMostNamesAsked) break;
    }
    return HoldsWindowsNames(folderFd) ? NameMatch::IgnoringCase() : NameMatch();
}

NameMatch NameMatchOfFolder(const std::string& folder) {
    if (assumed) return *assumed ? NameMatch::IgnoringCase() : NameMatch();
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) return {};
    std::vector<std::string> names;
    if (DIR* dir = fdopendir(dup(folderFd))) {
        while (const dirent* entry = readdir(dir)) {
            const std::string_view name(entry->d_name);
            if (name != "." && name != "..") names.emplace_back(name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end(), NameLess());
    const NameMatch match = NameMatchIn(folderFd, names, true);
    close(folderFd);
    return match;
}

void TakenNames::readFolded() const {
    if (folded_) return;
    folded_ = MakeNameSet<std::string>(match_);
    if (DIR* dir = opendir(folder_.c_str())) {
        while (const dirent* entry = readdir(dir)) folded_->insert(entry->d_name);
        closedir(dir);
    }
}

bool TakenNames::taken(const std::string& name) const {
    if (added_.count(name)) return true;
    struct stat st;
    if (lstat((folder_ + name).c_str(), &st) == 0) return true;
    if (!match_.ignoresCase()) return false;
    readFolded();
    return folded_->count(name) != 0;
}

void TakenNames::add(const std::string& name) { added_.insert(name); }

void AssumeFoldersIgnoreCase(std::optional<bool> ignore) { assumed = ignore; }

}  // namespace lumaro
