// The settings file seen from the window: its values are the window's and its areas'.
#include "gui/app/form1.h"
#include "gui/naming/namingarea.h"
#include "gui/pictures/picturesarea.h"

namespace lumaro {

// The values the settings file keeps: the window's and its areas'.
Settings Form1::settingsValues() const {
    Settings settings;
    settings.languageName = languageName;
    naming_->writeSettings(settings);
    picturesArea_->writeSettings(settings);
    return settings;
}

bool Form1::LoadSettings() {
    Settings settings = settingsValues();
    const bool loaded = lumaro::LoadSettings(settingsPath, settings);
    languageName = settings.languageName;
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

}  // namespace lumaro
