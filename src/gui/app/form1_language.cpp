// The language list and the relabelling of the window when a language is applied.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/settings/constants.h"
#include "core/settings/messagekeys.h"
#include "gui/app/form1.h"
#include "gui/naming/namingarea.h"
#include "gui/toolkit/dialogservice.h"

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

void Form1::FillLanguageList() {
    combo_Languages->clear();
    languageFiles_.clear();
    combo_Languages->addItem(QString::fromLatin1(kEnglish));
    for (LanguageFile& file : ListProgramLanguageFiles(context_.programFolders())) {
        combo_Languages->addItem(QString::fromStdString(file.name));
        if (file.name == languageName)
            combo_Languages->setCurrentIndex(combo_Languages->count() - 1);
        languageFiles_.push_back(std::move(file));
    }
    const int found = FindLanguage(languageList(), languageName);
    if (found < 0) {
        Dialogs().message(this, QString(),
                          QString::fromStdString(LanguageNotFoundText(languageName)));
    }
    ApplyLanguage(found);
}

std::vector<std::string> Form1::languageList() const {
    std::vector<std::string> languages{kEnglish};
    for (const LanguageFile& file : languageFiles_) languages.push_back(file.name);
    return languages;
}

// A language file that cannot be read never closes the program nor leaves it without texts:
// at start-up the built-in English texts take its place, later the language shown stays.
// Either way the language in use is the one the settings keep.
void Form1::ApplyLanguage(int index) {
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
                          ? message(kMessageLanguageFileUnreadable) + QStringLiteral(" ") +
                                QString::fromStdString(path)
                          : QString::fromStdString(LanguageFileErrorText(chosen, result.faultyKey));
            Dialogs().message(this, QString(), refusal);
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
    fitControlsToTexts();
    placeLabelsAgainstTextBoxes();
    setTooltips();

    showLanguageInList();
    chooseHelpFile();
}

void Form1::showLanguageInList() {
    const int shown = combo_Languages->findText(QString::fromStdString(languageName),
                                                Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (shown >= 0) combo_Languages->setCurrentIndex(shown);
}

void Form1::relabelControls() {
    for (const Caption& caption : kCaptions) {
        if (QWidget* control = findChild<QWidget*>(QLatin1String(caption.control))) {
            setCaption(control, message(caption.key));
        }
    }
    naming_->relabel();
}

void Form1::setTooltips() {
    for (const Caption& tooltip : kTooltips) {
        if (QWidget* control = findChild<QWidget*>(QLatin1String(tooltip.control))) {
            control->setToolTip(message(tooltip.key));
        }
    }
}

// Each label ends 5 pixels left of its text box; the folder box gives way to the label of
// the file count when they would overlap.
void Form1::placeLabelsAgainstTextBoxes() {
    const std::pair<QLabel*, QLineEdit*> pairs[] = {
        {label_Dossier, textb_Dossier},
        {label_FichiersAuDossier, textb_FichiersAuDossier},
        {label_Caption, textb_Caption}};
    for (auto [label, box] : pairs) {
        label->adjustSize();
        label->move(box->x() - label->width() - 5, label->y());
    }
    if (label_FichiersAuDossier->x() < textb_Dossier->x() + textb_Dossier->width()) {
        textb_Dossier->resize(label_FichiersAuDossier->x() - textb_Dossier->x() - 5,
                              textb_Dossier->height());
    }
}

void Form1::chooseHelpFile() {
    helpFilePath = HelpFilePath(context_.programFolders(), languageName);
}

void Form1::combo_Languages_Select() { ApplyLanguage(combo_Languages->currentIndex()); }

void Form1::combo_Languages_DoubleClick() { ApplyLanguage(combo_Languages->currentIndex()); }

}  // namespace lumaro
