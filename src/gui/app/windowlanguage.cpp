// The language list and the relabelling of the window when a language is applied.
#include "gui/app/windowlanguage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/settings/constants.h"
#include "core/settings/messagekeys.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/windowcontext.h"

namespace lumaro {

namespace {
struct Caption {
    int key;
    const char* control;
};

// The controls whose captions come from the message table; cb_Sort's depends on the order
// its next click selects.
constexpr Caption kCaptions[] = {
    {kMessageCurrentFolderLabel, "label_Dossier"},
    {kMessageFilesInFolderLabel, "label_FichiersAuDossier"},
    {kMessageOnDiskLabel, "label_Avant"},
    {kMessageMoveGroup, "groupb_Move"},
    {kMessageHelp, "cb_Aide"},
    {kMessageAbout, "cb_About"},
    {kMessageCancelMove, "cb_AnnulerDeplacer"},
    {kMessageAcceptMove, "cb_AccepterDeplacer"},
    {kMessageToFolder, "cb_VersDossier"},
    {kMessageFileNamesGroup, "groupb_FileName"},
    {kMessageTypeLabel, "label_Type"},
    {kMessageCaptionLabel, "label_Caption"},
    {kMessageCommandsGroup, "groupb_Exec"},
    {kMessageFolderButton, "cb_Dossier"},
    {kMessageSelectAllButton, "cb_Tout"},
    {kMessageRename, "cb_Renommer"},
    {kMessageRenumber, "cb_Renumeroter"},
    {kMessageApply, "cb_Appliquer"},
    {kMessageCancelRename, "cb_AnnulerRenommage"},
    {kMessageCancelApply, "cb_AnnulerApplication"},
    {kMessageCancelRenumber, "cb_AnnulerRenumerotage"},
    {kMessageSlideShowButton, "cb_Diaporama"},
    {kMessageQuit, "cb_Quit"},
    {kMessageMemo, "cb_Memo"},
};

constexpr Caption kTooltips[] = {
    {kMessageSortIsByPictureDate, "cb_Sort"},
    {kMessageMemoHint, "cb_Memo"},
    {kMessageClearCaptionsHint, "pictbttn_ClearCaptions"},
    {kMessageClearList, "pictbttn_ClearTypes"},
    {kMessagePictureDate, "pictbttn_Date"},
    {kMessageTenTowardStartHint, "pictbttn_ToStart10"},
    {kMessageOneTowardStartHint, "pictbttn_ToStart1"},
    {kMessageToChosenPlaceHint, "pictbttn_TargetMove"},
    {kMessageOneTowardEndHint, "pictbttn_ToEnd1"},
    {kMessageTenTowardEndHint, "pictbttn_ToEnd10"},
    {kMessageDeleteToTrashHint, "pictbttn_Del"},
    {kMessageTurnRightHint, "pictbttn_090"},
    {kMessageTurnLeftHint, "pictbttn_270"},
    {kMessageTurnUpsideDownHint, "pictbttn_180"},
};

void setCaption(QWidget* control, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
        label->adjustSize();  // labels size themselves to their caption
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    }
}
}  // namespace

WindowLanguage::WindowLanguage(WindowContext& context, std::function<void()> relabelled)
    : context_(context),
      combo_Languages(context.window().findChild<QComboBox*>(QStringLiteral("combo_Languages"))),
      relabelled_(std::move(relabelled)) {}

void WindowLanguage::fill() {
    combo_Languages->clear();
    languageFiles_.clear();
    // Each language is named in itself, and by its file too when another file took that name;
    // the item's data is the language the settings keep.
    combo_Languages->addItem(QString::fromLatin1(kEnglish), QString::fromLatin1(kEnglish));
    for (LanguageFile& file : ListProgramLanguageFiles(context_.programFolders())) {
        const QString fileLanguage = QString::fromStdString(file.name);
        QString shown = QString::fromStdString(LanguageOwnName(file.path, file.name));
        if (combo_Languages->findText(shown, Qt::MatchFixedString) >= 0 && shown != fileLanguage)
            shown += QStringLiteral(" (") + fileLanguage + QStringLiteral(")");
        combo_Languages->addItem(shown, fileLanguage);
        if (file.name == languageName)
            combo_Languages->setCurrentIndex(combo_Languages->count() - 1);
        languageFiles_.push_back(std::move(file));
    }
    const int found = FindLanguage(languageList(), languageName);
    if (found < 0) {
        Dialogs().message(&context_.window(), QString(),
                          QString::fromStdString(LanguageNotFoundText(languageName)));
    }
    apply(found);
}

std::vector<std::string> WindowLanguage::languageList() const {
    std::vector<std::string> languages{kEnglish};
    for (const LanguageFile& file : languageFiles_) languages.push_back(file.name);
    return languages;
}

// A language file that cannot be read never closes the program nor leaves it without texts:
// at start-up the built-in English texts take its place, later the language shown stays.
// Either way the language in use is the one the settings keep.
void WindowLanguage::apply(int index) {
    const bool fromFile = index >= 1 && index <= static_cast<int>(languageFiles_.size());
    std::string chosen = fromFile ? languageFiles_[index - 1].name : std::string(kEnglish);
    QString refusal;
    if (chosen != kEnglish) {
        const std::string& path = languageFiles_[index - 1].path;
        const LanguageLoadResult result = context_.languageTable().applyFile(path);
        if (result.status != LanguageLoadResult::Status::Loaded) {
            if (!languageShown_)
                context_.languageTable().applyEnglish();  // the message needs texts too
            refusal = result.status == LanguageLoadResult::Status::CannotOpen
                          ? context_.message(kMessageLanguageFileUnreadable) + QStringLiteral(" ") +
                                QString::fromStdString(path)
                          : QString::fromStdString(LanguageFileErrorText(chosen, result.faultyKey));
            Dialogs().message(&context_.window(), QString(), refusal);
            if (languageShown_) {
                showLanguageInList();
                return;
            }
            chosen = kEnglish;
        }
    }
    languageName = chosen;
    if (languageName == kEnglish) context_.languageTable().applyEnglish();
    languageShown_ = true;
    relabelControls();
    relabelled_();
    setTooltips();

    showLanguageInList();
    chooseHelpFile();
}

void WindowLanguage::showLanguageInList() {
    const int shown = combo_Languages->findData(QString::fromStdString(languageName), Qt::UserRole,
                                                Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (shown >= 0) combo_Languages->setCurrentIndex(shown);
}

void WindowLanguage::relabelControls() {
    for (const Caption& caption : kCaptions) {
        if (QWidget* control =
                context_.window().findChild<QWidget*>(QLatin1String(caption.control))) {
            setCaption(control, context_.message(caption.key));
        }
    }
}

void WindowLanguage::setTooltips() {
    for (const Caption& tooltip : kTooltips) {
        if (QWidget* control =
                context_.window().findChild<QWidget*>(QLatin1String(tooltip.control))) {
            control->setToolTip(context_.message(tooltip.key));
        }
    }
}

void WindowLanguage::chooseHelpFile() {
    helpFilePath = HelpFilePath(context_.programFolders(), languageName);
}

void WindowLanguage::applyChosen() { apply(combo_Languages->currentIndex()); }

void WindowLanguage::selectInList() {
    if (const int shown = FindLanguage(languageList(), languageName); shown >= 0) {
        combo_Languages->setCurrentIndex(shown);
    }
}

}  // namespace lumaro
