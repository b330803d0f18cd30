// Finding what an undo or a redo would do, without touching a file: the state the history's
// records leave, the record to reverse, whether its files are still as it left them, and the
// names each group of files takes back.
#include <algorithm>
#include <optional>
#include <unordered_map>

#include "core/disks/namecase.h"
#include "core/names/freename.h"
#include "core/settings/messagekeys.h"
#include "operations/undo/undo.h"

namespace lumaro {

namespace {

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The history of a folder as its records leave it: each operation's latest record (itself,
// or its last undo or redo), and the undos that can be taken back, the last one on top.
class HistoryState {
public:
    explicit HistoryState(const std::string& folder)
        : folder_(folder), records_(ReadHistoryRecords(folder).operations) {
        std::unordered_map<uint64_t, size_t> byId;
        for (size_t k = 0; k < records_.size(); ++k) {
            const HistoryOperation& record = records_[k];
            if (record.step == HistoryStep::Operation) {
                byId[record.id] = operations_.size();
                operations_.push_back(k);
                latest_.push_back(k);
                redoable_.clear();  // a new operation ends what can be redone
                continue;
            }
            const auto target = byId.find(record.target);
            if (target == byId.end()) continue;
            latest_[target->second] = k;
            std::erase(redoable_, target->second);
            if (record.step == HistoryStep::Undo) redoable_.push_back(target->second);
        }
        before_.resize(records_.size());
    }

    UndoPlan planUndo() {
        UndoPlan plan;
        for (size_t i = operations_.size(); i-- > 0;) {
            if (records_[latest_[i]].step == HistoryStep::Undo) continue;
            const std::string changed = firstChanged(latest_[i]);
            if (changed.empty()) return ready(plan, i);
            if (plan.changedName.empty()) plan.changedName = changed;
        }
        if (!plan.changedName.empty()) plan.status = UndoPlan::Status::Changed;
        return plan;
    }

    UndoPlan planRedo() {
        UndoPlan plan;
        plan.redo = true;
        if (redoable_.empty()) return plan;
        const size_t i = redoable_.back();
        plan.changedName = firstChanged(latest_[i]);
        if (plan.changedName.empty()) return ready(plan, i);
        plan.status = UndoPlan::Status::Changed;
        return plan;
    }

private:
    UndoPlan& ready(UndoPlan& plan, size_t i) {
        plan.operation = records_[operations_[i]];
        plan.number = static_cast<int>(operations_.size() - i);
        plan.reversed = records_[latest_[i]];
        plan.status = plan.reversed.effect == OperationEffect::Turn && !plan.reversed.lossless
                          ? UndoPlan::Status::Lossy
                          : UndoPlan::Status::Ready;
        return plan;
    }

    // The name of the first file that is no longer as record `k` left it; empty when intact.
    // A file is followed through the later records that moved or rewrote it, and checked
    // where the last of them left it, against the identity that one recorded.
    std::string firstChanged(size_t k) {
        const HistoryOperation& record = records_[k];
        for (const HistoryFile& file : record.files) {
            const std::string left = PathAfter(folder_, record, file);
            std::string at = left;
            const HistoryFile* expected = &file;
            for (size_t later = k + 1; later < records_.size(); ++later) {
                const std::unordered_map<std::string, size_t>& moved = beforePaths(later);
                const auto hit = moved.find(at);
                if (hit == moved.end()) continue;
                expected = &records_[later].files[hit->second];
                at = PathAfter(folder_, records_[later], *expected);
            }
            HistoryFile now = *expected;
            if (at != left || !ReadIdentity(at, now) || !(now == *expected))
                return record.effect == OperationEffect::Rename ? file.newName : left;
        }
        return {};
    }

    const std::unordered_map<std::string, size_t>& beforePaths(size_t k) {
        if (!before_[k]) {
            before_[k].emplace();
            for (size_t f = 0; f < records_[k].files.size(); ++f)
                before_[k]->emplace(PathBefore(folder_, records_[k], records_[k].files[f]), f);
        }
        return *before_[k];
    }

