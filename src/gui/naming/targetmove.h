// TargetMove: asks behind which picture number the selected block is to go (0: to the start).
#pragma once

#include <QDialog>

#include "core/renaming/move.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace lumaro {

class TargetMove : public QDialog {
    Q_OBJECT
public:
    // The texts exchanged with the dialog.
    struct Texts {
        QString caption;     // kMessageTargetedMove
        QString label1;      // kMessageInsertAfterNumber
        QString label2;      // kMessageInsertAtStartHint
        QString digitsOnly;  // kMessageDigitsOnly
        QString outOfRange;  // kMessageValueOutOfRange
        TargetRange range;   // the numbers accepted besides 0
        QString answer;      // on return: the number typed; empty when cancelled
    };

    TargetMove(Texts& texts, QWidget* parent);

    QLineEdit* textb_RankPreceding;
    QPushButton* cb_OK;
    QLabel* label_1;
    QLabel* label_2;
    QPushButton* cb_Cancel;

private:
    void ok();
    Texts& texts_;
};

}  // namespace lumaro
