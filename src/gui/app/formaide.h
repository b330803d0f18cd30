// Form_Aide: the window's fixed French description of the program.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QLineEdit;
class QPushButton;

namespace lumaro {

class FormAide : public QDialog {
    Q_OBJECT
public:
    explicit FormAide(QWidget* parent);
    // The help text exactly as the program keeps it, with its CR LF line breaks.
    static QString HelpText();

    QPlainTextEdit* textb_Aide;
    QPushButton* cb_OK;
    QLineEdit* textb_HelpFilePath;
};

}  // namespace lumaro
