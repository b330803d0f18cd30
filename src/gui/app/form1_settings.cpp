// The settings file seen from the window: its lists are the two combo boxes.
#include <QComboBox>
#include <QPushButton>

#include "gui/app/form1.h"
#include "gui/pictures/picturesarea.h"
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

// The values the settings file keeps, lists aside.
Settings Form1::settingsValues() const {
    Settings settings;
    settings.languageName = languageName;
    settings.currentFolder = currentFolder;
    picturesArea_->writeSettings(settings);
    return settings;
}

bool Form1::LoadSettings() {
    Settings settings = settingsValues();
    const bool loaded = lumaro::LoadSettings(settingsPath, settings);
    languageName = settings.languageName;
    currentFolder = settings.currentFolder;
    picturesArea_->readSettings(settings);
    fillCombo(combo_FileTypes, settings.fileTypes);
    fillCombo(combo_Captions, settings.captions);
    if (!settings.captions.empty()) pictbttn_ClearCaptions->setEnabled(true);
    return loaded;
}

void Form1::SaveSettings() {
    if (settingsUnreadable_) return;  // defaults it did not read never replace the user's file
    Settings settings = settingsValues();
    settings.fileTypes = comboItems(combo_FileTypes);
    settings.captions = comboItems(combo_Captions);
    lumaro::SaveSettings(settingsPath,
                         settings);  // a settings file that cannot be written is not reported
}

}  // namespace lumaro
