// The language of the main window: the list of languages the program folder offers, the message
// table loaded from the one chosen, the captions and tooltips of the controls in it, and the
// help file that goes with it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/settings/languagetable.h"
#include "core/settings/programfolder.h"

class QComboBox;

namespace lumaro {

class WindowContext;

class WindowLanguage {
public:
    // Works on combo_Languages of the context's window and on its message table. `relabelled`
    // runs once a language's captions are on the controls, before their tooltips: the captions
    // that depend on an area's state, and the places the new texts need.
    WindowLanguage(WindowContext& context, std::function<void()> relabelled);

    // The language in use, as the settings keep it.
    const std::string& name() const { return languageName; }
    void setName(std::string name) { languageName = std::move(name); }
    const std::string& helpFile() const { return helpFilePath; }

    // Lists the languages of the program folder in combo_Languages and applies the one in use.
    void fill();
    // Loads the message table of language n of combo_Languages (negative: English) and
    // relabels the window.
    void apply(int index);
    // Applies the language chosen in combo_Languages.
    void applyChosen();
    // Shows the language in use as chosen in combo_Languages.
    void selectInList();
    void chooseHelpFile();

private:
    std::vector<std::string> languageList() const;
    void showLanguageInList();
    void relabelControls();
    void setTooltips();

    WindowContext& context_;
    QComboBox* combo_Languages;
    std::function<void()> relabelled_;
    std::vector<LanguageFile> languageFiles_;
    bool languageShown_ = false;  // a language's texts are on the window
    std::string languageName;
    std::string helpFilePath;
};

}  // namespace lumaro
