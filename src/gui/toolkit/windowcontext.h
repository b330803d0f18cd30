// What the main window lends the areas it puts together: itself as the parent of their controls,
// the texts of the user's language, its progress bar and messages, the program's folders, the
// screen, and the running of an operation with the question of a history that cannot be written.
#pragma once

#include <QRect>
#include <QString>
#include <functional>
#include <string>

#include "core/settings/languagetable.h"
#include "core/settings/programfolder.h"
#include "gui/toolkit/progressreport.h"
#include "gui/toolkit/windowmessages.h"
#include "operations/folderrun.h"
#include "operations/outcome.h"

class QWidget;

namespace lumaro {

class WindowContext {
public:
    explicit WindowContext(QWidget& window) : window_(window) {}

    QWidget& window() const { return window_; }
    // The text of message `key` of the message table, for display.
    QString message(int key) const { return QString::fromStdString(table_.text(key)); }
    LanguageTable& languageTable() { return table_; }
    const LanguageTable& languageTable() const { return table_; }
    // Progress of long work on progb_1, and the messages that name pictures.
    ProgressReport& progress() { return progress_; }
    const WindowMessages& messages() const { return messages_; }

    const ProgramFolders& programFolders() const { return folders_; }
    void setProgramFolders(ProgramFolders folders) { folders_ = std::move(folders); }
    const QRect& screenArea() const { return screen_; }
    void setScreenArea(const QRect& screen) { screen_ = screen; }

    // Writes the settings file now, as the window keeps it.
    void saveSettings() const {
        if (saveSettings_) saveSettings_();
    }
    void onSaveSettings(std::function<void()> save) { saveSettings_ = std::move(save); }

    // Before an operation that the history of `folder` records: true when it can be recorded,
    // or when the user chose to go on without a history.
    bool goOnWithoutHistory(const std::string& folder);
    // Runs an operation on `folder` with its progress on progb_1. Where the folder's history
    // cannot be written, asks once for the folder whether to go on without one, and runs it
    // again then; a folder another program is changing is said. Returns the outcome,
    // HistoryUnwritable when the user chose not to go on.
    Outcome runOperation(const std::string& folder,
                         const std::function<Outcome(const RunOptions&)>& operation);

private:
    bool askToGoOnWithoutHistory(const std::string& folder, const Outcome& refusal);

    QWidget& window_;
    LanguageTable table_;
    ProgressReport progress_;
    WindowMessages messages_{&window_, table_};
    ProgramFolders folders_;
    QRect screen_;
    std::function<void()> saveSettings_;
    std::string historyWaivedFolder_;  // the folder whose operations go on without a history
};

}  // namespace lumaro
