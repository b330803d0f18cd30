// The naming area of the main window: the picture list and the folder, the commands that rename,
// renumber and move pictures in the list and apply or cancel that, the caption and file-type
// boxes, and undo. It makes its controls in the window, handles their events and keeps the
// naming state: the pictures, the window state, a pending move.
#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "core/listing/folderlisting.h"
#include "core/naming/picturelist.h"
#include "core/renaming/move.h"
#include "core/settings/settingsfile.h"
#include "core/windows/windowstate.h"
#include "gui/naming/namingstates.h"
#include "gui/toolkit/arealinks.h"
#include "gui/toolkit/windowcontext.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace lumaro {

class FolderLoadOperation;

class NamingArea : public QObject, public PictureListView {
    Q_OBJECT
public:
    // Makes the area's controls as children of the context's window.
    explicit NamingArea(WindowContext& context);
    // The display slots the list shows its pictures in.
    void showPicturesIn(PictureSlotsView& display) { slots_ = &display; }

    WindowState mainWindowState() const { return MainWindowState; }
    // A move sequence waits to be accepted or cancelled.
    bool moveInProgress = false;

    // The values of the settings file the area keeps: the folder, the file types and captions.
    void readSettings(const Settings& settings);
    void writeSettings(Settings& settings) const;
    void useDefaultSettings();
    // The boxes and lists as the window starts, once the settings are read.
    void start();
    // The captions that depend on the area's state, in the language just applied.
    void relabel();

    // Loads a folder named on the command line as cb_Dossier does after the browser; a path
    // that is not a folder that can be listed is said, and the window stays as it is.
    void OpenFolderAtStart(const std::string& folder);
    // Lists the current folder again in the order given, showing progress, and refills
    // lb_Avant from it; returns the count.
    int RefreshList(ListCriterion criterion);
    // Shows pictures().avant in lb_Avant, all at once.
    void ShowPictureList();
    // After a refill in name order: the sort button offers the order by date next.
    void ListedByName();
    void UnselectAll();
    // Ctrl+Z: undoes the newest operation of the current folder still intact and not undone,
    // after a question; Ctrl+Shift+Z takes the last undo back.
    void UndoLastOperationOfFolder();
    void RedoLastUndoOfFolder();

    // PictureListView.
    PictureList& pictures() override { return pictures_; }
    void ApplyWindowState(WindowState state) override;
    void readSelection() override { selectionFromList(); }
    void listAgainByName() override;
    int firstVisibleLine() const override;
    void setFirstVisibleLine(int line) override;
    int caretRow() const override;
    void selectRow(int row) override { selectRows({row}); }
    void focusList() override;
    QRect listGeometry() const override;
    QLineEdit& captionBox() override { return *textb_Caption; }
    void offerCaptionClearing(bool offered) override;

    // Event handlers, one per row of the event map. Each reads the widgets, calls the
    // operations or the core and writes the widgets back.
    void lb_Avant_RightButtonDown();
    void lb_Avant_Select();
    void cb_Dossier_Click();
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
    void pictbttn_ClearTypes_Click();
    void pictbttn_ClearCaptions_Click();
    void pictbttn_ClearCaptions_RightButtonUp();
    void cb_Renumeroter_Click();
    void cb_AnnulerRenumerotage_Click();
    void textb_Caption_Change();
    void combo_Captions_Select();
    void combo_FileTypes_Select();
    void cb_Sort_Click();

signals:
    // Another folder is open (empty: none), for the window's title.
    void folderOpened(const QString& folder);

private:
    void createControls();
    QString message(int key) const { return context_.message(key); }
    ProgressReport& progress() { return context_.progress(); }
    const WindowMessages& messages() const { return context_.messages(); }
    // Applies the state the naming step leaves after `outcome`, if any.
    void applyStateAfter(NamingStep step, const Outcome& outcome);
    bool takeFileType();
    void openFolder(const std::string& folder);
    void LoadFolder();
    void showLoadResult(const FolderLoadOperation& load, const Outcome& outcome);
    void selectionFromList();
    void selectRows(const std::vector<int>& rows);
    void recordCaption(const std::string& caption);
    void cancelProposal(void (*cancel)(PictureList&, const ListProgress&));
    void moveSelection(int displacement, WindowState state);
    bool beginMove(bool* startedSequence = nullptr);
    void dropPendingMove();
    void attachUndoShortcut();
    void stepThroughHistory(bool redo);
    void showMoveResult(const MoveBlockResult& moved);

    WindowContext& context_;
    QWidget& window_;
    PictureSlotsView* slots_ = nullptr;
    // The pictures of the current folder with their hidden lists and companion values.
    PictureList pictures_;
    WindowState MainWindowState = WindowState::NoFolder;
    std::string currentFolder;

    QListWidget* lb_Avant = nullptr;
    QLineEdit* textb_Dossier = nullptr;
    QLineEdit* textb_FichiersAuDossier = nullptr;
    QLineEdit* textb_Caption = nullptr;
    QLineEdit* textb_FileType = nullptr;
    QComboBox* combo_Captions = nullptr;
    QComboBox* combo_FileTypes = nullptr;
    QPushButton* pictbttn_ClearCaptions = nullptr;
    QPushButton* pictbttn_ClearTypes = nullptr;
    QPushButton* cb_Tout = nullptr;
    QPushButton* cb_Sort = nullptr;
    QPushButton* cb_Renumeroter = nullptr;
    QPushButton* cb_AccepterDeplacer = nullptr;
    QPushButton* cb_AnnulerDeplacer = nullptr;
    QPushButton* pictbttn_ToStart1 = nullptr;
    QPushButton* pictbttn_ToEnd1 = nullptr;
    QPushButton* pictbttn_ToStart10 = nullptr;
    QPushButton* pictbttn_ToEnd10 = nullptr;
    QPushButton* pictbttn_TargetMove = nullptr;
};

}  // namespace lumaro
