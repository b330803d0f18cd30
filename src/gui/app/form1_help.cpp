// Help and about.
#include "core/settings/constants.h"
#include "core/settings/messagekeys.h"
#include "gui/app/form1.h"
#include "gui/app/helpwindow.h"
#include "gui/app/windowlanguage.h"
#include "gui/toolkit/dialogservice.h"

namespace lumaro {

void Form1::cb_Aide_Click() {
    // A missing help file shows nothing, as the help button has always done.
    helpWindow->showHelp(QString::fromStdString(language_->helpFile()));
}

void Form1::cb_About_Click() {
    // The licence line is the same in every language: it names the licence by its identifier.
    const QString text = message(kMessageProgramTitle) + QStringLiteral("\n\n") +
                         message(kMessageWrittenBy) + QStringLiteral("\n\n") +
                         QStringLiteral("Licence: ") + QString::fromLatin1(kLicence) +
                         QStringLiteral("\n\n") + message(kMessageVersion) + QStringLiteral(" ") +
                         QString::fromStdString(versionText);
    Dialogs().message(this, message(kMessageAbout), text);
}

}  // namespace lumaro
