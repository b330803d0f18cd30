// An operation's outcome on stderr, and the files it kept, for the commands that run it.
#include <cstring>

#include "cli/commands.h"
#include "cli/oneline.h"
#include "cli/report.h"
#include "core/settings/messagekeys.h"

namespace lumaro::cli {

std::string ReasonOf(const LanguageTable& messages, const OutcomeFile& file) {
    if (file.messageKey < 0) return std::strerror(file.error);
    const std::string text = messages.text(file.messageKey);
    return file.detail.empty() ? text : text + " " + file.detail;
}

std::string NameWithReason(const LanguageTable& messages, const OutcomeFile& file) {
    return file.name + " (" + ReasonOf(messages, file) + ")";
}

void ReportKept(const LanguageTable& messages, const std::vector<OutcomeFile>& kept,
                FileStatus status) {
    for (const OutcomeFile& file : kept)
        ReportFile({file.name, file.newName, status, ReasonOf(messages, file)});
}

void SayKept(const LanguageTable& messages, const std::vector<OutcomeFile>& kept,
             FileStatus status) {
    if (kept.empty()) return;
    std::string text = messages.text(kMessageRenamesFailed);
    for (const OutcomeFile& file : kept)
        text += "\n" + file.name + " -> " + file.newName + " (" + ReasonOf(messages, file) + ")";
    Say(text);
    ReportKept(messages, kept, status);
}

int SayOutcome(const LanguageTable& messages, const Outcome& outcome) {
    const int key = outcome.messageKey;
    if (outcome.kind == OutcomeKind::FolderBusy) {
        SayFolderBusy();
    } else if (outcome.kind == OutcomeKind::HistoryUnwritable && !outcome.files.empty()) {
        const OutcomeFile& state = outcome.files.front();
        Say(messages.text(key) + "\n" + state.name + " (" + ReasonOf(messages, state) + ")");
    } else {
        // The system's words for the outcome's errno close its message.
        const std::string error =
            outcome.error ? std::string(" (") + std::strerror(outcome.error) + ")" : "";
        if (key >= 0 && key != kMessageRenamesFailed && DetailSeparator(key) == "\n") {
            std::vector<std::string> details = outcome.details;
            if (!error.empty()) details.push_back(error.substr(1));
            SayWithNames(messages, key, details);
        } else if (key >= 0 && key != kMessageRenamesFailed) {
            std::string text = messages.text(key);
            for (const std::string& detail : outcome.details) text += " " + OnOneLine(detail);
            Say(text + error);
        }
        SayKept(messages, outcome.files,
                outcome.kind == OutcomeKind::SomeKept ? FileStatus::Kept : FileStatus::Refused);
    }
    return ExitCodeFor(outcome);
}

}  // namespace lumaro::cli
