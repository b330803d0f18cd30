// The folder choice dialog: the folder browser and new names change the folder shown; OK
// becomes possible only once the user did one of them.
#include "gui/pictures/formgetfolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/files/folderentries.h"
#include "gui/pictures/formnewfolder.h"
#include "gui/toolkit/controlplacing.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/fonts.h"

namespace lumaro {

FormGetFolder::FormGetFolder(FolderRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
    setObjectName(QStringLiteral("FormGetFolder"));
    setFont(FontFromSpec(QStringLiteral("8.MS Sans Serif")));

    textb_GetFolder = Named(new QLineEdit(this), "textb_GetFolder");
    textb_GetFolder->setReadOnly(true);
    cb_OK = Named(new QPushButton(QString::fromStdString(request_.okCaption), this), "cb_OK");
    cb_Browse =
        Named(new QPushButton(QString::fromStdString(request_.browseCaption), this), "cb_Browse");
    cb_NewFolder = Named(new QPushButton(QString::fromStdString(request_.newFolderCaption), this),
                         "cb_NewFolder");
    cb_Annul =
        Named(new QPushButton(QString::fromStdString(request_.cancelCaption), this), "cb_Annul");
    label_F = Named(new QLabel(QString::fromStdString(request_.folderLabel), this), "label_F");
    setWindowTitle(QString::fromStdString(request_.caption));

    showWorkingFolder(WithTrailingSeparator(request_.folder));
    // Every way of closing but cb_OK answers no folder.
    request_.folder.clear();
    cb_OK->setEnabled(false);
    layOut();

    connect(cb_Browse, &QPushButton::clicked, this, &FormGetFolder::browse);
    connect(cb_NewFolder, &QPushButton::clicked, this, &FormGetFolder::newFolder);
    connect(cb_OK, &QPushButton::clicked, this, [this] {
        request_.folder = workingFolder_;
        accept();
    });
    connect(cb_Annul, &QPushButton::clicked, this, &QDialog::reject);
}

// The template's places; a button, the label or the window grows when its text needs more room.
void FormGetFolder::layOut() {
    const QRect labelRect = FromDialogUnits(10, 23, 19, 8);
    const QSize labelHint = label_F->sizeHint();
    const QRect box = FromDialogUnits(40, 20, 195, 15);
    const int boxLeft = std::max(box.x(), labelRect.x() + labelHint.width() + 6);
    textb_GetFolder->setGeometry(boxLeft, box.y(), box.width(), box.height());
    label_F->setGeometry(labelRect.x(), box.y() + (box.height() - labelHint.height()) / 2,
                         std::max(labelRect.width(), labelHint.width()), labelHint.height());

    int buttonWidth = FromDialogUnits(0, 0, 80, 0).width();
    for (QPushButton* b : {cb_OK, cb_Browse, cb_NewFolder, cb_Annul}) {
        buttonWidth = std::max(buttonWidth, b->sizeHint().width());
    }
    const int left = boxLeft;
    const int right = std::max(left + box.width() - buttonWidth, left + buttonWidth + 24);
    const int rowHeight =
        std::max(FromDialogUnits(0, 0, 0, 17).height(), cb_OK->sizeHint().height());
    const int firstRow = FromDialogUnits(0, 45, 0, 0).y();
    const int secondRow = FromDialogUnits(0, 75, 0, 0).y();
    cb_Browse->setGeometry(left, firstRow, buttonWidth, rowHeight);
    cb_NewFolder->setGeometry(right, firstRow, buttonWidth, rowHeight);
    cb_OK->setGeometry(left, secondRow, buttonWidth, rowHeight);
    cb_Annul->setGeometry(right, secondRow, buttonWidth, rowHeight);
    textb_GetFolder->resize(right + buttonWidth - left, box.height());
    setFixedSize(std::max(FromDialogUnits(0, 0, 272, 0).width(),
                          right + buttonWidth + labelRect.x() + box.x() / 2),
                 std::max(FromDialogUnits(0, 0, 0, 103).height(), secondRow + rowHeight + 16));
}

void FormGetFolder::showWorkingFolder(std::string folder) {
    workingFolder_ = std::move(folder);
    textb_GetFolder->setText(PathText(workingFolder_));
    // The end of a long path, where the folder's own name stands, stays in sight.
    textb_GetFolder->end(false);
}

// The browser opens on the folder shown; cancelling it changes nothing.
void FormGetFolder::browse() {
    const std::optional<QString> chosen =
        Dialogs().browseFolder(this, PathText(BrowserStartFolder(workingFolder_)));
    if (!chosen || chosen->isEmpty()) return;
    showWorkingFolder(WithTrailingSeparator(PathBytes(*chosen)));
    cb_OK->setEnabled(true);
}

// A new name extends the folder shown; two names in a row nest.
void FormGetFolder::newFolder() {
    NewFolderRequest request = NewFolderRequestFor(request_, workingFolder_);
    FormNewFolder dialog(request, this);
    Dialogs().execDialog(dialog);
    if (request.name.empty()) return;
    showWorkingFolder(workingFolder_ + request.name + '/');
    cb_OK->setEnabled(true);
}

std::string RunFormGetFolder(FolderRequest& request, QWidget* parent) {
    FormGetFolder dialog(request, parent);
    Dialogs().execDialog(dialog);
    return request.folder;
}

}  // namespace lumaro
