// The history of a folder's operations, and undoing the last one still intact on disk.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/oneline.h"
#include "core/history/history.h"
#include "core/naming/undo.h"
#include "core/settings/messagekeys.h"
#include "trash/trash.h"

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

TrashHooks trashHooks() {
    TrashHooks hooks;
    hooks.toTrash = [](const std::string& path, std::string& pathInTrash) {
        const TrashOutcome trashed = MoveToTrash(path);
        pathInTrash = trashed.pathInTrash;
        return trashed.error;
    };
    hooks.fromTrash = RestoreFromTrash;
    return hooks;
}

}  // namespace

int RunHistory(const Arguments& arguments, const LanguageTable&) {
    const std::string& folder = arguments.paths.front();
    if (const int missing = CheckFolderExists(folder)) return missing;
    const std::vector<HistoryOperation> history = ReadHistory(folder);
    if (arguments.names > 0) {
        if (static_cast<size_t>(arguments.names) > history.size()) {
            Say("lumaro-cli: the history of " + OnOneLine(folder) + " holds " +
                std::to_string(history.size()) + " operations");
            return kUsage;
        }
        printNames(NamesOf(history[history.size() - static_cast<size_t>(arguments.names)]));
        return kDone;
    }
    for (size_t number = 1; number <= history.size(); ++number) {
        const HistoryOperation& operation = history[history.size() - number];
        printLine(std::to_string(number) + "\t" + OperationTimeText(operation.time) + "\t" +
                  OperationKindName(operation.kind) + "\t" +
                  std::to_string(operation.files.size()));
    }
    return kDone;
}

int RunUndo(const Arguments& arguments, const LanguageTable& messages) {
    const std::string& folder = arguments.paths.front();
    if (const int missing = CheckFolderExists(folder)) return missing;
    const UndoPlan plan = PlanUndo(folder);
    switch (plan.status) {
        case UndoPlan::Status::Ready:
            break;
        case UndoPlan::Status::Nothing:
            Say(messages.text(kMessageNothingToUndo));
            return kRefused;
        case UndoPlan::Status::Changed:
            Say(messages.text(kMessageUndoChanged) + "\n" + OnOneLine(plan.changedName));
            return kRefused;
        case UndoPlan::Status::Lossy:
            Say(messages.text(kMessageUndoLossy));
            return kRefused;
    }
    if (arguments.dryRun) {
        printNames(plan.moves);
        return kDone;
    }
    const UndoResult result = UndoLastOperation(folder, trashHooks());
    if (!result.plan.ready()) return kRefused;  // the folder changed since the plan
    printNames(result.done);
    if (result.failures.empty()) return kDone;
    SayWithNames(messages, kMessageUndoFailed, result.failures);
    return kSomeFailed;
}

}  // namespace lumaro::cli
