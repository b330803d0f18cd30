// Renaming in two passes through temporary names, so a new name never meets an old one still there.
#include "core/naming/renamepasses.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <memory>
#include <unordered_set>

#include "core/journal/renamejournal.h"
#include "core/naming/numberedname.h"

namespace lumaro {

namespace {

// Temporary names tried for one picture before it is left on its old name.
constexpr int kTemporaryAttempts = 100;

// The first position after the number of a name as a composed name counts it; a name of
// digits only is all number.
size_t endOfNumber(std::string_view name) { return std::min(NumberPartEnd(name), name.size()); }

bool hasTemporaryShape(std::string_view name) {
    const size_t end = endOfNumber(name);
    return end < name.size() && name[end] == 'x';
}

class TwoPasses {
public:
    TwoPasses(const std::string& folder, const std::vector<RenamePair>& pairs)
        : folder_(folder), pairs_(pairs), temporary_(pairs.size(), nullptr) {
        result_.done.reserve(pairs.size());
        oldNames_.reserve(pairs.size());
        newNames_.reserve(pairs.size());
        for (const RenamePair& pair : pairs) {
            oldNames_.push_back(pair.from.fileName());
            newNames_.push_back(pair.toFileName());
        }
        // A new name not yet taken could be met unseen, but only one shaped like a temporary
        // name; the temporary names chosen are kept too, even should one vanish.
        reserved_.reserve(2 * pairs.size());
        for (size_t i = 0; i < pairs.size(); ++i) {
            if (hasTemporaryShape(pairs[i].toBase)) reserved_.insert(newNames_[i]);
        }
        planTemporaryNames();
    }
    void firstPass(const ListProgress& progress);
    void secondPass(const ListProgress& progress);
    RenamePassesResult take() { return std::move(result_); }

private:
    void planTemporaryNames();
    bool tryTemporary(size_t i, const std::string& name, RenameResult& renamed);
    void toTemporary(size_t i);
    void fromTemporary(size_t i);
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
    std::vector<std::string> oldNames_;  // file names, pair by pair
    std::vector<std::string> newNames_;
    std::vector<const std::string*> temporary_;  // the name taken; null: not on a temporary name
    std::vector<std::string> planned_;           // the temporary name each picture should take
    std::deque<std::string> others_;  // temporary names taken instead of the planned ones
    std::unordered_set<std::string_view> reserved_;  // names a temporary name must avoid
    std::unique_ptr<RenameJournal> journal_;
    RenamePassesResult result_;
    std::string fromPath_;
    std::string toPath_;
};

void TwoPasses::firstPass(const ListProgress& progress) {
    ProgressSteps steps(progress, static_cast<int>(pairs_.size()));
    for (size_t i = 0; i < pairs_.size(); ++i) {
        const RenamePair& pair = pairs_[i];
        if (pair.from.base == pair.toBase) {  // already named so: a success when it is there
            const std::string path = folder_ + pair.from.fileName();
            const RenameResult same = renameNoReplace(path, path);
            if (same.ok()) {
                result_.done.push_back(pair);
            } else {
                fail(pair.from.fileName(), pair.toFileName(), same);
            }
        } else {
            toTemporary(i);
        }
        steps.advance(static_cast<int>(i) + 1);
    }
}

// Every temporary name is chosen before the first rename, so that the journal holds them all.
void TwoPasses::planTemporaryNames() {
    planned_.resize(pairs_.size());
    std::vector<PlannedRename> plan;
    plan.reserve(pairs_.size());
    for (size_t i = 0; i < pairs_.size(); ++i) {
        const RenamePair& pair = pairs_[i];
        for (int attempt = 0; pair.from.base != pair.toBase && attempt < kTemporaryAttempts;
             ++attempt) {
            // The set views the name where it stays: in planned_, which no longer grows.
            planned_[i] = TemporaryNameFor(pair.toBase, attempt) + pair.from.extension;
            if (reserved_.insert(planned_[i]).second) break;
            planned_[i].clear();
        }
        plan.push_back({oldNames_[i], planned_[i], newNames_[i]});
    }
    journal_ = std::make_unique<RenameJournal>(folder_, plan);
}

bool TwoPasses::tryTemporary(size_t i, const std::string& name, RenameResult& renamed) {
    renamed = journal_->rename(pathIn(fromPath_, oldNames_[i]), pathIn(toPath_, name));
    if (!renamed.ok()) return false;
    temporary_[i] = &name;
    return true;
}

// The planned temporary name, else another one free on disk; each other one is in the
// journal before the picture takes it.
void TwoPasses::toTemporary(size_t i) {
    const RenamePair& pair = pairs_[i];
    RenameResult renamed{RenameResult::Status::TargetExists, EEXIST};
    if (!planned_[i].empty() && tryTemporary(i, planned_[i], renamed)) return;
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        if (renamed.status != RenameResult::Status::TargetExists) break;
        std::string name = TemporaryNameFor(pair.toBase, attempt) + pair.from.extension;
        struct stat st;
        if (reserved_.count(name) || lstat((folder_ + name).c_str(), &st) == 0) continue;
        journal_->noteTemporaryName(i, name);
        const std::string& kept = others_.emplace_back(std::move(name));
        if (tryTemporary(i, kept, renamed)) {
            reserved_.insert(kept);
            return;
        }
    }
    fail(pair.from.fileName(), pair.toFileName(), renamed);
}

void TwoPasses::secondPass(const ListProgress& progress) {
    ProgressSteps steps(progress, static_cast<int>(pairs_.size()));
    for (size_t i = 0; i < pairs_.size(); ++i) {
        if (temporary_[i]) fromTemporary(i);
        steps.advance(static_cast<int>(i) + 1);
    }
    journal_->finish();
}

void TwoPasses::fromTemporary(size_t i) {
    const RenamePair& pair = pairs_[i];
    const std::string& temporary = pathIn(fromPath_, *temporary_[i]);
    const RenameResult renamed = journal_->rename(temporary, pathIn(toPath_, newNames_[i]));
    if (renamed.ok()) {
        result_.done.push_back(pair);
        return;
    }
    fail(pair.from.fileName(), pair.toFileName(), renamed);
    const RenameResult back = journal_->rename(temporary, folder_ + oldNames_[i]);
    if (!back.ok()) fail(*temporary_[i], pair.from.fileName(), back);
}

}  // namespace

RenamePassesResult RenameInTwoPasses(const std::string& folder,
                                     const std::vector<RenamePair>& pairs,
                                     const ListProgress& progress) {
    TwoPasses passes(folder, pairs);
    passes.firstPass(progress);
    passes.secondPass(progress);
    return passes.take();
}

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
