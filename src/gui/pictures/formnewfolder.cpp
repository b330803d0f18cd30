// The new-folder-name dialog: a name that cannot name one folder keeps it open with a message.
#include "gui/pictures/formnewfolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/toolkit/controlplacing.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/fonts.h"

namespace lumaro {

namespace {
// A folder shown in the label is cut in its middle beyond this width, so the dialog stays
// on the smallest screen.
constexpr int kWidestLabel = 720;
}  // namespace

FormNewFolder::FormNewFolder(NewFolderRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
    setObjectName(QStringLiteral("FormNewFolder"));
    setFont(FontFromSpec(QStringLiteral("8.MS Sans Serif")));
    request_.name.clear();

    textb_NewFolder = Named(new QLineEdit(this), "textb_NewFolder");
    cb_OK = Named(new QPushButton(QStringLiteral("OK"), this), "cb_OK");
    cb_Annul =
        Named(new QPushButton(QString::fromStdString(request_.cancelCaption), this), "cb_Annul");
    label_FolderIn = Named(new QLabel(this), "label_FolderIn");

    setWindowTitle(QString::fromStdString(request_.caption));
    const QString folder = PathText(request_.folder);
    const QString label = QString::fromStdString(request_.label) + QLatin1Char(' ');
    const QFontMetrics metrics(font());
    label_FolderIn->setText(label +
                            metrics.elidedText(folder, Qt::ElideMiddle,
                                               kWidestLabel - metrics.horizontalAdvance(label)));
    label_FolderIn->setToolTip(folder);
    layOut();
    cb_OK->setDefault(true);
    textb_NewFolder->setFocus();

    connect(cb_OK, &QPushButton::clicked, this, &FormNewFolder::ok);
    connect(cb_Annul, &QPushButton::clicked, this, &QDialog::reject);
}

// The template's places, widened where a text needs more room than it gives.
void FormNewFolder::layOut() {
    const QRect labelRect = FromDialogUnits(20, 5, 27, 8);
    label_FolderIn->setGeometry(labelRect.x(), labelRect.y(),
                                std::max(labelRect.width(), label_FolderIn->sizeHint().width()),
                                std::max(labelRect.height(), label_FolderIn->sizeHint().height()));
    const QRect box = FromDialogUnits(20, 15, 200, 15);
    const int width =
        std::max({FromDialogUnits(0, 0, 235, 0).width(),
                  label_FolderIn->geometry().right() + box.x(), box.right() + box.x()});
    textb_NewFolder->setGeometry(box.x(),
                                 std::max(box.y(), label_FolderIn->geometry().bottom() + 4),
                                 width - 2 * box.x(), box.height());
    const QRect ok = FromDialogUnits(40, 45, 45, 15);
    const QRect annul = FromDialogUnits(145, 45, 46, 15);
    const int buttonWidth = std::max(
        {ok.width(), annul.width(), cb_OK->sizeHint().width(), cb_Annul->sizeHint().width()});
    const int buttonHeight = std::max(ok.height(), cb_OK->sizeHint().height());
    const int top = std::max(ok.y(), textb_NewFolder->geometry().bottom() + 12);
    cb_OK->setGeometry(ok.x(), top, buttonWidth, buttonHeight);
    cb_Annul->setGeometry(std::max(annul.x(), ok.x() + buttonWidth + 24), top, buttonWidth,
                          buttonHeight);
    setFixedSize(std::max(width, cb_Annul->geometry().right() + ok.x()),
                 std::max(FromDialogUnits(0, 0, 0, 71).height(), top + buttonHeight + 12));
}

void FormNewFolder::ok() {
    const std::string typed = PathBytes(textb_NewFolder->text());
    if (!IsAcceptableFolderName(typed)) {
        Dialogs().message(this, QString(), QString::fromStdString(request_.nameRefused));
        textb_NewFolder->setFocus();
        return;
    }
    request_.name = typed;
    accept();
}

}  // namespace lumaro
