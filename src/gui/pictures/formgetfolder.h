// FormGetFolder: shows a folder and lets the user browse to another or name a new one within
// it; cb_OK returns the folder. Moving pictures to a folder, the slide-show folder and saving
// a Snapkeep set ask through it, each with its own texts.
#pragma once

#include <QDialog>
#include <string>

#include "core/windows/folderrequest.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace lumaro {

class FormGetFolder : public QDialog {
    Q_OBJECT
public:
    // Shows request.folder and empties it: only cb_OK writes the chosen folder back.
    FormGetFolder(FolderRequest& request, QWidget* parent);

    // The folder shown, ending in '/'.
    const std::string& workingFolder() const { return workingFolder_; }

    QLineEdit* textb_GetFolder;
    QPushButton* cb_OK;
    QPushButton* cb_Browse;
    QPushButton* cb_NewFolder;
    QPushButton* cb_Annul;
    QLabel* label_F;

private:
    void browse();
    void newFolder();
    void showWorkingFolder(std::string folder);
    void layOut();
    FolderRequest& request_;
    std::string workingFolder_;
};

// Runs FormGetFolder modally over `parent` through the dialog service; returns the folder
// chosen (ending in '/'), or empty when the user did not confirm one.
std::string RunFormGetFolder(FolderRequest& request, QWidget* parent);

}  // namespace lumaro
