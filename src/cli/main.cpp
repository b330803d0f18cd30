// lumaro-cli: the naming, turning, moving and deleting operations of Lumaro from a shell or a
// script.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "core/settings/constants.h"

int main(int argc, char** argv) {
    using namespace lumaro;
    using namespace lumaro::cli;
    const ParsedArguments parsed = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.arguments) {
        Say("lumaro-cli: " + parsed.error + " (lumaro-cli --help tells how to use it)");
        return kUsage;
    }
    const Arguments& arguments = *parsed.arguments;
    if (arguments.command == "help") {
        std::fputs(UsageText(), stdout);
        return kDone;
    }
    if (arguments.command == "version") {
        std::printf("lumaro-cli %s\n", kVersionText);
        return kDone;
    }
    LanguageTable messages;
    messages.resize(kLanguageKeyCount);
    messages.applyEnglish();
    if (arguments.command == "list") return RunList(arguments, messages);
    if (arguments.command == "date") return RunDate(arguments, messages);
    if (arguments.command == "slideshow") return RunSlideShow(arguments, messages);
    if (arguments.command == "turn") return RunTurn(arguments, messages);
    if (arguments.command == "transfer") return RunTransfer(arguments, messages);
    if (arguments.command == "delete") return RunDelete(arguments, messages);
    if (arguments.command == "history") return RunHistory(arguments, messages);
    if (arguments.command == "undo") return RunUndo(arguments, messages);
    return RunNaming(arguments, messages);
}
