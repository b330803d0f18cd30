// Renaming in two passes through temporary names, so a new name never meets an old one still there.
#include "core/renaming/renamepasses.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <memory>

#include "core/disks/filesystem.h"
#include "core/journal/renamejournal.h"
#include "core/locking/folderlock.h"
#include "core/naming/numberedname.h"
#include "core/renaming/renamecheck.h"
#include "core/settings/messagekeys.h"

namespace lumaro {

namespace {

// Temporary names tried for one picture before it is left on its old name.
constexpr int kTemporaryAttempts = 100;

// The first position after the number of a name as a composed name counts it; a name of
// digits only is all number.
size_t endOfNumber(std::string_view name) { return std::min(NumberPartEnd(name), name.size()); }

bool hasTemporaryShape(std::string_view name, const NameMatch& match) {
    const size_t end = endOfNumber(name);
    return end < name.size() && match.same(name.substr(end, 1), "x");
}

// Every file of the set, a picture followed by its companions: a picture and its companions
// reach their temporary names together and their new names together, or keep their old ones.
class TwoPasses {
public:
    TwoPasses(const std::string& folder, const std::vector<RenamePair>& pairs, NameMatch match)
        : folder_(folder), pairs_(pairs), reserved_(MakeNameSet<std::string_view>(match)) {
        result_.done.reserve(pairs.size());
        files_.reserve(pairs.size());
        firstFile_.reserve(pairs.size() + 1);
        for (const RenamePair& pair : pairs) {
            firstFile_.push_back(files_.size());
            files_.push_back(
                {pair.from.fileName(), pair.toFileName(), &pair.from.extension, &pair.toBase});
            for (const std::string& rest : pair.from.companions)
                files_.push_back({pair.from.base + rest, pair.toBase + rest, &rest, &pair.toBase});
        }
        firstFile_.push_back(files_.size());
        temporary_.assign(files_.size(), nullptr);
        // A new name not yet taken could be met unseen, but only one shaped like a temporary
        // name; the temporary names chosen are kept too, even should one vanish.
        reserved_.reserve(2 * files_.size());
        for (size_t p = 0; p < pairs.size(); ++p) {
            if (!hasTemporaryShape(pairs[p].toBase, match)) continue;
            for (size_t f = firstFile_[p]; f < firstFile_[p + 1]; ++f)
                reserved_.insert(files_[f].newName);
        }
        planTemporaryNames();
    }
    void firstPass(const ListProgress& progress);
    void secondPass(const ListProgress& progress);
    RenamePassesResult take() { return std::move(result_); }

private:
    struct File {
        std::string oldName;
        std::string newName;
        const std::string* rest;  // what follows the base: the extension, or more
        const std::string* toBase;
    };
    void planTemporaryNames();
    bool tryTemporary(size_t f, const std::string& name, RenameResult& renamed);
    bool toTemporary(size_t f);
    void groupToTemporary(size_t p);
    void groupFromTemporary(size_t p);
    void backToOldNames(size_t first, size_t last);
    // A path in the folder, built in a buffer that is reused rename after rename.
    const std::string& pathIn(std::string& buffer, const std::string& name) const {
        buffer.assign(folder_);
        buffer += name;
        return buffer;
    }
    void fail(std::string from, std::string to, const RenameResult& renamed) {
        result_.failures.push_back({std::move(from), std::move(to), renamed});
    }

