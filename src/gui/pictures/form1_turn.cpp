// Turning the picture of display slot 1 by 90, 180 or 270 degrees, rewriting its file.
#include <QFile>
#include <QListWidget>
#include <QPushButton>

#include "core/history/history.h"
#include "core/locking/folderlock.h"
#include "core/settings/messagekeys.h"
#include "gui/app/form1.h"
#include "gui/pictures/turnedpicture.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/imageviewercontrol.h"

namespace lumaro {

void Form1::pictbttn_090_Click() { RotatePicture(90); }
void Form1::pictbttn_270_Click() { RotatePicture(270); }
void Form1::pictbttn_180_Click() { RotatePicture(180); }

void Form1::OfferTurnButtons(bool offered) {
    for (QPushButton* button : {pictbttn_090, pictbttn_180, pictbttn_270}) {
        button->setEnabled(offered);
        button->setVisible(offered);
    }
}

// Only slot 1 is turned, whatever else is selected; the list, the selection, slot 2 and the
// window state stay as they are.
void Form1::RotatePicture(int angle) {
    const QString shown = ImageV_1->fileName();
    if (shown.isEmpty()) return;  // nothing to turn
    const std::string path = PathBytes(shown);
    if (!goOnWithoutHistory(path.substr(0, path.rfind('/') + 1))) return;
    const FolderLock lock(FolderOfPath(PathBytes(shown)));
    if (messages().refusedAsBusy(lock)) return;
    TurnPictureResult result = TurnPicture(PathBytes(shown), angle);
    if (result.status == TurnPictureResult::Status::NotJpeg) result = TurnInOwnFormat(shown, angle);
    if (result.ok()) {
        HistoryOperation turn = TurnOperation(angle);
        turn.lossless = result.lossless;
        turn.files.push_back({PathBytes(shown), PathBytes(shown)});
        RecordByFolder(turn);
        ImageV_1->setFileName(shown);
    } else {
        Dialogs().message(this, QString(),
                          message(kMessageTurnFailed) + QStringLiteral("\n") + shown +
                              QStringLiteral("\n(") + QString::fromStdString(result.detail) +
                              QStringLiteral(")"));
    }
    lb_Avant->setFocus();
}

}  // namespace lumaro
