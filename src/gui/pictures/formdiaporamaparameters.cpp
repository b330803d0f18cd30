// The slide-show parameters dialog: its controls on the template's places, the title choice
// shown only for a folder name that opens with a date, and the checks of cb_Create.
#include "gui/pictures/formdiaporamaparameters.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "core/naming/numberedname.h"
#include "core/slideshow/slideshowfile.h"
#include "core/slideshow/slideshowtitle.h"
#include "gui/pictures/formgetfolder.h"
#include "gui/toolkit/controlplacing.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/fonts.h"
#include "gui/toolkit/screen.h"

namespace lumaro {

namespace {

// A control keeps its template size unless its text needs more room; a text box only grows
// in height, its width is the template's.
void fitText(QWidget* widget) {
    QSize hint = widget->sizeHint();
    if (qobject_cast<QLineEdit*>(widget)) hint = QSize(0, widget->minimumSizeHint().height());
    widget->resize(std::max(widget->width(), hint.width()),
                   std::max(widget->height(), hint.height()));
}

int dialogUnitsWide(int units) { return FromDialogUnits(0, 0, units, 0).width(); }

// A label that cannot grow further shows the middle of its text cut out, all of it on hover.
void fitLabelWithin(QLabel* label, int width) {
    if (label->width() <= width) return;
    label->setToolTip(label->text());
    label->setText(label->fontMetrics().elidedText(label->text(), Qt::ElideMiddle, width - 4));
    label->resize(width, label->height());
}

}  // namespace

FormDiaporamaParameters::FormDiaporamaParameters(SlideShowParameters& parameters, QWidget* parent)
    : QDialog(parent), parameters_(parameters) {
    setObjectName(QStringLiteral("FormDiaporamaParameters"));
    setFont(FontFromSpec(QStringLiteral("8.MS Sans Serif")));
    createControls();

    textb_DureeImage->setText(parameters_.interval);
    textb_DureeEffet->setText(parameters_.effectDuration);
    // Every way of closing but cb_Create reads as not confirmed.
    parameters_.interval = QString::fromLatin1(kSlideShowNotConfirmed);
    workingFolder_ = parameters_.slideShowFolder;
    setWindowTitle(parameters_.caption);
    label_NomDuFichier->setText(parameters_.picturesFolderLabel + QStringLiteral(": '") +
                                PathText(parameters_.folderName) + QStringLiteral("'"));
    showFolder();
    label_DureeImage->setText(parameters_.intervalLabel + QLatin1Char(' ') +
                              parameters_.intervalHint);
    label_DureeEffet->setText(parameters_.effectLabel + QLatin1Char(' ') + parameters_.effectHint);
    groupb_ShowTitle->setTitle(parameters_.titleGroupText);
    const bool titleChoice = HasDatePrefix(parameters_.folderName);
    if (titleChoice) {
        optb_DateFirst->setText(parameters_.dateAfterText);
        optb_TextFirst->setText(parameters_.dateBeforeText);
    } else {
        hideTitleChoice();
    }
    cb_Annul->setText(parameters_.cancelText);
    cb_GetFolder->setText(parameters_.folderButtonText);
    cb_Create->setText(parameters_.createText);
    showTitle(parameters_.titleFormat == kTitleFormatDate ? kTitleFormatDate : kTitleFormatText);
    layOut(titleChoice);
    cb_Create->setDefault(true);

    connect(optb_TextFirst, &QRadioButton::clicked, this, [this] {
        parameters_.titleFormat = kTitleFormatDate;
        showTitle(kTitleFormatDate);
    });
    connect(optb_DateFirst, &QRadioButton::clicked, this, [this] {
        parameters_.titleFormat = kTitleFormatText;
        showTitle(kTitleFormatText);
    });
    connect(cb_GetFolder, &QPushButton::clicked, this, &FormDiaporamaParameters::getFolder);
    connect(cb_Create, &QPushButton::clicked, this, &FormDiaporamaParameters::create);
    connect(cb_Annul, &QPushButton::clicked, this, [this] {
        parameters_.interval = QString::fromLatin1(kSlideShowNotConfirmed);
        reject();
    });
}

// The template's controls and places; the texts come from the parameters.
void FormDiaporamaParameters::createControls() {
    cb_Create = PlacedInUnits(new QPushButton(this), "cb_Create", 100, 150, 65, 16);
    cb_Annul = PlacedInUnits(new QPushButton(this), "cb_Annul", 180, 150, 65, 16);
    label_NomDuFichier = PlacedInUnits(new QLabel(this), "label_NomDuFichier", 20, 5, 55, 8);
    textb_DureeImage = PlacedInUnits(new QLineEdit(this), "textb_DureeImage", 175, 18, 40, 10);
    textb_DureeEffet = PlacedInUnits(new QLineEdit(this), "textb_DureeEffet", 175, 35, 40, 10);
    label_DureeImage = PlacedInUnits(new QLabel(this), "label_DureeImage", 20, 19, 147, 8);
    label_DureeEffet = PlacedInUnits(new QLabel(this), "label_DureeEffet", 20, 35, 153, 8);
    label_DossierDiaporama =
        PlacedInUnits(new QLabel(this), "label_DossierDiaporama", 20, 130, 70, 8);
    cb_GetFolder = PlacedInUnits(new QPushButton(this), "cb_GetFolder", 20, 150, 65, 16);
    groupb_ShowTitle = PlacedInUnits(new QGroupBox(this), "groupb_ShowTitle", 15, 55, 230, 64);
    optb_TextFirst = PlacedInUnits(new QRadioButton(this), "optb_TextFirst", 20, 65, 58, 12);
    optb_DateFirst = PlacedInUnits(new QRadioButton(this), "optb_DateFirst", 20, 80, 67, 12);
    label_ShowTitle = PlacedInUnits(new QLabel(this), "label_ShowTitle", 20, 100, 13, 8);
    groupb_ShowTitle->lower();  // it frames the options drawn over it
    for (QLineEdit* box : {textb_DureeImage, textb_DureeEffet}) box->setAlignment(Qt::AlignCenter);
    const QFont bold = FontFromSpec(QStringLiteral("8.MS Sans Serif.Bold"));
    label_NomDuFichier->setFont(bold);
    label_DossierDiaporama->setFont(bold);
}

void FormDiaporamaParameters::hideTitleChoice() {
    for (QWidget* control : std::initializer_list<QWidget*>{optb_DateFirst, optb_TextFirst,
                                                            groupb_ShowTitle, label_ShowTitle}) {
        control->hide();
    }
}

// The template's places; controls whose texts need more room grow, and the right column (the
// duration boxes, cb_Annul, the title frame) moves right with them, up to what the screen holds.
void FormDiaporamaParameters::layOut(bool titleChoice) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             cb_Create, cb_Annul, cb_GetFolder, label_NomDuFichier, label_DureeImage,
             label_DureeEffet, label_DossierDiaporama, optb_TextFirst, optb_DateFirst,
             label_ShowTitle, textb_DureeImage, textb_DureeEffet}) {
        fitText(control);
    }
    const int gap = dialogUnitsWide(15);
    const int margin = dialogUnitsWide(19);
    cb_Create->move(std::max(cb_Create->x(), cb_GetFolder->x() + cb_GetFolder->width() + gap),
                    cb_Create->y());
    cb_Annul->move(std::max(cb_Annul->x(), cb_Create->x() + cb_Create->width() + gap),
                   cb_Annul->y());

    const int widest = std::max(dialogUnitsWide(264), ScreenSize().width() * 9 / 10) - margin;
    const int labelsRight = std::max(label_DureeImage->x() + label_DureeImage->width(),
                                     label_DureeEffet->x() + label_DureeEffet->width());
    const int titleInset = label_ShowTitle->x() - groupb_ShowTitle->x();
    int right = std::max({cb_Annul->x() + cb_Annul->width(),
                          labelsRight + dialogUnitsWide(8) + textb_DureeImage->width(),
                          label_NomDuFichier->x() + label_NomDuFichier->width(),
                          label_DossierDiaporama->x() + label_DossierDiaporama->width()});
    if (titleChoice)
        right = std::max(right, label_ShowTitle->x() + label_ShowTitle->width() + titleInset);
    right = std::min(right, widest);
    for (QLabel* label : {label_NomDuFichier, label_DossierDiaporama})
        fitLabelWithin(label, right - label->x());
    fitLabelWithin(label_ShowTitle, right - titleInset - label_ShowTitle->x());

    cb_Annul->move(right - cb_Annul->width(), cb_Annul->y());
    for (QLineEdit* box : {textb_DureeImage, textb_DureeEffet})
        box->move(right - box->width(), box->y());
    groupb_ShowTitle->resize(right - groupb_ShowTitle->x(), groupb_ShowTitle->height());

    int height = FromDialogUnits(0, 0, 0, 180).height();
    if (titleChoice) {
        // The options start below the frame's caption, which takes more room here.
        groupb_ShowTitle->ensurePolished();
        const int inside =
            groupb_ShowTitle->y() + groupb_ShowTitle->contentsRect().top() - optb_TextFirst->y();
        for (QWidget* control :
             std::initializer_list<QWidget*>{optb_TextFirst, optb_DateFirst, label_ShowTitle}) {
            if (inside > 0) control->move(control->x(), control->y() + inside);
        }
    } else {
        // The folder row and the buttons move up into the room of the title choice.
        const int d = label_DureeEffet->y() - label_DureeImage->y();
        label_DossierDiaporama->move(label_DossierDiaporama->x(),
                                     label_DureeEffet->y() + label_DureeEffet->height() + d);
        cb_GetFolder->move(cb_GetFolder->x(),
                           label_DossierDiaporama->y() + label_DossierDiaporama->height() + d);
        for (QPushButton* button : {cb_Create, cb_Annul})
            button->move(button->x(), cb_GetFolder->y());
        height = cb_Annul->y() + cb_Annul->height() + 2 * d;
    }
    for (QPushButton* button : {cb_GetFolder, cb_Create, cb_Annul}) {
        button->resize(button->width(), cb_GetFolder->height());
    }
    setFixedSize(right + margin,
                 std::max(height, cb_Annul->y() + cb_Annul->height() + dialogUnitsWide(8)));
}

