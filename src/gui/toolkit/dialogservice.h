// Every modal question, message, folder browser and dialog of the program passes through
// this one service, so tests can replace it with a scripted responder.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QDialog;
class QWidget;

namespace lumaro {

// Results of a Yes/No question, as the program has always numbered them.
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// What a Yes answer to a question does. A question whose Yes destroys something for good
// (deletes a file permanently, replaces files, goes on where nothing can be undone) shows the
// warning icon, and Enter answers No, so that a hasty key press loses nothing.
enum class QuestionRisk { Undoable, Destructive };

class DialogService {
public:
    virtual ~DialogService() = default;
    // A message box with one OK button.
    virtual void message(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A Yes/No question, with the information icon and Yes as the default button unless
    // its Yes is destructive; returns kAnswerYes or kAnswerNo.
    virtual int question(QWidget* parent, const QString& caption, const QString& text,
                         QuestionRisk risk = QuestionRisk::Undoable) = 0;
    // A question answered by one of several buttons, `choices` in order, the last of them the
    // one that cancels (Escape and the close box choose it too); returns the index chosen.
    virtual int choose(QWidget* parent, const QString& caption, const QString& text,
                       const QStringList& choices) = 0;
    // The folder chooser opened on `startFolder`; empty when nothing was chosen.
    virtual std::optional<QString> browseFolder(QWidget* parent, const QString& startFolder) = 0;
    // Shows a dialog modally; returns its QDialog result code.
    virtual int execDialog(QDialog& dialog) = 0;
};

// The service in use: the real Qt one unless a test installed another.
DialogService& Dialogs();
// Installs a service (tests); passing nullptr goes back to the real one.
void SetDialogService(std::unique_ptr<DialogService> service);

}  // namespace lumaro
