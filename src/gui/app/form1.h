// The main window: it makes its own few controls (language, help, about, quit, progress), puts
// the naming area and the pictures area together and wires them to each other, and handles the
// language, the settings, the layout, help and the start of the program. The event map routes
// each control event to the handler of the window or of the area that owns the control.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <string>

#include "core/settings/languagetable.h"
#include "core/settings/programfolder.h"
#include "core/settings/settingsfile.h"
#include "gui/toolkit/windowcontext.h"

namespace lumaro {

class FormAide;
class HelpWindow;
class NamingArea;
class PicturesArea;
class WindowLanguage;
class WindowLayout;
struct EventMapRow;

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The text of message `key` of the message table, for display.
    QString message(int key) const { return context_.message(key); }
    // Places the window and its controls for a screen of that height.
    void ApplyScreenLayout(int screenHeight);
    // Loads the message table of language n of combo_Languages (negative: English) and
    // relabels the window.
    void ApplyLanguage(int index);
    // Loads a folder named on the command line as cb_Dossier does after the browser; a path
    // that is not a folder that can be listed is said, and the window stays as it is.
    void OpenFolderAtStart(const std::string& folder);

    NamingArea& naming() { return *naming_; }
    PicturesArea& picturesArea() { return *picturesArea_; }
    const LanguageTable& languageTable() const { return context_.languageTable(); }
    const ProgramFolders& programFolderPaths() const { return context_.programFolders(); }
    const std::string& settingsFilePath() const { return settingsPath; }
    const std::string& currentLanguage() const;
    const std::string& helpFile() const;
    // The event-map row of the last event raised by the user ("cb_Aide ClickEvent"), for
    // tests and tracing.
    const QString& lastHandledEvent() const { return lastHandledEvent_; }

    // Event handlers of the window's own rows of the event map.
    void Form1_Create();
    void Form1_Close_SaveSettings();
    void Form1_Close_EndApplication();
    void Form1_Destroy();
    void cb_Quit_Click();
    void cb_Aide_Click();
    void cb_About_Click();
    void combo_Languages_DoubleClick();
    void combo_Languages_Select();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void dispatch(const EventMapRow& row);
    void initialise();
    bool screenTooLow();
    bool LoadSettings();
    Settings settingsValues() const;
    void SaveSettings();
    void requestClose();
    void showFolderInTitle(const QString& folder);

    WindowContext context_{*this};
    NamingArea* naming_ = nullptr;
    PicturesArea* picturesArea_ = nullptr;
    std::unique_ptr<WindowLayout> layout_;
    std::unique_ptr<WindowLanguage> language_;
    FormAide* Form_Aide = nullptr;
    HelpWindow* helpWindow = nullptr;
    std::string settingsPath;
    bool settingsUnreadable_ = false;  // the file is there but could not be read
    std::string versionText;
    QString lastHandledEvent_;
    int dispatchDepth_ = 0;
    bool closeRequested_ = false;
};

}  // namespace lumaro
