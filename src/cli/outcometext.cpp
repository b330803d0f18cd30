// Outcomes told on stderr, in the message table's words (see outcometext.h).
#include "cli/outcometext.h"

#include <cstring>

#include "cli/commands.h"
#include "cli/exitcode.h"

namespace lumaro::cli {

std::string ReasonOf(const LanguageTable& messages, const OutcomeFile& file) {
    if (file.messageKey >= 0) return messages.text(file.messageKey);
    if (file.error != 0) return std::strerror(file.error);
    return {};
}

std::string NameWithReason(const LanguageTable& messages, const OutcomeFile& file) {
    const std::string reason = ReasonOf(messages, file);
    return reason.empty() ? file.name : file.name + " (" + reason + ")";
}

int SayRefusal(const LanguageTable& messages, const Outcome& outcome) {
    if (outcome.kind == OutcomeKind::FolderBusy) {
        SayFolderBusy();
        return ExitCodeFor(outcome);
    }
    std::string text = outcome.messageKey >= 0 ? messages.text(outcome.messageKey) : "";
    if (outcome.kind == OutcomeKind::HistoryUnwritable && !outcome.files.empty()) {
        const std::string why = outcome.details.empty() ? "" : outcome.details.front();
        text += "\n" + outcome.files.front().name + " (" + why + ")";
    } else {
        for (const std::string& detail : outcome.details) text += " " + detail;
        if (outcome.error != 0) text += std::string(" (") + std::strerror(outcome.error) + ")";
    }
    Say(text);
    return ExitCodeFor(outcome);
}

}  // namespace lumaro::cli
