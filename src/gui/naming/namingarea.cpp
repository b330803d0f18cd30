// The naming area: making its controls, its settings, its start and its language, and the
// picture list seen from the pictures area.
#include "gui/naming/namingarea.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/settings/constants.h"
#include "core/settings/messagekeys.h"
#include "gui/naming/namingcontrols.h"
#include "gui/toolkit/bindcontrol.h"
#include "gui/toolkit/filebytes.h"

namespace lumaro {

namespace {
void fillCombo(QComboBox* combo, const std::vector<std::string>& items) {
    for (const std::string& item : items) AddItemFromBytes(combo, item);
}

std::vector<std::string> comboItems(const QComboBox* combo) {
    std::vector<std::string> items;
    items.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i) items.push_back(ItemBytes(combo, i));
    return items;
}
}  // namespace

NamingArea::NamingArea(WindowContext& context)
    : QObject(&context.window()), context_(context), window_(context.window()) {
    createControls();
    pictures_.sortByDateNext = true;
    attachUndoShortcut();
}

void NamingArea::createControls() {
    for (const ControlSpec& spec : NamingAreaControls()) CreateControl(spec, &window_);
#define BIND(name) BindControl(window_, name, #name)
    BIND(lb_Avant);
    BIND(textb_Dossier);
    BIND(textb_FichiersAuDossier);
    BIND(textb_Caption);
    BIND(textb_FileType);
    BIND(combo_Captions);
    BIND(combo_FileTypes);
    BIND(pictbttn_ClearCaptions);
    BIND(pictbttn_ClearTypes);
    BIND(cb_Tout);
    BIND(cb_Sort);
    BIND(cb_Renumeroter);
    BIND(cb_AccepterDeplacer);
    BIND(cb_AnnulerDeplacer);
    BIND(pictbttn_ToStart1);
    BIND(pictbttn_ToEnd1);
    BIND(pictbttn_ToStart10);
    BIND(pictbttn_ToEnd10);
    BIND(pictbttn_TargetMove);
#undef BIND
}

void NamingArea::readSettings(const Settings& settings) {
    currentFolder = settings.currentFolder;
    fillCombo(combo_FileTypes, settings.fileTypes);
    fillCombo(combo_Captions, settings.captions);
    if (!settings.captions.empty()) pictbttn_ClearCaptions->setEnabled(true);
}

void NamingArea::writeSettings(Settings& settings) const {
    settings.currentFolder = currentFolder;
    settings.fileTypes = comboItems(combo_FileTypes);
    settings.captions = comboItems(combo_Captions);
}

void NamingArea::useDefaultSettings() {
    combo_FileTypes->addItem(QString::fromLatin1(kFileTypesHeader));
    combo_FileTypes->addItem(QString::fromLatin1(kDefaultFileType));
}

void NamingArea::start() {
    if (combo_Captions->count() >= 2) {
        pictbttn_ClearCaptions->setEnabled(true);
        combo_Captions->setCurrentIndex(0);
    } else {
        pictbttn_ClearCaptions->setEnabled(false);
    }
    textb_FileType->setText(combo_FileTypes->itemText(1));
    if (combo_FileTypes->count() == 2) {
        pictbttn_ClearTypes->setEnabled(false);
        combo_FileTypes->setCurrentIndex(-1);
    } else {
        pictbttn_ClearTypes->setEnabled(true);
        combo_FileTypes->setCurrentIndex(0);
    }
    lb_Avant->clear();
    pictures_.allSelected = false;
    moveInProgress = false;
}

// cb_Sort's caption depends on the order its next click selects, cb_Tout's on whether every
// picture is selected; the caption list's first line says what the list holds.
void NamingArea::relabel() {
    cb_Sort->setText(message(pictures_.sortByDateNext ? kMessageSortByDate : kMessageSortByName));
    if (pictures_.allSelected) cb_Tout->setText(message(kMessageUnselect));
    const bool hadCaptions = combo_Captions->count() > 0;
    if (hadCaptions) combo_Captions->removeItem(0);
    combo_Captions->insertItem(0, message(kMessageAvailableCaptions));
    combo_Captions->setCurrentIndex(combo_Captions->count() >= 2 ? 0 : -1);
}

}  // namespace lumaro
