// Snapkeep sets: loading the JPEG files of a folder into the strip (cb_Memo), and saving the
// first twelve pictures of the list as small copies (cb_Memo, right button).
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "gui/app/form1.h"
#include "core/files/folderentries.h"
#include "core/snapkeep/snapkeep.h"
#include "core/settings/programfolder.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "core/settings/messagekeys.h"

namespace lumaro {

void Form1::cb_Memo_Click() {
    const SnapkeepLoadStart start = StartSnapkeepLoad(DefaultSnapkeepFolder(programFolders));
    if (start.created) {
        Dialogs().message(this, QString(), message(kMessageCreateMemoFirst));
        return;
    }
    // A cancelled browser leaves the strip as it was.
    const std::optional<QString> chosen =
        Dialogs().browseFolder(this, PathText(BrowserStartFolder(start.browseFrom)));
    if (!chosen || chosen->isEmpty()) return;
    for (int k = 0; k < kSnapkeepCount; ++k) ClearThumbnail(k);
    const std::string folder = WithTrailingSeparator(PathBytes(*chosen));
    const auto set = SnapkeepSetIn(folder);
    const int count = set ? static_cast<int>(set->size()) : 0;
    for (int k = 0; k < count; ++k) ShowThumbnail(k, PathText(folder + (*set)[k].fileName), (*set)[k].caption);
    pictbttn_ClearSnapkeep->setVisible(count > 0);
    if (count == 0) Dialogs().message(this, QString(), message(kMessageNoMemoPictures));
}

void Form1::cb_Memo_RightButtonUp() {
    const std::string chosen = ChooseFolder(FolderChoice::SnapkeepSave, DefaultSnapkeepFolder(programFolders));
    if (chosen.empty()) return;
    const SnapkeepSavePlan plan = PlanSnapkeepSave(pictures.avant, pictures.currentFolder, chosen);
    switch (plan.outcome) {
        case SnapkeepSavePlan::Outcome::PictureFolder:
            Dialogs().message(this, QStringLiteral("Snapkeep"), message(kMessageSnapkeepIntoPictureFolder));
            return;
        case SnapkeepSavePlan::Outcome::CannotCreate:
            Dialogs().message(
                this, QStringLiteral("Snapkeep"),
                message(kMessageCannotCreateFolder) + QStringLiteral("\n") + PathText(plan.folder));
            return;
        case SnapkeepSavePlan::Outcome::Ready: break;
    }
    if (!plan.existing.empty() &&
        Dialogs().question(this, QStringLiteral("Snapkeep"), namesText(kMessageSnapkeepReplace, plan.existing)) !=
            kAnswerYes) {
        return;
    }
    saveSnapkeepCopies(plan);
    if (plan.moreThanTwelve)
        Dialogs().message(this, QStringLiteral("Snapkeep"), message(kMessageOnlyTwelveSaved));
}

// Each copy is written beside its final name and renamed into place once complete, at the size
// of the thumbnails; a copy that fails leaves its thumbnail empty and is named at the end. The
// strip shows or hides nothing: a saved set is seen when it is loaded.
void Form1::saveSnapkeepCopies(const SnapkeepSavePlan& plan) {
    const QSize size = thumbViewers[0]->size();
    const int total = static_cast<int>(plan.copies.size());
    startProgress(total);
    std::vector<std::string> failed;
    for (int i = 0; i < total; ++i) {
        const SnapkeepCopy& copy = plan.copies[i];
        // Each step is a whole picture and the window is repainted after it: the bar follows
        // every one, unlike the fast loops whose steps it shows at screen rate.
        progb_1->setValue(i + 1);
        ImageViewerControl* thumbnail = thumbViewers[copy.listIndex];
        thumbnail->setFileName(PathText(copy.source));
        const bool saved =
            thumbnail->savePicture(PathText(copy.copyBase), QStringLiteral("JPG"), size.width(), size.height()) == 0;
        SetThumbnail(copy.listIndex, saved ? PathText(plan.folder + copy.copyName) : QString(), copy.caption);
        if (!saved) failed.push_back(copy.copyName);
        repaint();
    }
    progb_1->hide();
    if (!failed.empty()) showNames(kMessageSnapkeepCopiesFailed, failed);
}

}  // namespace lumaro
