// FormRenumerotation: its boxes and labels on their places, and the answer taken on OK.
#include "gui/naming/formrenumerotation.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/renaming/renumber.h"
#include "gui/toolkit/controlplacing.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/fonts.h"

namespace lumaro {

FormRenumerotation::FormRenumerotation(Texts& texts, QWidget* parent)
    : QDialog(parent), texts_(texts) {
    setObjectName(QStringLiteral("FormRenumerotation"));
    setFont(FontFromSpec(QStringLiteral("8.MS Sans Serif")));
    setWindowTitle(texts_.caption);
    texts_.firstNumber.clear();

    textb_Numero = PlacedInUnits(new QLineEdit(this), "textb_Numero", 135, 8, 24, 12);
    textb_Largeur =
        PlacedInUnits(new QLineEdit(texts_.width, this), "textb_Largeur", 135, 23, 24, 12);
    for (QLineEdit* box : {textb_Numero, textb_Largeur}) box->setAlignment(Qt::AlignCenter);
    label_PremierNumero =
        PlacedInUnits(new QLabel(texts_.firstLabel, this), "label_PremierNumero", 40, 10, 23, 8);
    label_Largeur =
        PlacedInUnits(new QLabel(texts_.widthLabel, this), "label_Largeur", 40, 25, 24, 8);
    cb_OK = PlacedInUnits(new QPushButton(QStringLiteral("OK"), this), "cb_OK", 40, 45, 45, 15);
    cb_Cancel = PlacedInUnits(new QPushButton(texts_.cancel, this), "cb_Cancel", 115, 45, 46, 15);

    // Each label ends 15 units before its box; a long label widens the dialog instead of
    // running under the box.
    int shift = 0;
    for (QLabel* label : {label_PremierNumero, label_Largeur}) {
        label->adjustSize();
        shift = std::max(shift, label->width() + 15 - (textb_Numero->x() - 10));
    }
    for (QLineEdit* box : {textb_Numero, textb_Largeur}) box->move(box->x() + shift, box->y());
    for (auto [label, box] :
         {std::pair{label_PremierNumero, textb_Numero}, std::pair{label_Largeur, textb_Largeur}}) {
        label->move(box->x() - 15 - label->width(),
                    box->y() + (box->height() - label->height()) / 2);
    }
    setFixedSize(FromDialogUnits(0, 0, 198, 72).size() + QSize(shift, 0));
    textb_Numero->setFocus();
    cb_OK->setDefault(true);

    connect(cb_OK, &QPushButton::clicked, this, &FormRenumerotation::ok);
    connect(cb_Cancel, &QPushButton::clicked, this, [this] {
        textb_Numero->clear();
        texts_.firstNumber.clear();
        reject();
    });
}

void FormRenumerotation::ok() {
    const QString first = textb_Numero->text();
    const QString width = textb_Largeur->text();
    switch (CheckRenumberAnswer(first.toStdString(), width.toStdString())) {
        case RenumberAnswer::NotDigits:
            Dialogs().message(this, QString(), texts_.digitsOnly);
            return;
        case RenumberAnswer::BadWidth:
            Dialogs().message(this, QString(), texts_.widthRange);
            return;
        case RenumberAnswer::Accepted:
        case RenumberAnswer::Cancelled:
            break;
    }
    texts_.firstNumber = first;
    texts_.width = width;
    accept();
}

}  // namespace lumaro