    const std::string& folder_;
    const std::vector<RenamePair>& pairs_;
    std::vector<File> files_;
    std::vector<size_t> firstFile_;              // pair by pair, the index of its picture in files_
    std::vector<const std::string*> temporary_;  // the name taken; null: not on a temporary name
    std::vector<std::string> planned_;           // the temporary name each file should take
    std::deque<std::string> others_;      // temporary names taken instead of the planned ones
    NameSet<std::string_view> reserved_;  // names a temporary name must avoid
    std::unique_ptr<RenameJournal> journal_;
    RenamePassesResult result_;
    std::string fromPath_;
    std::string toPath_;
};

void TwoPasses::firstPass(const ListProgress& progress) {
    ProgressSteps steps(progress, static_cast<int>(pairs_.size()));
    for (size_t p = 0; p < pairs_.size(); ++p) {
        const RenamePair& pair = pairs_[p];
        if (pair.from.base == pair.toBase) {  // already named so: a success when it is there
            const std::string path = folder_ + pair.from.fileName();
            const RenameResult same = renameNoReplace(path, path);
            if (same.ok()) {
                result_.done.push_back(pair);
            } else {
                fail(pair.from.fileName(), pair.toFileName(), same);
            }
        } else {
            groupToTemporary(p);
        }
        steps.advance(static_cast<int>(p) + 1);
    }
}

// Every temporary name is chosen before the first rename, so that the journal holds them all.
void TwoPasses::planTemporaryNames() {
    planned_.resize(files_.size());
    std::vector<PlannedRename> plan;
    plan.reserve(files_.size());
    for (size_t p = 0; p < pairs_.size(); ++p) {
        const RenamePair& pair = pairs_[p];
        for (size_t f = firstFile_[p]; f < firstFile_[p + 1]; ++f) {
            for (int attempt = 0; pair.from.base != pair.toBase && attempt < kTemporaryAttempts;
                 ++attempt) {
                // The set views the name where it stays: in planned_, which no longer grows.
                planned_[f] = TemporaryNameFor(pair.toBase, attempt) + *files_[f].rest;
                if (reserved_.insert(planned_[f]).second) break;
                planned_[f].clear();
            }
            plan.push_back({files_[f].oldName, planned_[f], files_[f].newName, f != firstFile_[p]});
        }
    }
    journal_ = std::make_unique<RenameJournal>(folder_, plan);
}

bool TwoPasses::tryTemporary(size_t f, const std::string& name, RenameResult& renamed) {
    renamed = journal_->rename(pathIn(fromPath_, files_[f].oldName), pathIn(toPath_, name));
    if (!renamed.ok()) return false;
    temporary_[f] = &name;
    return true;
}

// The planned temporary name, else another one free on disk; each other one is in the
// journal before the file takes it.
bool TwoPasses::toTemporary(size_t f) {
    RenameResult renamed{RenameResult::Status::TargetExists, EEXIST};
    if (!planned_[f].empty() && tryTemporary(f, planned_[f], renamed)) return true;
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        if (renamed.status != RenameResult::Status::TargetExists) break;
        std::string name = TemporaryNameFor(*files_[f].toBase, attempt) + *files_[f].rest;
        struct stat st;
        if (reserved_.count(name) || lstat((folder_ + name).c_str(), &st) == 0) continue;
        journal_->noteTemporaryName(f, name);
        const std::string& kept = others_.emplace_back(std::move(name));
        if (tryTemporary(f, kept, renamed)) {
            reserved_.insert(kept);
            return true;
        }
    }
    fail(files_[f].oldName, files_[f].newName, renamed);
    return false;
}

// The picture and its companions all reach temporary names, or all keep their old ones.
void TwoPasses::groupToTemporary(size_t p) {
    for (size_t f = firstFile_[p]; f < firstFile_[p + 1]; ++f) {
        if (!toTemporary(f)) {
            backToOldNames(firstFile_[p], f);
            return;
        }
    }
}

// Files [first, last) go from their temporary names back to their old ones; one that cannot
// stays on its temporary name, and a row says so.
void TwoPasses::backToOldNames(size_t first, size_t last) {
    for (size_t f = first; f < last; ++f) {
        if (!temporary_[f]) continue;
        const RenameResult back =
            journal_->rename(pathIn(fromPath_, *temporary_[f]), folder_ + files_[f].oldName);
        if (back.ok()) {
            temporary_[f] = nullptr;
        } else {
            fail(*temporary_[f], files_[f].oldName, back);
        }
    }
}

void TwoPasses::secondPass(const ListProgress& progress) {
    ProgressSteps steps(progress, static_cast<int>(pairs_.size()));
    for (size_t p = 0; p < pairs_.size(); ++p) {
        if (temporary_[firstFile_[p]]) groupFromTemporary(p);
        steps.advance(static_cast<int>(p) + 1);
    }
    journal_->finish();
}

// The picture and its companions all take their new names; when one cannot, those that did go
// back to their temporary names (theirs alone), and from there the group to its old names.
void TwoPasses::groupFromTemporary(size_t p) {
    const size_t first = firstFile_[p];
    const size_t last = firstFile_[p + 1];
    for (size_t f = first; f < last; ++f) {
        const std::string& temporary = pathIn(fromPath_, *temporary_[f]);
        const RenameResult renamed =
            journal_->rename(temporary, pathIn(toPath_, files_[f].newName));
        if (renamed.ok()) continue;
        fail(files_[f].oldName, files_[f].newName, renamed);
        for (size_t g = first; g < f; ++g) {
            const RenameResult back = journal_->rename(pathIn(fromPath_, files_[g].newName),
                                                       pathIn(toPath_, *temporary_[g]));
            if (!back.ok()) {
                fail(files_[g].newName, *temporary_[g], back);
                temporary_[g] = nullptr;
            }
        }
        backToOldNames(first, last);
        return;
    }
    result_.done.push_back(pairs_[p]);
}

}  // namespace

