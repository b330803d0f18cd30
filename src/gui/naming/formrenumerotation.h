// FormRenumerotation: asks the first number and the number of digits of a renumbering.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lumaro {

class FormRenumerotation : public QDialog {
    Q_OBJECT
public:
    struct Texts {
        QString caption;      // kMessageNumbering
        QString firstLabel;   // kMessageStartNumberingAt
        QString widthLabel;   // kMessageNumberOfDigits
        QString cancel;       // kMessageCancel
        QString digitsOnly;   // kMessageDigitsOnly
        QString widthRange;   // kMessageWidthOutOfRange
        QString width;        // in: the proposed width; out: the width typed
        QString firstNumber;  // out: the first number typed; empty when cancelled
    };

    FormRenumerotation(Texts& texts, QWidget* parent);

    QLineEdit* textb_Numero;
    QPushButton* cb_OK;
    QLabel* label_PremierNumero;
    QPushButton* cb_Cancel;
    QLabel* label_Largeur;
    QLineEdit* textb_Largeur;

private:
    void ok();
    Texts& texts_;
};

}  // namespace lumaro
