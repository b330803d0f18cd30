// Running an operation from the window: its progress on progb_1, the question asked once for a
// folder whose history cannot be written, and the message of a folder another program holds.
#include "gui/toolkit/windowcontext.h"

#include "core/settings/messagekeys.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/outcomemessages.h"

namespace lumaro {

bool WindowContext::goOnWithoutHistory(const std::string& folder) {
    if (!historyWaivedFolder_.empty() && historyWaivedFolder_ == folder) return true;
    const Outcome history = CheckHistory(folder);
    return history.done() || askToGoOnWithoutHistory(folder, history);
}

bool WindowContext::askToGoOnWithoutHistory(const std::string& folder, const Outcome& refusal) {
    const OutcomeFile state = refusal.files.empty() ? OutcomeFile{} : refusal.files.front();
    const QString question = message(kMessageContinueWithoutHistory)
                                 .arg(PathText(state.name))
                                 .arg(ReasonText(table_, state));
    // Without a history nothing done can be undone.
    if (Dialogs().question(&window_, QString(), question, QuestionRisk::Destructive) != kAnswerYes)
        return false;
    historyWaivedFolder_ = folder;  // asked once for the folder while the program runs
    return true;
}

Outcome WindowContext::runOperation(const std::string& folder,
                                    const std::function<Outcome(const RunOptions&)>& operation) {
    RunOptions options;
    options.historyWaived = !historyWaivedFolder_.empty() && historyWaivedFolder_ == folder;
    Outcome outcome;
    const auto run = [&] {
        progress_.run([&](const ListProgress& reporter) {
            options.progress = reporter;
            outcome = operation(options);
        });
    };
    run();
    if (outcome.kind == OutcomeKind::HistoryUnwritable) {
        if (!askToGoOnWithoutHistory(folder, outcome)) return outcome;
        options.historyWaived = true;
        run();
    }
    if (outcome.kind == OutcomeKind::FolderBusy) ShowOutcome(&window_, table_, outcome);
    return outcome;
}

}  // namespace lumaro
