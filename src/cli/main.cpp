// lumaro-cli: the naming, turning, moving and deleting operations of Lumaro from a shell or a
// script.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/report.h"
#include "cli/selection.h"
#include "core/files/folderentries.h"
#include "core/history/history.h"
#include "core/locking/folderlock.h"
#include "core/settings/constants.h"
#include "core/settings/programfolder.h"

namespace {

using namespace lumaro;
using namespace lumaro::cli;

// A command that changes files is recorded in the history of each folder it changes: its
// operation checks as it runs that the history can be written, and refuses before it changes
// anything where it cannot, unless --no-history says to go on without one, recording nothing.
void waiveHistoryWhenTold(const Arguments& arguments) {
    if (ChangesFiles(arguments.command) && !arguments.dryRun && arguments.noHistory)
        SetHistoryEnabled(false);
}

int runCommand(Arguments& arguments) {
    if (arguments.command == "help") {
        const std::string text =
            arguments.helpFor.empty() ? UsageText() : CommandUsageText(arguments.helpFor);
        std::fputs(text.c_str(), stdout);
        return kDone;
    }
    if (arguments.command == "version") {
        std::printf("lumaro-cli %s\n", kVersionText);
        return kDone;
    }
    StartReport(arguments);
    SetMessageLevel(arguments.quiet, arguments.verbose);
    SetFolderLockSettings({.wait = arguments.wait, .stateFolder = FindProgramFolders().state});
    LanguageTable messages;
    messages.resize(kLanguageKeyCount);
    messages.applyEnglish();
    waiveHistoryWhenTold(arguments);
    if (const int unread = ReadNamesToSelect(arguments)) return unread;
    if (arguments.command == "list") return RunList(arguments, messages);
    if (arguments.command == "date") return RunDate(arguments, messages);
    if (arguments.command == "slideshow") return RunSlideShow(arguments, messages);
    if (arguments.command == "turn") return RunTurn(arguments, messages);
    if (arguments.command == "transfer") return RunTransfer(arguments, messages);
    if (arguments.command == "delete") return RunDelete(arguments, messages);
    if (arguments.command == "devices") return RunDevices(arguments, messages);
    if (arguments.command == "shift") return RunShift(arguments, messages);
    if (arguments.command == "history") return RunHistory(arguments, messages);
    if (arguments.command == "undo") return RunUndo(arguments, messages);
    if (arguments.command == "redo") return RunRedo(arguments, messages);
    return RunNaming(arguments, messages);
}

// The command, and with --json its one document on stdout, however it ended.
int run(Arguments arguments) {
    const int code = runCommand(arguments);
    PrintReport(code);
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    SetHomeWhenUnset();  // the Trash finds the home the history uses
    const ParsedArguments parsed = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    int code = kUsage;
    if (parsed.arguments) {
        code = run(*parsed.arguments);
    } else {
        Say(parsed.error + " (lumaro-cli --help tells how to use it)");
    }
    // Output that did not reach its file (a full disk, a closed pipe) is an error of its own.
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        Say(std::string("write error on standard output: ") + std::strerror(errno ? errno : EIO));
        return kUsage;
    }
    return code;
}
