// Turning the picture of display slot 1 by 90, 180 or 270 degrees, rewriting its file.
#include <QListWidget>
#include <QPushButton>

#include "core/locking/folderlock.h"
#include "gui/app/form1.h"
#include "gui/app/outcomemessages.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "operations/pictureturn.h"

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
    if (!goOnWithoutHistory(FolderOfPath(path))) return;
    RunOptions asked;  // the history was asked about
    asked.historyWaived = true;
    const Outcome outcome = PictureTurn({path}, angle).run(asked);
    if (outcome.done()) ImageV_1->setFileName(shown);
    ShowOutcome(this, languageTable(), outcome);
    lb_Avant->setFocus();
}

}  // namespace lumaro
