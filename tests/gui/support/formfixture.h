// A real main window on a temporary program folder, with the scripted responder installed.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "gui/app/form1.h"
#include "support/controls.h"
#include "support/scriptedresponder.h"

namespace lumaro::testing {

class FormFixture {
public:
    // Sets LUMARO_HOME to a fresh temporary folder and a screen of the given height.
    explicit FormFixture(int screenHeight = 1024);
    ~FormFixture();

    QString home() const { return dir_.path(); }
    QString settingsPath() const { return dir_.filePath(QStringLiteral("Lumaro.ini")); }
    // Writes a file into the program folder (CR LF lines when given "\r\n" in content).
    void writeHomeFile(const QString& name, const QByteArray& content) const;
    // Copies a shipped data file (French.lng, English.hlp) into the program folder.
    void installShipped(const QString& name) const;
    QByteArray readSettings() const;

    // Creates and shows the window; the responder records what it shows.
    Form1& start();
    // Closes the window as its close box does and waits until it is gone.
    void closeForm();
    Form1& form() { return *form_; }
    ScriptedResponder& responder() { return *responder_; }

private:
    QTemporaryDir dir_;
    ScriptedResponder* responder_;
    std::unique_ptr<Form1> form_;
};

}  // namespace lumaro::testing
