// Checking a set of picture renames against its folder before the first rename.
#include "core/renaming/renamecheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "core/disks/filesystem.h"
#include "core/disks/namecase.h"
#include "core/names/refusedcharacters.h"

namespace lumaro {

namespace {

RenameFailure keptFor(const FileRename& file, int error) {
    const auto status =
        error == EEXIST ? RenameResult::Status::TargetExists : RenameResult::Status::Failed;
    return {file.oldName, file.newName, {status, error}};
}

// The set's groups, and for each the row that keeps it, once found.
class Checker {
public:
    Checker(const std::string& folder, const std::vector<RenamePair>& pairs,
            const NameTakenBefore& takenBefore, NameMatch match)
        : folder_(folder),
          pairs_(pairs),
          takenBefore_(takenBefore),
          onDisk_(folder, match),
          leaving_(MakeNameSet<std::string_view>(match)),
          wanted_(MakeNameMap<std::string_view, std::pair<size_t, size_t>>(match)) {
        files_.resize(pairs.size());
        kept_.resize(pairs.size());
        readFolderLimits();
    }
    RenameCheck run();

private:
    bool moves(size_t p) const { return pairs_[p].from.base != pairs_[p].toBase; }
    void readFolderLimits();
    std::optional<RenameFailure> outsideLimits(const std::vector<FileRename>& files) const;
    bool takenOutside(const std::string& name) const;
    void keepForTakenNames(size_t p, std::vector<size_t>& newlyKept);
    void keepThoseWantingOldNames(std::vector<size_t> newlyKept);

    const std::string& folder_;
    const std::vector<RenamePair>& pairs_;
    const NameTakenBefore& takenBefore_;
    const TakenNames onDisk_;
    int folderRefusal_ = 0;      // errno: the folder cannot be written
    long nameMax_ = -1;          // the longest name in bytes; -1: no limit known
    bool windowsNames_ = false;  // names there refuse some characters
    std::vector<std::vector<FileRename>> files_;
    std::vector<std::optional<RenameFailure>> kept_;
    NameSet<std::string_view> leaving_;  // old names of the groups that move
    // Each new name by the group and the file of the group that wants it.
    NameMap<std::string_view, std::pair<size_t, size_t>> wanted_;
};

void Checker::readFolderLimits() {
    if (faccessat(AT_FDCWD, folder_.c_str(), W_OK | X_OK, AT_EACCESS) != 0) folderRefusal_ = errno;
    nameMax_ = pathconf(folder_.c_str(), _PC_NAME_MAX);
    windowsNames_ = folderRefusal_ == 0 && HoldsWindowsNames(folder_);
}

std::optional<RenameFailure> Checker::outsideLimits(const std::vector<FileRename>& files) const {
    if (folderRefusal_ != 0) return keptFor(files.front(), folderRefusal_);
    for (const FileRename& file : files) {
        if (nameMax_ > 0 && file.newName.size() > static_cast<size_t>(nameMax_))
            return keptFor(file, ENAMETOOLONG);
        if (windowsNames_ && RefusedCharacterIn(file.newName))
            return RenameFailure{
                file.oldName, file.newName, {RenameResult::Status::NameRefused, EINVAL}};
    }
    return std::nullopt;
}

bool Checker::takenOutside(const std::string& name) const {
    if (leaving_.count(name)) return false;
    if (takenBefore_) return takenBefore_(name);
    return onDisk_.taken(name);
}

// A new name that another group of the set wants too, or that a file outside the set bears.
void Checker::keepForTakenNames(size_t p, std::vector<size_t>& newlyKept) {
    for (size_t f = 0; f < files_[p].size() && !kept_[p]; ++f) {
        const FileRename& file = files_[p][f];
        if (!wanted_.emplace(file.newName, std::pair{p, f}).second || takenOutside(file.newName))
            kept_[p] = keptFor(file, EEXIST);
    }
    if (kept_[p]) newlyKept.push_back(p);
}

// A group that stays keeps its old names: a group that wanted one of them stays as well.
void Checker::keepThoseWantingOldNames(std::vector<size_t> newlyKept) {
    while (!newlyKept.empty()) {
        const size_t p = newlyKept.back();
        newlyKept.pop_back();
        for (const FileRename& file : files_[p]) {
            const auto wanting = wanted_.find(file.oldName);
            if (wanting == wanted_.end()) continue;
            const auto [q, f] = wanting->second;
            if (kept_[q]) continue;
            kept_[q] = keptFor(files_[q][f], EEXIST);
            newlyKept.push_back(q);
        }
    }
}

RenameCheck Checker::run() {
    std::vector<size_t> newlyKept;
    for (size_t p = 0; p < pairs_.size(); ++p) {
        if (!moves(p)) continue;
        files_[p] = FileRenamesOf(pairs_[p]);
        kept_[p] = outsideLimits(files_[p]);
        if (kept_[p]) continue;
        for (const FileRename& file : files_[p]) leaving_.insert(file.oldName);
    }
    for (size_t p = 0; p < pairs_.size(); ++p) {
        if (moves(p) && !kept_[p]) keepForTakenNames(p, newlyKept);
    }
    keepThoseWantingOldNames(std::move(newlyKept));
    RenameCheck check;
    for (size_t p = 0; p < pairs_.size(); ++p) {
        if (kept_[p]) {
            check.kept.push_back(std::move(*kept_[p]));
        } else {
            check.go.push_back(pairs_[p]);
        }
    }
    return check;
}

}  // namespace

NameTakenBefore NamesAfter(const std::string& folder, const std::vector<FileRename>& renames) {
    const NameMatch match = NameMatchOfFolder(folder);
    NameSet<std::string> gone = MakeNameSet<std::string>(match);
    NameSet<std::string> arrived = MakeNameSet<std::string>(match);
    for (const FileRename& rename : renames) {
        gone.insert(rename.oldName);
        arrived.insert(rename.newName);
    }
    return [onDisk = std::make_shared<TakenNames>(folder, match), gone = std::move(gone),
            arrived = std::move(arrived)](const std::string& name) {
        if (arrived.count(name)) return true;
        if (gone.count(name)) return false;
        return onDisk->taken(name);
    };
}

NameMatch NameMatchForRenames(const std::string& folder, const std::vector<RenamePair>& pairs) {
    std::vector<std::string> names;
    for (size_t p = 0; p < pairs.size() && names.size() < 3; ++p) {
        const std::string name = pairs[p].from.fileName();
        if (HasAsciiLetter(name)) names.push_back(name);
    }
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) return {};
    const NameMatch match = NameMatchIn(folderFd, names, false);
    close(folderFd);
    return match;
}

RenameCheck CheckGroupRenames(const std::string& folder, const std::vector<RenamePair>& pairs,
                              const NameTakenBefore& takenBefore, std::optional<NameMatch> match) {
    return Checker(folder, pairs, takenBefore, match ? *match : NameMatchForRenames(folder, pairs))
        .run();
}

}  // namespace lumaro
