// The main window: owner of every control, dialog and value of the program, and of the
// handlers that the event map routes each control event to. The objects of its areas (the
// display slots, the Snapkeep strip, progress, messages) do the work of their handlers.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/listing/folderlisting.h"
#include "core/naming/picturelist.h"
#include "core/renaming/folderload.h"
#include "core/renaming/move.h"
#include "core/settings/languagetable.h"
#include "core/settings/programfolder.h"
#include "core/settings/settingsfile.h"
#include "core/slideshow/slideshowtables.h"
#include "core/windows/folderrequest.h"
#include "core/windows/windowstate.h"
#include "gui/app/screenlayout.h"
#include "gui/naming/namingstates.h"
#include "gui/toolkit/arealinks.h"
#include "gui/toolkit/windowcontext.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace lumaro {

class FolderLoadOperation;
class FormAide;
class HelpWindow;
class ImageViewerControl;
class NamingArea;
class PicturesArea;
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

    const LanguageTable& languageTable() const { return context_.languageTable(); }
    const ProgramFolders& programFolderPaths() const { return context_.programFolders(); }
    const std::string& settingsFilePath() const { return settingsPath; }
    const std::string& currentLanguage() const { return languageName; }
    const std::string& helpFile() const { return helpFilePath; }
    const QRect& screenArea() const { return context_.screenArea(); }
    NamingArea& naming() { return *naming_; }
    PicturesArea& picturesArea() { return *picturesArea_; }
    // The event-map row of the last event raised by the user ("cb_Aide ClickEvent"), for
    // tests and tracing.
    const QString& lastHandledEvent() const { return lastHandledEvent_; }

    // Progress of long work on progb_1, and the messages that name pictures.
    ProgressReport& progress() { return context_.progress(); }
    const WindowMessages& messages() const { return context_.messages(); }

    // Event handlers, one per row of the event map. Each reads the widgets, calls the core
    // and writes the widgets back.
    void Form1_Create();
    void Form1_Close_SaveSettings();
    void Form1_Close_EndApplication();
    void Form1_Destroy();
    // Loads a folder named on the command line as cb_Dossier does after the browser; a path
    // that is not a folder that can be listed is said, and the window stays as it is.
    void OpenFolderAtStart(const std::string& folder);
    void cb_Quit_Click();
    void cb_Aide_Click();
    void cb_About_Click();
    void combo_Languages_DoubleClick();
    void combo_Languages_Select();

    // Controls, named as the window names them.
    QListWidget* lb_Avant = nullptr;
    QLabel* label_Caption = nullptr;
    QPushButton* cb_Dossier = nullptr;
    QPushButton* cb_Quit = nullptr;
    QPushButton* cb_Renommer = nullptr;
    QLineEdit* textb_Dossier = nullptr;
    QPushButton* cb_Tout = nullptr;
    QGroupBox* groupb_FileName = nullptr;
    QPushButton* cb_Appliquer = nullptr;
    QPushButton* cb_AnnulerRenommage = nullptr;
    QPushButton* cb_AnnulerApplication = nullptr;
    QLabel* label_Avant = nullptr;
    QPushButton* pictbttn_ToStart1 = nullptr;
    QPushButton* pictbttn_ToEnd1 = nullptr;
    QPushButton* cb_AccepterDeplacer = nullptr;
    QGroupBox* groupb_Move = nullptr;
    QPushButton* cb_AnnulerDeplacer = nullptr;
    QPushButton* pictbttn_ToStart10 = nullptr;
    QPushButton* pictbttn_ToEnd10 = nullptr;
    QPushButton* pictbttn_TargetMove = nullptr;
    QGroupBox* groupb_Scale = nullptr;
    QPushButton* cb_Aide = nullptr;
    QLabel* label_Dossier = nullptr;
    QPushButton* pictbttn_ClearTypes = nullptr;
    QPushButton* pictbttn_ClearCaptions = nullptr;
    QLabel* label_Type = nullptr;
    QGroupBox* groupb_Exec = nullptr;
    QLabel* label_FichiersAuDossier = nullptr;
    QLineEdit* textb_FichiersAuDossier = nullptr;
    QLabel* pictb_Last = nullptr;
    QLineEdit* textb_2C = nullptr;
    QLineEdit* textb_2N = nullptr;
    QLineEdit* textb_1C = nullptr;
    QLineEdit* textb_1N = nullptr;
    QProgressBar* progb_1 = nullptr;
    QPushButton* cb_Renumeroter = nullptr;
    QPushButton* cb_AnnulerRenumerotage = nullptr;
    QPushButton* pictbttn_090 = nullptr;
    QPushButton* pictbttn_270 = nullptr;
    QPushButton* pictbttn_180 = nullptr;
    QPushButton* pictbttn_Del = nullptr;
    QPushButton* cb_Diaporama = nullptr;
    QPushButton* cb_VersDossier = nullptr;
    QPushButton* cb_About = nullptr;
    QLineEdit* textb_Caption = nullptr;
    QLineEdit* textb_FileType = nullptr;
    QComboBox* combo_Captions = nullptr;
    QComboBox* combo_FileTypes = nullptr;
    QPushButton* cb_Memo = nullptr;
    QLineEdit* textb_F = nullptr;
    QLineEdit* textb_L = nullptr;
    QLineEdit* textb_S = nullptr;
    QComboBox* combo_Languages = nullptr;
    QPushButton* cb_Sort = nullptr;
    QPushButton* pictbttn_Date = nullptr;
    QPushButton* pictbttn_ClearSnapkeep = nullptr;

    ImageViewerControl* ImageV_1 = nullptr;
    ImageViewerControl* ImageV_2 = nullptr;
    ImageViewerControl* ImageV_F = nullptr;
    ImageViewerControl* ImageV_S = nullptr;
    ImageViewerControl* ImageV_L = nullptr;

    FormAide* Form_Aide = nullptr;
    HelpWindow* helpWindow = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void bindControls();
    void attachEventMap();
    void dispatch(const EventMapRow& row);
    void initialise();
    bool screenTooLow();
    bool LoadSettings();
    Settings settingsValues() const;
    void SaveSettings();
    void FillLanguageList();
    void showLanguageInList();
    void relabelControls();
    void setTooltips();
    void placeLabelsAgainstTextBoxes();
    void chooseHelpFile();
    void requestClose();
    void showFolderInTitle(const QString& folder);
    void layoutTopRow();
    std::vector<std::string> languageList() const;
    std::vector<LanguageFile> languageFiles_;
    void placeControls(const FittedLayout& fitted);
    void layoutFileNameGroup(int bottom, bool smallLayout, int V2y, int width);
    int layoutCommandColumn(int listHeight, int buttonHeight);
    void placeListBesideCommands(int buttonHeight);
    void placeSnapkeepStrip();
    void fitControlsToTexts();
    void layoutMoveColumn(int listRight, int listHeight, int buttonHeight, int firstOffset);

    WindowContext context_{*this};
    NamingArea* naming_ = nullptr;
    PicturesArea* picturesArea_ = nullptr;
    bool languageShown_ = false;  // a language's texts are on the window
    bool layoutApplied_ = false;  // the screen layout has placed the controls
    FittedLayout fittedLayout_;   // the layout the controls stand in, fitted to the window
    int rightMargin_ = 0;         // room right of the upper picture, from the template
    std::string settingsPath;
    bool settingsUnreadable_ = false;  // the file is there but could not be read
    std::string languageName;
    std::string helpFilePath;
    std::string versionText;
    QString lastHandledEvent_;
    int dispatchDepth_ = 0;
    bool closeRequested_ = false;
};

}  // namespace lumaro
