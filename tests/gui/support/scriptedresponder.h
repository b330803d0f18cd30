// Stands in for every message box, question, folder browser and dialog: records what the
// program showed and answers from a queue.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "gui/toolkit/dialogservice.h"

namespace lumaro::testing {

struct Shown {
    QString kind;  // "message", "question", "browse" or the dialog's objectName
    QString caption;
    QString text;
    QStringList choices;  // the buttons of a question with several answers
};

class ScriptedResponder : public DialogService {
public:
    // Installs a fresh responder as the program's dialog service and returns it.
    static ScriptedResponder& install();

    void message(QWidget* parent, const QString& caption, const QString& text) override;
    int question(QWidget* parent, const QString& caption, const QString& text,
                 QuestionRisk risk) override;
    int choose(QWidget* parent, const QString& caption, const QString& text,
               const QStringList& choices) override;
    std::optional<QString> browseFolder(QWidget* parent, const QString& startFolder) override;
    int execDialog(QDialog& dialog) override;

    // Queued answers; an empty queue answers No, cancels the browser and rejects dialogs.
    // A question with several answers takes the index of its button from `answers`, and an
    // empty queue takes its last button, the one that cancels.
    std::deque<int> answers;
    std::deque<std::optional<QString>> folders;
    std::deque<std::function<int(QDialog&)>> dialogActions;

    QList<Shown> shown;
    QStringList texts() const;
};

}  // namespace lumaro::testing