RenamePassesResult RenameInTwoPasses(const std::string& folder,
                                     const std::vector<RenamePair>& pairs,
                                     const ListProgress& progress) {
    const FolderLock lock(folder);
    if (lock.busy()) {
        RenamePassesResult refused;
        refused.folderBusy = true;
        return refused;
    }
    // A read-only disk is said before a journal is written or a picture touched.
    const bool changesNames = std::any_of(pairs.begin(), pairs.end(), [](const RenamePair& pair) {
        return pair.from.base != pair.toBase;
    });
    if (const int refusal = changesNames ? CheckFolderWritable(folder) : 0) {
        RenamePassesResult refused;
        refused.failures = RefusedRenames(pairs, refusal);
        refused.messageKey = RefusalMessage(refusal);
        return refused;
    }
    // A picture that only changes the letter case of its name goes through its temporary name
    // like any other: where case is ignored, the check lets its new name count as left.
    const NameMatch match = NameMatchForRenames(folder, pairs);
    RenameCheck check = CheckGroupRenames(folder, pairs, {}, match);
    TwoPasses passes(folder, check.go, match);
    passes.firstPass(progress);
    passes.secondPass(progress);
    RenamePassesResult result = passes.take();
    result.failures.insert(result.failures.begin(), check.kept.begin(), check.kept.end());
    return result;
}

std::vector<RenameFailure> RefusedRenames(const std::vector<RenamePair>& pairs, int refusal) {
    std::vector<RenameFailure> failures;
    failures.reserve(pairs.size());
    for (const RenamePair& pair : pairs)
        failures.push_back(
            {pair.from.fileName(), pair.toFileName(), {RenameResult::Status::Failed, refusal}});
    return failures;
}

int RefusalMessage(int refusal) { return refusal == EROFS ? kMessageReadOnlyDisk : 0; }

std::string TemporaryNameFor(std::string_view newBase, int attempt) {
    const size_t end = endOfNumber(newBase);
    std::string name(newBase.substr(0, end));
    name += 'x';
    if (attempt > 0) name += std::to_string(attempt);
    if (end < newBase.size()) name += newBase.substr(end + 1);
    return name;
}

void RelistByName(PictureList& list, const ListProgress& progress) {
    Relist(list, ListCriterion::Name, progress);
}

}  // namespace lumaro
