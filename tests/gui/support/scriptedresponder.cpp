// The scripted responder: records what the program showed and answers from its queues.
#include "support/scriptedresponder.h"

#include <memory>

namespace lumaro::testing {

ScriptedResponder& ScriptedResponder::install() {
    auto responder = std::make_unique<ScriptedResponder>();
    ScriptedResponder& ref = *responder;
    SetDialogService(std::move(responder));
    return ref;
}

void ScriptedResponder::message(QWidget*, const QString& caption, const QString& text) {
    shown.append({QStringLiteral("message"), caption, text});
}

int ScriptedResponder::question(QWidget*, const QString& caption, const QString& text,
                                QuestionRisk) {
    shown.append({QStringLiteral("question"), caption, text});
    if (answers.empty()) return kAnswerNo;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

int ScriptedResponder::choose(QWidget*, const QString& caption, const QString& text,
                              const QStringList& choices) {
    shown.append({QStringLiteral("choice"), caption, text, choices});
    if (answers.empty()) return static_cast<int>(choices.size()) - 1;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedResponder::browseFolder(QWidget*, const QString& startFolder) {
    shown.append({QStringLiteral("browse"), QString(), startFolder});
    if (folders.empty()) return std::nullopt;
    auto folder = folders.front();
    folders.pop_front();
    return folder;
}

int ScriptedResponder::execDialog(QDialog& dialog) {
    shown.append({dialog.objectName(), dialog.windowTitle(), QString()});
    if (dialogActions.empty()) return QDialog::Rejected;
    auto action = std::move(dialogActions.front());
    dialogActions.pop_front();
    return action(dialog);
}

QStringList ScriptedResponder::texts() const {
    QStringList list;
    for (const Shown& s : shown) list << s.text;
    return list;
}

}  // namespace lumaro::testing
