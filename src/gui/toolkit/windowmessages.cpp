// Messages of the main window that name pictures, and its questions.
#include "gui/toolkit/windowmessages.h"

#include "core/settings/messagekeys.h"
#include "gui/toolkit/dialogservice.h"

namespace lumaro {

QString WindowMessages::message(int key) const { return QString::fromStdString(table_.text(key)); }

// A message followed by the pictures it is about; a long list is cut short so that the box
// still fits on the screen.
QString WindowMessages::namesText(int key, const std::vector<std::string>& names) const {
    constexpr size_t kShown = 20;
    QString text = message(key);
    for (size_t i = 0; i < names.size() && i < kShown; ++i) {
        text += QStringLiteral("\n") + QString::fromStdString(names[i]);
    }
    if (names.size() > kShown) {
        text +=
            QStringLiteral("\n(%1 %2)").arg(names.size() - kShown).arg(message(kMessageMoreNames));
    }
    return text;
}

void WindowMessages::showNames(int key, const std::vector<std::string>& names) const {
    Dialogs().message(window_, QString(), namesText(key, names));
}

bool WindowMessages::refusedAsBusy(const FolderLock& lock) const {
    if (lock.busy()) Dialogs().message(window_, QString(), message(kMessageFolderBusy));
    return lock.busy();
}

int WindowMessages::confirm(const QString& text, QuestionRisk risk) const {
    return Dialogs().question(window_, message(kMessageClear), text, risk);
}

}  // namespace lumaro
