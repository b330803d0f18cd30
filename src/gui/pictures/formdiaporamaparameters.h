// FormDiaporamaParameters: asks the durations, the slide-show folder and, for a folder whose
// name opens with a date, where that date goes in the slide caption, before a slide show is
// written. The caller fills SlideShowParameters and reads the answers back from it.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "core/windows/folderrequest.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lumaro {

// A marker in `interval` for a dialog closed any other way than by cb_Create.
inline constexpr const char* kSlideShowNotConfirmed = "-";

struct SlideShowParameters {
    QString cancelText;           // cb_Annul
    QString picturesFolderLabel;  // label_NomDuFichier, before the folder name
    QString caption;              // window caption
    QString interval;             // in: offered; out: typed, or kSlideShowNotConfirmed
    QString effectDuration;       // in: offered; out: typed
    QString intervalLabel;        // label_DureeImage; caption of its digits message
    QString effectLabel;          // label_DureeEffet; caption of its digits message
    std::string folderName;       // the picture folder's own name, the project name
    QString effectHint;           // after the effect label
    QString intervalHint;         // after the interval label
    std::string slideShowFolder;  // in: the folder shown; out: the folder chosen
    QString folderLabel;          // label_DossierDiaporama, before the folder
    QString createText;           // cb_Create
    QString folderButtonText;     // cb_GetFolder
    std::string rootSubfolder;    // put under the root folder "/" when it is chosen
    QString noFolderText;         // said when cb_Create is pressed without a folder
    QString digitsText;           // said when a duration holds anything but digits
    std::string titleFormat;      // in and out: "Date" or "Text"
    QString titleGroupText;       // groupb_ShowTitle
    QString dateBeforeText;       // optb_TextFirst
    QString dateAfterText;        // optb_DateFirst
    std::string title;            // out: the caption of every slide
    FolderRequest folderRequest;  // the texts of the folder choice behind cb_GetFolder
};

class FormDiaporamaParameters : public QDialog {
    Q_OBJECT
public:
    FormDiaporamaParameters(SlideShowParameters& parameters, QWidget* parent);

    QPushButton* cb_Create;
    QPushButton* cb_Annul;
    QLabel* label_NomDuFichier;
    QLineEdit* textb_DureeImage;
    QLineEdit* textb_DureeEffet;
    QLabel* label_DureeImage;
    QLabel* label_DureeEffet;
    QLabel* label_DossierDiaporama;
    QPushButton* cb_GetFolder;
    QRadioButton* optb_TextFirst;
    QRadioButton* optb_DateFirst;
    QGroupBox* groupb_ShowTitle;
    QLabel* label_ShowTitle;

private:
    void createControls();
    void layOut(bool titleChoice);
    void hideTitleChoice();
    void showFolder();
    void showTitle(const char* titleFormat);
    void getFolder();
    void create();

    SlideShowParameters& parameters_;
    std::string workingFolder_;
    std::string title_;
};

}  // namespace lumaro
