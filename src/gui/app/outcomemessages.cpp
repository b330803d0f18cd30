// Outcomes of operations told in message boxes (see outcomemessages.h).
#include "gui/app/outcomemessages.h"

#include <cstring>

#include "gui/app/windowmessages.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"

namespace lumaro {

QString ReasonText(const LanguageTable& table, const OutcomeFile& file) {
    if (file.messageKey >= 0) return QString::fromStdString(table.text(file.messageKey));
    if (file.error != 0) return QString::fromLocal8Bit(std::strerror(file.error));
    return {};
}

namespace {

// The outcome's message, then what it names and why the system refused it, a line each.
QString refusalText(const LanguageTable& table, const Outcome& outcome) {
    QString text = QString::fromStdString(table.text(outcome.messageKey));
    if (outcome.kind == OutcomeKind::HistoryUnwritable && !outcome.files.empty()) {
        const std::string why = outcome.details.empty() ? "" : outcome.details.front();
        return text + QLatin1Char('\n') + PathText(outcome.files.front().name) +
               QStringLiteral(" (") + QString::fromLocal8Bit(why.c_str()) + QLatin1Char(')');
    }
    for (const std::string& detail : outcome.details) text += QLatin1Char('\n') + PathText(detail);
    if (outcome.error != 0)
        text += QLatin1Char('\n') + QString::fromLocal8Bit(std::strerror(outcome.error));
    return text;
}

}  // namespace

void ShowOutcome(QWidget* window, const LanguageTable& table, const Outcome& outcome) {
    if (outcome.done()) return;
    if (outcome.kind != OutcomeKind::SomeKept) {
        Dialogs().message(window, QString(), refusalText(table, outcome));
        return;
    }
    std::vector<std::string> kept;
    for (const OutcomeFile& file : outcome.files) {
        if (!file.kept()) continue;
        const QString reason = ReasonText(table, file);
        QString line = PathText(file.name);
        if (!reason.isEmpty()) line += QStringLiteral(" (") + reason + QLatin1Char(')');
        kept.push_back(line.toStdString());
    }
    if (!kept.empty()) WindowMessages(window, table).showNames(outcome.messageKey, kept);
}

}  // namespace lumaro
