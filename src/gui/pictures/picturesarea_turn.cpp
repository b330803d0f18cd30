// Turning the picture of display slot 1 by 90, 180 or 270 degrees, rewriting its file.
#include "core/locking/folderlock.h"
#include "gui/pictures/picturesarea.h"
#include "gui/toolkit/arealinks.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "gui/toolkit/outcomemessages.h"
#include "gui/toolkit/windowcontext.h"
#include "operations/pictureturn.h"

namespace lumaro {

void PicturesArea::pictbttn_090_Click() { RotatePicture(90); }
void PicturesArea::pictbttn_270_Click() { RotatePicture(270); }
void PicturesArea::pictbttn_180_Click() { RotatePicture(180); }

// Only slot 1 is turned, whatever else is selected; the list, the selection, slot 2 and the
// window state stay as they are.
void PicturesArea::RotatePicture(int angle) {
    const QString shown = ImageV_1->fileName();
    if (shown.isEmpty()) return;  // nothing to turn
    const std::string path = PathBytes(shown);
    if (!context_.goOnWithoutHistory(FolderOfPath(path))) return;
    RunOptions asked;  // the history was asked about
    asked.historyWaived = true;
    const Outcome outcome = PictureTurn({path}, angle).run(asked);
    if (outcome.done()) ImageV_1->setFileName(shown);
    ShowOutcome(&context_.window(), context_.languageTable(), outcome);
    list_.focusList();
}

}  // namespace lumaro
