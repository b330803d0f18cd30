// The settings file seen from the window, whose values are the window's and its areas', and the
// language the settings keep.
#include "gui/app/form1.h"
#include "gui/app/windowlanguage.h"
#include "gui/naming/namingarea.h"
#include "gui/pictures/picturesarea.h"

namespace lumaro {

// The values the settings file keeps: the window's and its areas'.
Settings Form1::settingsValues() const {
    Settings settings;
    settings.languageName = language_->name();
    naming_->writeSettings(settings);
    picturesArea_->writeSettings(settings);
    return settings;
}

bool Form1::LoadSettings() {
    Settings settings = settingsValues();
    const bool loaded = lumaro::LoadSettings(settingsPath, settings);
    language_->setName(settings.languageName);
    picturesArea_->readSettings(settings);
    naming_->readSettings(settings);
    return loaded;
}

void Form1::SaveSettings() {
    if (settingsUnreadable_) return;  // defaults it did not read never replace the user's file
    Settings settings = settingsValues();
    lumaro::SaveSettings(settingsPath,
                         settings);  // a settings file that cannot be written is not reported
}

// The language files of the program folder are read again when the user chooses one.
void Form1::ApplyLanguage(int index) { language_->apply(index); }

void Form1::combo_Languages_Select() { language_->applyChosen(); }

void Form1::combo_Languages_DoubleClick() { language_->applyChosen(); }

const std::string& Form1::currentLanguage() const { return language_->name(); }

const std::string& Form1::helpFile() const { return language_->helpFile(); }

}  // namespace lumaro
