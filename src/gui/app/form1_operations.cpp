// Running an operation from the window: its progress on progb_1, the question asked once for a
// folder whose history cannot be written, and the message of a folder another program holds.
#include "core/settings/messagekeys.h"
#include "gui/app/form1.h"
#include "gui/app/outcomemessages.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"

namespace lumaro {

bool Form1::goOnWithoutHistory(const std::string& folder) {
    if (!historyWaivedFolder_.empty() && historyWaivedFolder_ == folder) return true;
    const Outcome history = CheckHistory(folder);
    return history.done() || askToGoOnWithoutHistory(folder, history);
}

bool Form1::askToGoOnWithoutHistory(const std::string& folder, const Outcome& refusal) {
    const OutcomeFile state = refusal.files.empty() ? OutcomeFile{} : refusal.files.front();
    const QString question = message(kMessageContinueWithoutHistory)
                                 .arg(PathText(state.name))
                                 .arg(ReasonText(languageTable_, state));
    if (Dialogs().question(this, QString(), question) != kAnswerYes) return false;
    historyWaivedFolder_ = folder;  // asked once for the folder while the program runs
    return true;
}

Outcome Form1::runOperation(const std::string& folder,
                            const std::function<Outcome(const RunOptions&)>& operation) {
    RunOptions options;
    options.historyWaived = !historyWaivedFolder_.empty() && historyWaivedFolder_ == folder;
    Outcome outcome;
    const auto run = [&] {
        progress().run([&](const ListProgress& reporter) {
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
    if (outcome.kind == OutcomeKind::FolderBusy) ShowOutcome(this, languageTable_, outcome);
    return outcome;
}

}  // namespace lumaro
