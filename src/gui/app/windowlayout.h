// The placing of the main window and of every control in it, for the height of the screen, the
// size the user gives the window and the width the texts of a language need. It finds the
// controls by name, whichever area made them, and changes only their places and sizes (and, as
// a layout starts, the viewers' look and what the turn buttons and progress bar show).
#pragma once

#include "gui/app/screenlayout.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QWidget;

namespace lumaro {

class ImageViewerControl;

class WindowLayout {
public:
    // The controls of `window` must all be there.
    explicit WindowLayout(QWidget& window);

    // Places the window and its controls for a screen of that height.
    void apply(int screenHeight);
    // A resized or maximised window takes the largest layout that fits it.
    void followResize();
    // Another language's texts may be wider than the controls the layout gave the first one;
    // each label stands against its text box again.
    void fitToTexts();

private:
    void bindControls();
    void placeControls(const FittedLayout& fitted);
    void layoutFileNameGroup(int bottom, bool smallLayout, int V2y, int width);
    int layoutCommandColumn(int listHeight, int buttonHeight);
    void placeListBesideCommands(int buttonHeight);
    void placeSnapkeepStrip();
    void fitControlsToTexts();
    void layoutMoveColumn(int listRight, int listHeight, int buttonHeight, int firstOffset);
    void layoutTopRow();
    void placeLabelsAgainstTextBoxes();

    QWidget& window_;
    bool layoutApplied_ = false;  // the screen layout has placed the controls
    FittedLayout fittedLayout_;   // the layout the controls stand in, fitted to the window
    int rightMargin_ = 0;         // room right of the upper picture, from the template

    // The controls, named as the window names them.
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
};

}  // namespace lumaro
