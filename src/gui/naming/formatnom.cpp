// FormatNom: its groups and options on their places, and the answer it hands back.
#include "gui/naming/formatnom.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "gui/toolkit/controlplacing.h"
#include "gui/toolkit/fonts.h"
#include "gui/toolkit/textfit.h"

namespace lumaro {

namespace {
// The template expects a group's frame through the middle of its title, where Qt draws it
// below the title: the group rises by half a title, or its frame would cross the first option.
void raiseFrameToTitleMiddle(QGroupBox* group) {
    group->setGeometry(group->geometry().adjusted(0, -group->fontMetrics().height() / 2, 0, 0));
}
}  // namespace

FormatNom::FormatNom(QStringList& texts, QWidget* parent) : QDialog(parent), texts_(texts) {
    while (texts_.size() < TextCount) texts_.append(QString());
    setObjectName(QStringLiteral("FormatNom"));
    setFont(FontFromSpec(QStringLiteral("8.MS Sans Serif")));
    setFixedSize(FromDialogUnits(0, 0, 335, 144).size());

    // Group boxes first, so the options stand over them.
    groupb_Format = PlacedInUnits(new QGroupBox(this), "groupb_Format", 20, 15, 165, 64);
    groupb_Sort = PlacedInUnits(new QGroupBox(this), "groupb_Sort", 205, 15, 101, 64);
    optb_1 = PlacedInUnits(new QRadioButton(this), "optb_1", 30, 25, 150, 11);
    optb_2 = PlacedInUnits(new QRadioButton(this), "optb_2", 30, 44, 150, 11);
    optb_3 = PlacedInUnits(new QRadioButton(this), "optb_3", 30, 65, 150, 11);
    optb_SortByName = PlacedInUnits(new QRadioButton(this), "optb_SortByName", 215, 30, 85, 12);
    optb_SortByDate = PlacedInUnits(new QRadioButton(this), "optb_SortByDate", 215, 55, 85, 11);
    cb_OK = PlacedInUnits(new QPushButton(QStringLiteral("OK"), this), "cb_OK", 95, 100, 50, 20);
    cb_Cancel = PlacedInUnits(new QPushButton(this), "cb_Cancel", 185, 100, 50, 20);

    // The three formats form one group, the two orders another.
    auto* formats = new QButtonGroup(this);
    for (QRadioButton* option : {optb_1, optb_2, optb_3}) formats->addButton(option);
    auto* orders = new QButtonGroup(this);
    for (QRadioButton* option : {optb_SortByName, optb_SortByDate}) orders->addButton(option);

    setWindowTitle(texts_[CaptionAndFormatAnswer]);
    cb_Cancel->setText(texts_[CancelCaption]);
    groupb_Format->setTitle(texts_[FormatGroupCaption]);
    optb_1->setText(texts_[ReplaceCaption]);
    optb_2->setText(texts_[InsertCaption]);
    optb_3->setText(texts_[LeaveCaption]);
    groupb_Sort->setTitle(texts_[SortGroupCaption]);
    optb_SortByName->setText(texts_[ByNameCaption]);
    optb_SortByDate->setText(texts_[ByDateCaption]);
    optb_1->setChecked(true);
    optb_SortByName->setChecked(true);
    texts_[CaptionAndFormatAnswer] = QStringLiteral("-1");
    cb_OK->setDefault(true);
    GrowToFitTexts(this);
    raiseFrameToTitleMiddle(groupb_Format);
    raiseFrameToTitleMiddle(groupb_Sort);

    connect(cb_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cb_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

// OK writes both answers; Cancel, Escape and the close box leave the "-1" of the opening.
void FormatNom::done(int result) {
    if (result == QDialog::Accepted) {
        texts_[CaptionAndFormatAnswer] = optb_1->isChecked()   ? QStringLiteral("1")
                                         : optb_2->isChecked() ? QStringLiteral("2")
                                                               : QStringLiteral("3");
        texts_[SortAnswer] =
            optb_SortByName->isChecked() ? QStringLiteral("N") : QStringLiteral("D");
    } else {
        texts_[CaptionAndFormatAnswer] = QStringLiteral("-1");
    }
    QDialog::done(result);
}

}  // namespace lumaro