// The folder row: the chosen folder, or the bare label and no cb_Create while there is none.
void FormDiaporamaParameters::showFolder() {
    if (workingFolder_.empty()) {
        label_DossierDiaporama->setText(parameters_.folderLabel + QStringLiteral(":"));
        cb_Create->setEnabled(false);
    } else {
        label_DossierDiaporama->setText(parameters_.folderLabel + QStringLiteral(": '") +
                                        PathText(workingFolder_) + QStringLiteral("'"));
        cb_Create->setEnabled(true);
    }
}

void FormDiaporamaParameters::showTitle(const char* titleFormat) {
    (titleFormat == std::string_view(kTitleFormatDate) ? optb_TextFirst : optb_DateFirst)
        ->setChecked(true);
    title_ = SlideShowTitle(parameters_.folderName, titleFormat);
    label_ShowTitle->setText(PathText(title_));
}

// The folder choice; the root folder gets its slide-show subfolder. Nothing is created here.
void FormDiaporamaParameters::getFolder() {
    FolderRequest request = parameters_.folderRequest;
    const std::string chosen = RunFormGetFolder(request, this);
    if (chosen.empty()) return;
    workingFolder_ = SlideShowFolderFor(chosen, parameters_.rootSubfolder);
    parameters_.slideShowFolder = workingFolder_;
    showFolder();
    layOut(groupb_ShowTitle->isVisibleTo(this));
}

// Durations of digits only (an empty one passes); otherwise the dialog stays open.
void FormDiaporamaParameters::create() {
    if (workingFolder_.empty()) {
        Dialogs().message(this, QString(), parameters_.noFolderText);
        return;
    }
    for (auto [box, label] : {std::pair{textb_DureeImage, &parameters_.intervalLabel},
                              std::pair{textb_DureeEffet, &parameters_.effectLabel}}) {
        if (!IsDigitsOnly(box->text().toStdString())) {
            Dialogs().message(this, *label, parameters_.digitsText);
            return;
        }
    }
    parameters_.interval = textb_DureeImage->text();
    parameters_.effectDuration = textb_DureeEffet->text();
    parameters_.title = title_;
    parameters_.slideShowFolder = workingFolder_;
    accept();
}

}  // namespace lumaro
