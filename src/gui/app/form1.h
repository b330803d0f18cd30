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
#include "gui/app/namingstates.h"
#include "gui/app/screenlayout.h"
#include "gui/app/windowmessages.h"
#include "gui/toolkit/progressreport.h"
#include "operations/folderrun.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace lumaro {

class DisplaySlots;
class FolderLoadOperation;
class FormAide;
class HelpWindow;
class ImageViewerControl;
class ThumbnailStrip;
struct EventMapRow;

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The text of message `key` of the message table, for display.
    QString message(int key) const;

    // Enables, disables, shows and hides the commands for a state.
    void ApplyWindowState(WindowState state);
    // Places the window and its controls for a screen of that height.
    void ApplyScreenLayout(int screenHeight);
    // Loads the message table of language n of combo_Languages (negative: English) and
    // relabels the window.
    void ApplyLanguage(int index);

    WindowState mainWindowState() const { return MainWindowState; }
    const LanguageTable& languageTable() const { return languageTable_; }
    const ProgramFolders& programFolderPaths() const { return programFolders; }
    const std::string& settingsFilePath() const { return settingsPath; }
    const std::string& currentLanguage() const { return languageName; }
    const std::string& helpFile() const { return helpFilePath; }
    const std::string& titleFormat() const { return slideShowTitleFormat; }
    const std::string& slideShowFolderPath() const { return slideShowFolder; }
    const QRect& screenArea() const { return screenRect; }
    // The event-map row of the last event raised by the user ("cb_Aide ClickEvent"), for
    // tests and tracing.
    const QString& lastHandledEvent() const { return lastHandledEvent_; }

    // The pictures of the current folder with their hidden lists and companion values.
    PictureList pictures;
    bool moveInProgress = false;
    // Progress of long work on progb_1, and the messages that name pictures.
    ProgressReport& progress() { return progress_; }
    const WindowMessages& messages() const { return messages_; }

    // Event handlers, one per row of the event map. Each reads the widgets, calls the core
    // and writes the widgets back.
    void Form1_Create();
    void Form1_Close_SaveSettings();
    void Form1_Close_EndApplication();
    void Form1_Destroy();
    void lb_Avant_RightButtonDown();
    void lb_Avant_Select();
    void cb_Dossier_Click();
    // Loads a folder named on the command line as cb_Dossier does after the browser; a path
    // that is not a folder that can be listed is said, and the window stays as it is.
    void OpenFolderAtStart(const std::string& folder);
    void cb_Quit_Click();
    void cb_Renommer_Click();
    void cb_Tout_Click();
    void cb_Appliquer_Click();
    void cb_AnnulerRenommage_Click();
    void cb_AnnulerApplication_Click();
    void pictbttn_ToStart1_Click();
    void pictbttn_ToEnd1_Click();
    void cb_AccepterDeplacer_Click();
    void cb_AnnulerDeplacer_Click();
    void pictbttn_ToStart10_Click();
    void pictbttn_ToEnd10_Click();
    void pictbttn_TargetMove_Click();
    void cb_Aide_Click();
    void pictbttn_ClearTypes_Click();
    void pictbttn_ClearCaptions_Click();
    void pictbttn_ClearCaptions_RightButtonUp();
    void ImageV_1_Click();
    void ImageV_2_Click();
    void cb_Renumeroter_Click();
    void cb_AnnulerRenumerotage_Click();
    void pictbttn_090_Click();
    void pictbttn_270_Click();
    void pictbttn_180_Click();
    void pictbttn_Del_Click();
    void cb_Diaporama_Click();
    void cb_VersDossier_Click();
    void cb_About_Click();
    void textb_Caption_Change();
    void combo_Captions_Select();
    void combo_FileTypes_Select();
    void ThumbnailClick(int index);
    void ThumbnailDoubleClick(int index);
    void cb_Memo_Click();
    void cb_Memo_RightButtonUp();
    void watchTimer_Timer();
    void combo_Languages_DoubleClick();
    void combo_Languages_Select();
    void cb_Sort_Click();
    void pictbttn_Date_Click();
    void pictbttn_ClearSnapkeep_Click();

    // Asks for a folder with FormGetFolder and the texts of `use`, showing `initialFolder` (the
    // home folder when empty). The folder chosen, ending in '/', or empty when not confirmed.
    std::string ChooseFolder(FolderChoice use, const std::string& initialFolder);

    // The picture list on screen; the display slots show its pictures (DisplaySlots).
    void UnselectAll();
    void ShowInViewerSlot(const PictureEntry& picture, int slot);
    void ClearViewerSlot(int slot);
    // Closes the single-picture window before a naming command.
    void ClosePhotoWindow();
    // Lists the current folder again in the order given, showing progress, and refills
    // lb_Avant from it; returns the count.
    int RefreshList(ListCriterion criterion);
    // Shows pictures.avant in lb_Avant, all at once.
    void ShowPictureList();
    // After a refill in name order: the sort button offers the order by date next.
    void ListedByName();

    // Picture files: turn the picture of slot 1 clockwise, delete it, move the selection to
    // another folder.
    void RotatePicture(int angle);
    // The turn buttons are offered while slot 1 shows a picture.
    void OfferTurnButtons(bool offered);
    void DeletePicture();
    void MoveToFolder();
    // Ctrl+Z: undoes the newest operation of the current folder still intact and not undone,
    // after a question; Ctrl+Shift+Z takes the last undo back.
    void UndoLastOperationOfFolder();
    void RedoLastUndoOfFolder();
    // Before an operation that the history of `folder` records: true when it can be recorded,
    // or when the user chose to go on without a history.
    bool goOnWithoutHistory(const std::string& folder);
    // Runs an operation on `folder` with its progress on progb_1. Where the folder's history
    // cannot be written, asks once for the folder whether to go on without one, and runs it
    // again then; a folder another program is changing is said. Returns the outcome,
    // HistoryUnwritable when the user chose not to go on.
    Outcome runOperation(const std::string& folder,
                         const std::function<Outcome(const RunOptions&)>& operation);

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
    void createViewers();
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
    bool askToGoOnWithoutHistory(const std::string& folder, const Outcome& refusal);
    // Applies the state the naming step leaves after `outcome`, if any.
    void applyStateAfter(NamingStep step, const Outcome& outcome);
    bool takeFileType();
    void openFolder(const std::string& folder);
    void showFolderInTitle();
    void LoadFolder();
    void showLoadResult(const FolderLoadOperation& load, const Outcome& outcome);
    void selectionFromList();
    int firstVisibleLine() const;
    void setFirstVisibleLine(int line);
    void selectRows(const std::vector<int>& rows);
    // Makes the objects of the picture areas (gui/pictures), which Form1 owns as its children.
    void createPictureAreas();
    void closePictureWindows();
    void CreateSlideShow();
    void recordCaption(const std::string& caption);
    void cancelProposal(void (*cancel)(PictureList&, const ListProgress&));
    void moveSelection(int displacement, WindowState state);
    bool beginMove(bool* startedSequence = nullptr);
    void dropPendingMove();
    void attachUndoShortcut();
    void stepThroughHistory(bool redo);
    void showMoveResult(const MoveBlockResult& moved);
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

    LanguageTable languageTable_;
    bool languageShown_ = false;  // a language's texts are on the window
    bool layoutApplied_ = false;  // the screen layout has placed the controls
    FittedLayout fittedLayout_;   // the layout the controls stand in, fitted to the window
    int rightMargin_ = 0;         // room right of the upper picture, from the template
    WindowState MainWindowState = WindowState::NoFolder;
    ProgramFolders programFolders;
    std::string settingsPath;
    bool settingsUnreadable_ = false;  // the file is there but could not be read
    std::string languageName;
    std::string helpFilePath;
    std::string currentFolder;
    std::string historyWaivedFolder_;  // the folder whose operations go on without a history
    std::string copyToFolder;
    std::string slideShowFolder;
    std::string slideShowTitleFormat;
    // The fixed lines of every slide-show project, built at start-up.
    SlideShowTables slideShowTables;
    std::string versionText;
    QRect screenRect;
    QString lastHandledEvent_;
    int dispatchDepth_ = 0;
    bool closeRequested_ = false;
    ProgressReport progress_;
    WindowMessages messages_{this, languageTable_};
    DisplaySlots* displaySlots_ = nullptr;
    ThumbnailStrip* thumbnailStrip_ = nullptr;
};

}  // namespace lumaro
