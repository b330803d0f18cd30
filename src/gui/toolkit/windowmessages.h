// The main window's messages that name pictures, and its yes-or-no questions, with their
// texts from the message table.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "core/locking/folderlock.h"
#include "core/settings/languagetable.h"
#include "gui/toolkit/dialogservice.h"

class QWidget;

namespace lumaro {

class WindowMessages {
public:
    WindowMessages(QWidget* window, const LanguageTable& table) : window_(window), table_(table) {}

    // Message `key` followed by the names, twenty at most, then how many more.
    QString namesText(int key, const std::vector<std::string>& names) const;
    void showNames(int key, const std::vector<std::string>& names) const;
    // Says that another program is changing the folder when `lock` could not be had: true
    // then, and the caller changes nothing.
    bool refusedAsBusy(const FolderLock& lock) const;
    // Asks `text` under the window's question caption; the answer of the message box.
    int confirm(const QString& text, QuestionRisk risk = QuestionRisk::Undoable) const;

private:
    QString message(int key) const;

    QWidget* window_;
    const LanguageTable& table_;
};

}  // namespace lumaro
