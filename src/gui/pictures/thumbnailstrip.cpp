// The Snapkeep strip: its thumbnails and captions, loading a set into it and saving one from
// the picture list.
#include "gui/pictures/thumbnailstrip.h"

#include <QLineEdit>
#include <QPushButton>

#include "core/files/folderentries.h"
#include "core/settings/messagekeys.h"
#include "core/settings/programfolder.h"
#include "core/snapkeep/snapkeep.h"
#include "gui/pictures/picturesarea.h"
#include "gui/toolkit/arealinks.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/fonts.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "gui/toolkit/progressreport.h"
#include "gui/toolkit/windowcontext.h"

namespace lumaro {

ThumbnailStrip::ThumbnailStrip(WindowContext& context, PictureListView& list, PicturesArea& area)
    : QObject(&context.window()), context_(context), list_(list), area_(area) {
    const QWidget& form = context.window();
    pictbttn_ClearSnapkeep = form.findChild<QPushButton*>(QStringLiteral("pictbttn_ClearSnapkeep"));
    ImageV_1 = form.findChild<ImageViewerControl*>(QStringLiteral("ImageV_1"));
    textb_1C = form.findChild<QLineEdit*>(QStringLiteral("textb_1C"));
    for (int i = 0; i < 12; ++i) {
        thumbViewers[i] =
            form.findChild<ImageViewerControl*>(QStringLiteral("IV_%1").arg(i, 2, 10, QChar('0')));
        thumbCaptions[i] = form.findChild<QLineEdit*>(QStringLiteral("textb_MP%1").arg(i));
        thumbViewers[i]->setDisplayOn(false);
        thumbCaptions[i]->hide();
        thumbCaptions[i]->setReadOnly(true);
        thumbCaptions[i]->setFont(FontFromSpec(QStringLiteral("8.Arial Narrow")));
    }
}

// A loaded set shows its thumbnails; a save or a double click only changes what a thumbnail
// holds, and its caption box keeps telling which caption it gives.
void ThumbnailStrip::set(int k, const QString& path, const std::string& caption) {
    thumbCaptionTexts[k] = caption;
    thumbViewers[k]->setFileName(path);
    SetTextFromBytes(thumbCaptions[k], caption);
    thumbCaptions[k]->setCursorPosition(0);
    // The box is as narrow as its thumbnail: the whole caption shows on hovering.
    thumbCaptions[k]->setToolTip(thumbCaptions[k]->text());
}

void ThumbnailStrip::show(int k, const QString& path, const std::string& caption) {
    set(k, path, caption);
    thumbViewers[k]->setDisplayOn(true);
    thumbCaptions[k]->show();
}

void ThumbnailStrip::clear(int k) {
    thumbCaptionTexts[k].clear();
    thumbViewers[k]->setFileName(QString());
    thumbViewers[k]->setDisplayOn(false);
    thumbCaptions[k]->clear();
    thumbCaptions[k]->setToolTip(QString());
    thumbCaptions[k]->hide();
}

void ThumbnailStrip::clearAll() {
    for (int k = 0; k < kSnapkeepCount; ++k) clear(k);
    pictbttn_ClearSnapkeep->hide();
}

void ThumbnailStrip::click(int k) {
    if (thumbCaptionTexts[k].empty()) return;
    QLineEdit* captionBox = &list_.captionBox();
    SetTextFromBytes(captionBox, WithThumbnailCaption(TextBytes(captionBox), thumbCaptionTexts[k]));
    captionBox->setFocus();
}

// With nothing in the first display slot, the thumbnail is emptied.
void ThumbnailStrip::doubleClick(int k) {
    QLineEdit* captionBox = &list_.captionBox();
    if (!thumbCaptionTexts[k].empty()) {
        const std::string before = TextBytes(captionBox);
        const std::string after = WithoutThumbnailCaption(before, thumbCaptionTexts[k]);
        SetTextFromBytes(captionBox, after);
        if (after.empty() && !before.empty()) list_.offerCaptionClearing(false);
    }
    set(k, ImageV_1->fileName(), CaptionPartOf(TextBytes(textb_1C), kThumbnailCaptionLimit));
}

void ThumbnailStrip::loadSet() {
    QWidget& f = context_.window();
    const SnapkeepLoadStart start =
        StartSnapkeepLoad(DefaultSnapkeepFolder(context_.programFolders()));
    if (start.created) {
        Dialogs().message(&f, QString(), context_.message(kMessageCreateMemoFirst));
        return;
    }
    // A cancelled browser leaves the strip as it was.
    const std::optional<QString> chosen =
        Dialogs().browseFolder(&f, PathText(BrowserStartFolder(start.browseFrom)));
    if (!chosen || chosen->isEmpty()) return;
    for (int k = 0; k < kSnapkeepCount; ++k) clear(k);
    const std::string folder = WithTrailingSeparator(PathBytes(*chosen));
    const auto set = SnapkeepSetIn(folder);
    const int count = set ? static_cast<int>(set->size()) : 0;
    for (int k = 0; k < count; ++k)
        show(k, PathText(folder + (*set)[k].fileName), (*set)[k].caption);
    pictbttn_ClearSnapkeep->setVisible(count > 0);
    if (count == 0) Dialogs().message(&f, QString(), context_.message(kMessageNoMemoPictures));
}

void ThumbnailStrip::saveSet() {
    QWidget& f = context_.window();
    const std::string chosen = area_.ChooseFolder(FolderChoice::SnapkeepSave,
                                                  DefaultSnapkeepFolder(context_.programFolders()));
    if (chosen.empty()) return;
    const SnapkeepSavePlan plan =
        PlanSnapkeepSave(list_.pictures().avant, list_.pictures().currentFolder, chosen);
    const QString caption = QStringLiteral("Snapkeep");
    switch (plan.outcome) {
        case SnapkeepSavePlan::Outcome::PictureFolder:
            Dialogs().message(&f, caption, context_.message(kMessageSnapkeepIntoPictureFolder));
            return;
        case SnapkeepSavePlan::Outcome::CannotCreate:
            Dialogs().message(&f, caption,
                              context_.message(kMessageCannotCreateFolder) + QStringLiteral("\n") +
                                  PathText(plan.folder));
            return;
        case SnapkeepSavePlan::Outcome::Ready:
            break;
    }
    if (!plan.existing.empty() &&
        Dialogs().question(&f, caption,
                           context_.messages().namesText(kMessageSnapkeepReplace, plan.existing),
                           QuestionRisk::Destructive) != kAnswerYes) {
        return;
    }
    saveCopies(plan);
    if (plan.moreThanTwelve)
        Dialogs().message(&f, caption, context_.message(kMessageOnlyTwelveSaved));
}

// Each copy is written beside its final name and renamed into place once complete, at the size
// of the thumbnails; a copy that fails leaves its thumbnail empty and is named at the end. The
// strip shows or hides nothing: a saved set is seen when it is loaded.
void ThumbnailStrip::saveCopies(const SnapkeepSavePlan& plan) {
    const QSize size = thumbViewers[0]->size();
    const int total = static_cast<int>(plan.copies.size());
    context_.progress().start(total);
    std::vector<std::string> failed;
    for (int i = 0; i < total; ++i) {
        const SnapkeepCopy& copy = plan.copies[i];
        // Each step is a whole picture and the window is repainted after it: the bar follows
        // every one, unlike the fast loops whose steps it shows at screen rate.
        context_.progress().showStep(i + 1);
        ImageViewerControl* thumbnail = thumbViewers[copy.listIndex];
        thumbnail->setFileName(PathText(copy.source));
        const bool saved = thumbnail->savePicture(PathText(copy.copyBase), QStringLiteral("JPG"),
                                                  size.width(), size.height()) == 0;
        set(copy.listIndex, saved ? PathText(plan.folder + copy.copyName) : QString(),
            copy.caption);
        if (!saved) failed.push_back(copy.copyName);
        context_.window().repaint();
    }
    context_.progress().finish();
    if (!failed.empty()) context_.messages().showNames(kMessageSnapkeepCopiesFailed, failed);
}

}  // namespace lumaro
