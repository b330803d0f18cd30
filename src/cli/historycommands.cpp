// The history of a folder's operations, undoing them one by one and taking the undos back.
#include <cstdio>
#include <ctime>
#include <string>

#include "cli/commands.h"
#include "cli/jsonnames.h"
#include "cli/oneline.h"
#include "cli/report.h"
#include "core/history/history.h"
#include "core/settings/messagekeys.h"
#include "operations/undo/undostep.h"

namespace lumaro::cli {

namespace {

void printLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

void printNames(const std::vector<FileRename>& names) {
    for (const FileRename& name : names)
        printLine(OnOneLine(name.oldName) + "\t" + OnOneLine(name.newName));
}

// The time of an operation in ISO 8601, local time with its offset from UTC.
std::string isoTime(int64_t time) {
    const std::time_t seconds = static_cast<std::time_t>(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[40];
    const size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    std::string iso(text, length);
    if (iso.size() > 2) iso.insert(iso.size() - 2, ":");  // +0100 -> +01:00
    return iso;
}

}  // namespace

int RunHistory(const Arguments& arguments, const LanguageTable&) {
    const std::string& folder = arguments.paths.front();
    ReportFolder(folder);
    if (const int missing = CheckFolderExists(folder)) return missing;
    const std::vector<HistoryOperation> history = ReadHistory(folder);
    if (arguments.names > 0) {
        if (static_cast<size_t>(arguments.names) > history.size()) {
            Say("the history of " + OnOneLine(folder) + " holds " + std::to_string(history.size()) +
                " operations");
            return kUsage;
        }
        const std::vector<FileRename> names =
            NamesOf(history[history.size() - static_cast<size_t>(arguments.names)]);
        if (arguments.json) {
            nlohmann::json rows = nlohmann::json::array();
            for (const FileRename& name : names) {
                nlohmann::json row = nlohmann::json::object();
                PutName(row, "before", name.oldName);
                PutName(row, "after", name.newName);
                rows.push_back(std::move(row));
            }
            ReportField("operation", arguments.names);
            ReportField("names", std::move(rows));
            return kDone;
        }
        printNames(names);
        return kDone;
    }
    if (arguments.json) {
        nlohmann::json operations = nlohmann::json::array();
        for (size_t number = 1; number <= history.size(); ++number) {
            const HistoryOperation& operation = history[history.size() - number];
            nlohmann::json row = {{"number", number},
                                  {"time", OperationTimeText(operation.time)},
                                  {"iso8601", isoTime(operation.time)},
                                  {"kind", OperationKindName(operation.kind)},
                                  {"count", operation.files.size()},
                                  {"undone", operation.undone}};
            if (operation.angle != 0) row["angle"] = operation.angle;
            if (!operation.place.empty()) PutName(row, "place", operation.place);
            operations.push_back(std::move(row));
        }
        ReportField("operations", std::move(operations));
        return kDone;
    }
    for (size_t number = 1; number <= history.size(); ++number) {
        const HistoryOperation& operation = history[history.size() - number];
        printLine(std::to_string(number) + "\t" + OperationTimeText(operation.time) + "\t" +
                  OperationKindName(operation.kind) + "\t" +
                  std::to_string(operation.files.size()) + (operation.undone ? "\tundone" : ""));
    }
    return kDone;
}

namespace {

// The names of each file that stayed where it is, with why.
std::vector<std::string> keptNames(const LanguageTable& messages, const Outcome& outcome) {
    std::vector<std::string> names;
    for (const OutcomeFile& file : outcome.files) names.push_back(NameWithReason(messages, file));
    return names;
}

// Each file's move, "present -> after": as a dry run prints it, a turn as "name turned A
// clockwise" and a file going to the Trash as "(Trash)".
std::vector<FileRename> movesOf(const std::vector<ChangedFile>& changes, const UndoPlan* plan) {
    std::vector<FileRename> moves;
    for (const ChangedFile& file : changes) {
        moves.push_back({file.name, file.newName});
        if (plan && plan->reversed.effect == OperationEffect::Turn)
            moves.back().newName += " turned " + std::to_string(plan->angle) + " clockwise";
        if (plan && plan->reversed.effect == OperationEffect::FromTrash)
            moves.back().newName = "(Trash)";
    }
    return moves;
}

// What a step does to each file: the reverse of what the operation it reverses did.
FileAction actionOf(const UndoPlan& plan) {
    switch (plan.reversed.effect) {
        case OperationEffect::Rename:
            return FileAction::Rename;
        case OperationEffect::MoveOut:
        case OperationEffect::MoveIn:
            return FileAction::Move;
        case OperationEffect::Turn:
            return FileAction::Turn;
        case OperationEffect::ToTrash:
            return FileAction::Restore;
        case OperationEffect::FromTrash:
            return FileAction::Trash;
        case OperationEffect::Shift:
            return FileAction::Shift;
    }
    return FileAction::Rename;
}

void reportMoves(const std::vector<ChangedFile>& files, FileStatus status) {
    for (const ChangedFile& file : files) ReportFile({file.name, file.newName, status});
}

// The groups a step leaves where they are, named on stderr and in the document.
void sayStepKept(const LanguageTable& messages, const Outcome& outcome) {
    if (outcome.done()) return;
    SayWithNames(messages, kMessageUndoFailed, keptNames(messages, outcome));
    ReportKept(messages, outcome.files);
}

// An undo or a redo, or its plan: the same names, the same groups kept, the same exit code.
int runStep(const Arguments& arguments, const LanguageTable& messages, bool redo) {
    const std::string& folder = arguments.paths.front();
    ReportFolder(folder);
    if (const int missing = CheckFolderExists(folder)) return missing;
    UndoStep step(folder, redo ? UndoStep::Direction::Redo : UndoStep::Direction::Undo);
    const PicturePlan plan = step.plan();
    ReportAction(actionOf(step.planned()));
    ReportAngle(step.planned().angle);
    if (plan.outcome.kind == OutcomeKind::Refused) return SayOutcome(messages, plan.outcome);
    const std::vector<std::string>& renamed = step.planned().renamed;
    if (!renamed.empty()) Tell(messages.text(kMessageUndoOtherNames));
    for (const std::string& name : renamed) Tell(OnOneLine(name));
    if (arguments.dryRun) {
        sayStepKept(messages, plan.outcome);
        if (!Reporting())
            return PrintPlan(movesOf(plan.changes, &step.planned()), ExitCodeFor(plan.outcome));
        reportMoves(plan.changes, FileStatus::Planned);
        return ExitCodeFor(plan.outcome);
    }
    const Outcome done = step.run(RunOptionsFor(arguments));
    if (done.kind == OutcomeKind::Refused && done.messageKey != kMessageReadOnlyDisk) {
        Say("The folder changed while its plan was made: nothing was done.");
        return ExitCodeFor(done);
    }
    if (done.changedNothing()) return SayOutcome(messages, done);
    if (Reporting()) {
        reportMoves(step.changed(), FileStatus::Done);
    } else {
        printNames(movesOf(step.changed(), nullptr));
    }
    sayStepKept(messages, done);
    return ExitCodeFor(done);
}

}  // namespace

int RunUndo(const Arguments& arguments, const LanguageTable& messages) {
    return runStep(arguments, messages, false);
}

int RunRedo(const Arguments& arguments, const LanguageTable& messages) {
    return runStep(arguments, messages, true);
}

}  // namespace lumaro::cli