    const std::string& folder_;
    std::vector<HistoryOperation> records_;
    std::vector<size_t> operations_;  // the records that are operations
    std::vector<size_t> latest_;      // per operation
    std::vector<size_t> redoable_;    // operations, by their place in operations_
    std::vector<std::optional<std::unordered_map<std::string, size_t>>> before_;
};

// The group a file opens: its name now and before the record, split at the extension the two
// share (none when they do not).
UndoGroup openGroup(const HistoryFile& file, size_t index) {
    UndoGroup group;
    group.files.push_back(index);
    const size_t dot = file.oldName.rfind('.');
    std::string extension;
    if (dot != std::string::npos && dot > 0 && file.oldName.find('/', dot) == std::string::npos) {
        extension = file.oldName.substr(dot);
        if (!endsWith(file.newName, extension) || file.newName.size() == extension.size())
            extension.clear();
    }
    group.fromBase = file.newName.substr(0, file.newName.size() - extension.size());
    group.toBase = file.oldName.substr(0, file.oldName.size() - extension.size());
    group.rests.push_back(extension);
    return group;
}

// Whether the companion `file` joins `group`: the same rest after the group's base, now and
// before.
bool joins(UndoGroup& group, const HistoryFile& file, size_t index, bool byNames) {
    if (!file.companion) return false;
    if (byNames) {
        if (file.newName.rfind(group.fromBase, 0) != 0 || file.oldName.rfind(group.toBase, 0) != 0)
            return false;
        const std::string rest = file.newName.substr(group.fromBase.size());
        if (rest.empty() || rest != file.oldName.substr(group.toBase.size())) return false;
        group.rests.push_back(rest);
    }
    group.files.push_back(index);
    return true;
}

// The picture and companion groups of a record. Files moved by name (renamed, moved between
// folders) share the picture's base; a companion that does not is a group of its own.
std::vector<UndoGroup> groupsOf(const HistoryOperation& record) {
    const bool byNames = record.effect == OperationEffect::Rename ||
                         record.effect == OperationEffect::MoveOut ||
                         record.effect == OperationEffect::MoveIn;
    std::vector<UndoGroup> groups;
    for (size_t f = 0; f < record.files.size(); ++f) {
        if (groups.empty() || !joins(groups.back(), record.files[f], f, byNames))
            groups.push_back(openGroup(record.files[f], f));
    }
    return groups;
}

// A picture whose group stays where it is, and why.
OutcomeFile keptPicture(const std::string& name, int messageKey) {
    OutcomeFile kept;
    kept.name = name;
    kept.messageKey = messageKey;
    return kept;
}

// Each group takes its own names back where they are free in `destination` (or left by the
// reversal itself, `vacated`); a group whose name is taken takes the first free " (n)" name
// for all its files.
// Names are compared as the destination compares them.
void chooseNames(const std::string& destination, const std::vector<std::string>& vacatedNames,
                 UndoPlan& plan) {
    const NameMatch match = NameMatchOfFolder(destination);
    NameSet<std::string> vacated = MakeNameSet<std::string>(match);
    vacated.insert(vacatedNames.begin(), vacatedNames.end());
    TakenNames onDisk(destination, match);
    NameSet<std::string> reserved = MakeNameSet<std::string>(match);
    const auto take = [&](UndoGroup& group, const std::string& base) {
        for (const std::string& rest : group.rests) {
            const std::string name = base + rest;
            if (reserved.count(name) || (!vacated.count(name) && onDisk.taken(name))) return false;
        }
        for (const std::string& rest : group.rests) reserved.insert(base + rest);
        group.targetBase = base;
        return true;
    };
    for (UndoGroup& group : plan.groups) take(group, group.toBase);
    for (UndoGroup& group : plan.groups) {
        for (int n = 2; group.targetBase.empty() && n <= kMostFreeNames; ++n) {
            if (take(group, NthFreeName(group.toBase, n))) {
                plan.renamed.push_back(group.toBase + group.rests[0] + " -> " + group.targetBase +
                                       group.rests[0]);
            }
        }
        group.kept = group.targetBase.empty();
        if (group.kept)
            plan.kept.push_back(keptPicture(group.toBase + group.rests[0], kMessageNoFreeName));
    }
}

// From the Trash, a group whose name is taken in the folder stays there whole.
void keepTakenInTrash(const std::string& folder, UndoPlan& plan) {
    const TakenNames onDisk(folder, NameMatchOfFolder(folder));
    for (UndoGroup& group : plan.groups) {
        for (const size_t f : group.files) {
            if (!onDisk.taken(plan.reversed.files[f].oldName)) continue;
            // It stays in the Trash, with its companions.
            group.kept = true;
            const std::string& picture = plan.reversed.files[group.files.front()].oldName;
            plan.kept.push_back(keptPicture(picture, kMessageNameTaken));
            break;
        }
    }
}

// Each file's move, as the dry run shows it and the run makes it.
std::vector<FileRename> movesOf(const UndoPlan& plan) {
    const HistoryOperation& record = plan.reversed;
    std::vector<FileRename> moves;
    for (const UndoGroup& group : plan.groups) {
        if (group.kept) continue;
        for (size_t k = 0; k < group.files.size(); ++k) {
            const HistoryFile& file = record.files[group.files[k]];
            const std::string to =
                group.targetBase.empty() ? file.oldName : group.targetBase + group.rests[k];
            switch (record.effect) {
                case OperationEffect::Turn:
                case OperationEffect::Shift:
                    moves.push_back({file.newName, file.newName});
                    break;
                case OperationEffect::FromTrash:  // the Trash chooses the name
                    moves.push_back({file.newName, ""});
                    break;
                case OperationEffect::MoveOut:
                    moves.push_back({record.place + file.newName, to});
                    break;
                case OperationEffect::MoveIn:
                    moves.push_back({file.newName, record.place + to});
                    break;
                default:
                    moves.push_back({file.newName, to});
            }
        }
    }
    return moves;
}

// The names, the groups that stay and the moves of a plan that is ready.
UndoPlan& planNames(const std::string& folder, UndoPlan& plan) {
    if (!plan.ready()) return plan;
    const HistoryOperation& record = plan.reversed;
    plan.groups = groupsOf(record);
    std::vector<std::string> vacated;
    switch (record.effect) {
        case OperationEffect::Rename:
            for (const HistoryFile& file : record.files) vacated.push_back(file.newName);
            chooseNames(folder, vacated, plan);
            break;
        case OperationEffect::MoveOut:
            chooseNames(folder, vacated, plan);
            break;
        case OperationEffect::MoveIn:
            chooseNames(record.place, vacated, plan);
            break;
        case OperationEffect::ToTrash:
            keepTakenInTrash(folder, plan);
            break;
        case OperationEffect::Turn:
            plan.angle = (360 - record.angle) % 360;
            break;
        case OperationEffect::FromTrash:
        case OperationEffect::Shift:
            break;
    }
    plan.moves = movesOf(plan);
    return plan;
}

}  // namespace

UndoPlan PlanUndo(const std::string& given) {
    const std::string folder = CanonicalFolder(given);
    UndoPlan plan = HistoryState(folder).planUndo();
    return planNames(folder, plan);
}

UndoPlan PlanRedo(const std::string& given) {
    const std::string folder = CanonicalFolder(given);
    UndoPlan plan = HistoryState(folder).planRedo();
    return planNames(folder, plan);
}

}  // namespace lumaro
