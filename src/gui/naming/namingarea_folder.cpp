// Choosing the file type and the folder, loading it, and listing it again in another order.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include "core/files/folderentries.h"
#include "core/names/namecompare.h"
#include "core/settings/constants.h"
#include "core/settings/messagekeys.h"
#include "gui/naming/formatnom.h"
#include "gui/naming/namingarea.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/outcomemessages.h"
#include "operations/loadoperation.h"

namespace lumaro {

void NamingArea::ShowPictureList() {
    QStringList names;
    names.reserve(static_cast<int>(pictures_.avant.size()));
    for (const PictureEntry& entry : pictures_.avant)
        names.append(QString::fromStdString(entry.base));
    // Refilling is not a choice of the user: it raises no selection event.
    const QSignalBlocker quiet(lb_Avant);
    lb_Avant->setUpdatesEnabled(false);
    lb_Avant->clear();
    lb_Avant->addItems(names);
    lb_Avant->setUpdatesEnabled(true);
    // The count follows the list through every change, down to none left.
    textb_FichiersAuDossier->setText(
        pictures_.pictureCount >= 0 ? QString::number(pictures_.pictureCount) : QString());
}

int NamingArea::RefreshList(ListCriterion criterion) {
    progress().start();
    FolderListing listing =
        ListPictures(pictures_.currentFolder, pictures_.fileType, criterion, progress().reporter());
    progress().finish();
    const bool withoutDate = listing.someWithoutDate;
    ApplyListing(pictures_, std::move(listing));
    if (pictures_.pictureCount >= 0) ShowPictureList();
    if (criterion == ListCriterion::Date && withoutDate)
        Dialogs().message(&window_, QString(), message(kMessageUndatedPicturesFirst));
    return pictures_.pictureCount;
}

void NamingArea::cb_Dossier_Click() {
    if (!takeFileType()) return;
    const QString start =
        currentFolder.empty() ? QDir::homePath() : QString::fromStdString(currentFolder);
    const std::optional<QString> chosen = Dialogs().browseFolder(&window_, start);
    if (chosen) openFolder(chosen->toStdString());
}

void NamingArea::OpenFolderAtStart(const std::string& folder) {
    if (!takeFileType()) return;
    if (!IsListableFolder(folder)) {
        Dialogs().message(&window_, QString(),
                          message(kMessageStartFolderNotOpened) + QStringLiteral("\n") +
                              QString::fromStdString(folder));
        return;
    }
    openFolder(folder);
}

// Checks the typed file type and records a new one in the type list; false when refused.
bool NamingArea::takeFileType() {
    const std::string typed = textb_FileType->text().toStdString();
    switch (ValidateFileType(typed)) {
        case FileTypeCheck::Empty:
            Dialogs().message(&window_, message(kMessageFolder), message(kMessageSpecifyFileType));
            return false;
        case FileTypeCheck::NotInFileName:
            Dialogs().message(&window_, message(kMessageFolder),
                              message(kMessageFileTypeNotInFileName));
            return false;
        case FileTypeCheck::Ok:
            break;
    }
    if (combo_FileTypes->findText(textb_FileType->text(),
                                  Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        combo_FileTypes->insertItem(2, textb_FileType->text());
        combo_FileTypes->setCurrentIndex(0);
        pictbttn_ClearTypes->setEnabled(true);
        context_.saveSettings();
    }
    pictures_.fileType = ToLowerAscii(typed);
    return true;
}

// Empties the list and the slots and loads the folder.
void NamingArea::openFolder(const std::string& folder) {
    for (int slot = 1; slot <= 5; ++slot) slots_->ClearViewerSlot(slot);
    pictures_.avant.clear();
    ShowPictureList();
    pictures_.clearUndoPairs();
    moveInProgress = false;  // another folder ends any pending move
    currentFolder = WithTrailingSeparator(folder);
    textb_Dossier->setText(QString::fromStdString(currentFolder));
    emit folderOpened(QString::fromStdString(currentFolder));
    if (!currentFolder.empty()) LoadFolder();
}

// Asks how an unnumbered folder is to be numbered.
static FirstNumberingAnswer askFirstNumbering(const WindowContext& form) {
    QStringList texts = {form.message(kMessageFileName),       form.message(kMessageCancel),
                         form.message(kMessageFileNameFormat), form.message(kMessageReplaceName),
                         form.message(kMessageInsertNumber),   form.message(kMessageLeaveName),
                         form.message(kMessageSortCriterion),  form.message(kMessageByPictureName),
                         form.message(kMessageByPictureDate),  QString()};
    FormatNom dialog(texts, &form.window());
    Dialogs().execDialog(dialog);
    return {texts[FormatNom::CaptionAndFormatAnswer].toStdString(),
            texts[FormatNom::SortAnswer].toStdString()};
}

void NamingArea::LoadFolder() {
    pictures_.currentFolder = currentFolder;
    LoadFolderOptions options;
    options.askFirstNumbering = [this] { return askFirstNumbering(context_); };
    FolderLoadOperation load(pictures_, options);
    const Outcome outcome =
        context_.runOperation(currentFolder, [&](const RunOptions& run) { return load.run(run); });
    if (outcome.kind == OutcomeKind::HistoryUnwritable) {  // unloaded, nothing renamed
        ShowPictureList();
        return;
    }
    showLoadResult(load, outcome);
}

// Every load ends the same way, refused or not: what it says (a repair first, then the load,
// the pictures that kept their names on the way), the sort caption and the window state.
void NamingArea::showLoadResult(const FolderLoadOperation& load, const Outcome& outcome) {
    const LoadFolderResult& result = load.result();
    ShowOutcome(&window_, context_.languageTable(), load.repairOutcome());
    ShowPictureList();
    if (result.outcome == LoadOutcome::NoPictures) textb_FichiersAuDossier->clear();
    const bool listed = outcome.kind == OutcomeKind::Done || outcome.kind == OutcomeKind::SomeKept;
    if (listed && result.someWithoutDate)
        Dialogs().message(&window_, QString(), message(kMessageUndatedPicturesFirst));
    if (outcome.kind != OutcomeKind::FolderBusy)  // said as the run was refused
        ShowOutcome(&window_, context_.languageTable(), outcome);
    cb_Sort->setText(message(pictures_.sortByDateNext ? kMessageSortByDate : kMessageSortByName));
    cb_Sort->setToolTip(pictures_.sortByDateNext ? message(kMessageSortIsByPictureDate)
                                                 : QString());
    const bool numbered = result.outcome == LoadOutcome::FirstNumbered;
    applyStateAfter(numbered ? NamingStep::FirstNumbering : NamingStep::Load, outcome);
    // WindowState::FolderLoaded leaves the list as it was, and a rename or renumbering pending in
    // the folder before had disabled it: the pictures just listed must be selectable.
    lb_Avant->setEnabled(true);
    if (result.outcome == LoadOutcome::NoPictures) cb_Tout->setEnabled(false);
}

void NamingArea::combo_FileTypes_Select() {
    textb_FileType->setText(combo_FileTypes->itemText(combo_FileTypes->currentIndex()));
}

void NamingArea::pictbttn_ClearTypes_Click() {
    if (messages().confirm(message(kMessageClearAllFileTypes), QuestionRisk::Destructive) !=
        kAnswerYes)
        return;
    combo_FileTypes->clear();
    combo_FileTypes->addItem(QString::fromLatin1(kFileTypesHeader));
    combo_FileTypes->addItem(QString::fromLatin1(kDefaultFileType));
    combo_FileTypes->setCurrentIndex(-1);
    textb_FileType->setText(combo_FileTypes->itemText(1));
    pictbttn_ClearTypes->setEnabled(false);
}

// Lists the folder again, alternately by picture date and by name; no file is renamed.
void NamingArea::cb_Sort_Click() {
    if (pictures_.sortByDateNext) {
        RefreshList(ListCriterion::Date);
        pictures_.sortByDateNext = false;
        cb_Sort->setText(message(kMessageSortByName));
        cb_Sort->setToolTip(QString());
    } else {
        RefreshList(ListCriterion::Name);
        ListedByName();
    }
}

void NamingArea::ListedByName() {
    pictures_.sortByDateNext = true;
    cb_Sort->setText(message(kMessageSortByDate));
    cb_Sort->setToolTip(message(kMessageSortIsByPictureDate));
}

}  // namespace lumaro
