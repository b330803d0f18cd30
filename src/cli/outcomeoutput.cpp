// An operation's outcome on stderr, and the files it kept, for the commands that run it.
#include <cstring>

#include "cli/commands.h"
#include "cli/oneline.h"
#include "core/settings/messagekeys.h"

namespace lumaro::cli {

namespace {

std::string reasonOf(const LanguageTable& messages, const OutcomeFile& file) {
    return file.messageKey >= 0 ? messages.text(file.messageKey) : std::strerror(file.error);
}

}  // namespace

void SayKept(const LanguageTable& messages, const std::vector<OutcomeFile>& kept) {
    if (kept.empty()) return;
    std::string text = messages.text(kMessageRenamesFailed);
    for (const OutcomeFile& file : kept)
        text += "\n" + file.name + " -> " + file.newName + " (" + reasonOf(messages, file) + ")";
    Say(text);
}

std::vector<KeptFile> KeptFilesOf(const LanguageTable& messages,
                                  const std::vector<OutcomeFile>& kept) {
    std::vector<KeptFile> files;
    for (const OutcomeFile& file : kept)
        files.push_back({file.name, file.newName, reasonOf(messages, file)});
    return files;
}

int SayOutcome(const LanguageTable& messages, const Outcome& outcome) {
    const int key = outcome.messageKey;
    if (outcome.kind == OutcomeKind::FolderBusy) {
        SayFolderBusy();
    } else if (outcome.kind == OutcomeKind::HistoryUnwritable && !outcome.files.empty()) {
        const OutcomeFile& state = outcome.files.front();
        Say(messages.text(key) + "\n" + state.name + " (" + reasonOf(messages, state) + ")");
    } else {
        if (key >= 0 && key != kMessageRenamesFailed && DetailSeparator(key) == "\n") {
            SayWithNames(messages, key, outcome.details);
        } else if (key >= 0 && key != kMessageRenamesFailed) {
            std::string text = messages.text(key);
            for (const std::string& detail : outcome.details) text += " " + OnOneLine(detail);
            Say(text);
        }
        SayKept(messages, outcome.files);
    }
    return ExitCodeFor(outcome);
}

}  // namespace lumaro::cli
