// TargetMove: its labels and number box on their places, and the answer taken on OK.
#include "gui/naming/targetmove.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/toolkit/controlplacing.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/fonts.h"

namespace lumaro {

TargetMove::TargetMove(Texts& texts, QWidget* parent) : QDialog(parent), texts_(texts) {
    setObjectName(QStringLiteral("TargetMove"));
    setFont(FontFromSpec(QStringLiteral("8.MS Sans Serif")));
    setWindowTitle(texts_.caption);
    texts_.answer.clear();

    label_1 = Named(new QLabel(texts_.label1, this), "label_1");
    label_2 = Named(new QLabel(texts_.label2, this), "label_2");
    textb_RankPreceding = Named(new QLineEdit(this), "textb_RankPreceding");
    textb_RankPreceding->setAlignment(Qt::AlignCenter);
    cb_OK = Named(new QPushButton(QStringLiteral("OK"), this), "cb_OK");
    cb_Cancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "cb_Cancel");

    // The labels decide the width; the number box stands right of the first one.
    label_1->adjustSize();
    label_2->adjustSize();
    const QRect box = FromDialogUnits(45, 5, 26, 15);
    label_1->move(8, box.y() + (box.height() - label_1->height()) / 2);
    textb_RankPreceding->setGeometry(label_1->x() + label_1->width() + 8, box.y(), box.width(),
                                     box.height());
    label_2->move(8, box.y() + box.height() + 8);
    const int width = std::max({FromDialogUnits(0, 0, 268, 0).width(),
                                textb_RankPreceding->x() + box.width() + 16,
                                label_2->x() + label_2->width() + 16});
    const int buttonsTop = label_2->y() + label_2->height() + 16;
    cb_OK->setGeometry(width / 2 - 80, buttonsTop, 69, 24);
    cb_Cancel->setGeometry(width / 2 + 10, buttonsTop, 69, 24);
    setFixedSize(width, buttonsTop + 24 + 12);
    cb_OK->setDefault(true);

    connect(cb_OK, &QPushButton::clicked, this, &TargetMove::ok);
    connect(cb_Cancel, &QPushButton::clicked, this, [this] {
        texts_.answer.clear();
        reject();
    });
}

// Digits only, and 0 or a number of the list; otherwise the dialog stays open.
void TargetMove::ok() {
    const QString typed = textb_RankPreceding->text();
    switch (CheckTargetAnswer(typed.toStdString(), texts_.range)) {
        case TargetAnswer::NotDigits:
            Dialogs().message(this, QString(), texts_.digitsOnly);
            return;
        case TargetAnswer::OutOfRange:
            Dialogs().message(this, QString(), texts_.outOfRange);
            return;
        case TargetAnswer::Accepted:
        case TargetAnswer::Cancelled:
            break;
    }
    texts_.answer = typed;
    accept();
}

}  // namespace lumaro
