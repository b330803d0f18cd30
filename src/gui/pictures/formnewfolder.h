// FormNewFolder: asks FormGetFolder's user for the name of a new folder within the folder shown.
// It only answers the name; the folder is created by whoever uses the path in the end.
#pragma once

#include <QDialog>

#include "core/windows/folderrequest.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace lumaro {

class FormNewFolder : public QDialog {
    Q_OBJECT
public:
    // The name answered goes to request.name, empty unless cb_OK accepted it.
    FormNewFolder(NewFolderRequest& request, QWidget* parent);

    QLineEdit* textb_NewFolder;
    QPushButton* cb_OK;
    QPushButton* cb_Annul;
    QLabel* label_FolderIn;

private:
    void ok();
    void layOut();
    NewFolderRequest& request_;
};

}  // namespace lumaro
