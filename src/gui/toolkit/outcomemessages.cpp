// An operation's outcome as the window's messages, in the user's language.
#include "gui/toolkit/outcomemessages.h"

#include <cstring>

#include "core/settings/messagekeys.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/windowmessages.h"
#include "operations/renameoutcome.h"

namespace lumaro {

namespace {

QString textOf(const LanguageTable& table, int key) {
    return QString::fromStdString(table.text(key));
}

// "old -> new (why)", or "name (why)" for a file that was to go nowhere.
std::string fileLine(const LanguageTable& table, const OutcomeFile& file) {
    std::string line = file.name;
    if (!file.newName.empty()) line += " -> " + file.newName;
    return line + " (" + ReasonText(table, file).toStdString() + ")";
}

void showMessage(QWidget* window, const LanguageTable& table, const Outcome& outcome) {
    const WindowMessages messages(window, table);
    if (DetailSeparator(outcome.messageKey) == "\n") {
        messages.showNames(outcome.messageKey, outcome.details);
        return;
    }
    QString text = textOf(table, outcome.messageKey);
    for (const std::string& detail : outcome.details)
        text += QStringLiteral(" ") + QString::fromStdString(detail);
    if (outcome.error != 0)
        text += QStringLiteral(" (") + QString::fromLocal8Bit(std::strerror(outcome.error)) +
                QLatin1Char(')');
    Dialogs().message(window, QString(), text);
}

}  // namespace

QString ReasonText(const LanguageTable& table, const OutcomeFile& file) {
    if (file.messageKey < 0) return QString::fromLocal8Bit(std::strerror(file.error));
    const QString text = textOf(table, file.messageKey);
    return file.detail.empty() ? text
                               : text + QLatin1Char(' ') + QString::fromStdString(file.detail);
}

void ShowOutcome(QWidget* window, const LanguageTable& table, const Outcome& outcome) {
    if (outcome.kind == OutcomeKind::HistoryUnwritable && !outcome.files.empty()) {
        const OutcomeFile& state = outcome.files.front();
        Dialogs().message(window, QString(),
                          textOf(table, outcome.messageKey) + QStringLiteral("\n") +
                              PathText(state.name) + QStringLiteral(" (") +
                              ReasonText(table, state) + QStringLiteral(")"));
        return;
    }
    // The files kept follow the message that tells them, when it tells nothing else.
    const bool headsFiles =
        outcome.kind == OutcomeKind::SomeKept && outcome.messageKey >= 0 && outcome.details.empty();
    if (outcome.messageKey >= 0 && outcome.messageKey != kMessageRenamesFailed && !headsFiles)
        showMessage(window, table, outcome);
    if (outcome.files.empty()) return;
    std::vector<std::string> lines;
    lines.reserve(outcome.files.size());
    for (const OutcomeFile& file : outcome.files) lines.push_back(fileLine(table, file));
    WindowMessages(window, table)
        .showNames(headsFiles ? outcome.messageKey : kMessageRenamesFailed, lines);
}

}  // namespace lumaro
