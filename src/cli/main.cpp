// lumaro-cli: the naming, turning, moving and deleting operations of Lumaro from a shell or a
// script.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "core/files/folderentries.h"
#include "core/history/history.h"
#include "core/locking/folderlock.h"
#include "core/settings/constants.h"
#include "core/settings/messagekeys.h"
#include "core/settings/programfolder.h"
#include "operations/folderrun.h"

namespace {

using namespace lumaro;
using namespace lumaro::cli;

// A command that changes files is recorded in the history of each folder it changes: where
// that history cannot be written it is refused before it changes anything, unless
// --no-history says to go on without one. The naming commands' operations check it as they
// run; the others are checked here, first.
int checkHistory(const Arguments& arguments, const LanguageTable& messages) {
    if (!ChangesFiles(arguments.command) || arguments.dryRun) return kDone;
    if (arguments.noHistory) {
        SetHistoryEnabled(false);
        return kDone;
    }
    static const std::set<std::string> kRunChecked = {"load", "caption", "renumber", "move",
                                                      "slideshow"};
    if (kRunChecked.count(arguments.command)) return kDone;
    const bool files = arguments.command == "turn" || arguments.command == "delete";
    std::set<std::string> folders;
    for (const std::string& path : arguments.paths)
        folders.insert(files ? path.substr(0, path.rfind('/') + 1) : path);
    for (const std::string& folder : folders) {
        const Outcome history = CheckHistory(folder);
        if (!history.done()) return SayOutcome(messages, history);
    }
    return kDone;
}

int run(const Arguments& arguments) {
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
    SetMessageLevel(arguments.quiet, arguments.verbose);
    SetFolderLockSettings({.wait = arguments.wait, .stateFolder = FindProgramFolders().state});
    LanguageTable messages;
    messages.resize(kLanguageKeyCount);
    messages.applyEnglish();
    if (const int refused = checkHistory(arguments, messages)) return refused;
    if (arguments.command == "list") return RunList(arguments, messages);
    if (arguments.command == "date") return RunDate(arguments, messages);
    if (arguments.command == "slideshow") return RunSlideShow(arguments, messages);
    if (arguments.command == "turn") return RunTurn(arguments, messages);
    if (arguments.command == "transfer") return RunTransfer(arguments, messages);
    if (arguments.command == "delete") return RunDelete(arguments, messages);
    if (arguments.command == "history") return RunHistory(arguments, messages);
    if (arguments.command == "undo") return RunUndo(arguments, messages);
    if (arguments.command == "redo") return RunRedo(arguments, messages);
    return RunNaming(arguments, messages);
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
