// The thumbnail strip: its captions feed the caption box, a double click takes the picture of
// the first display slot, and the strip is filled and emptied as a whole.
#include <QLineEdit>
#include <QPushButton>

#include "gui/app/form1.h"
#include "core/snapkeep/snapkeep.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/imageviewercontrol.h"

namespace lumaro {

// A loaded set shows its thumbnails; a save or a double click only changes what a thumbnail
// holds, and its caption box keeps telling which caption it gives.
void Form1::SetThumbnail(int k, const QString& path, const std::string& caption) {
    thumbCaptionTexts[k] = caption;
    thumbViewers[k]->setFileName(path);
    SetTextFromBytes(thumbCaptions[k], caption);
    thumbCaptions[k]->setCursorPosition(0);
    // The box is as narrow as its thumbnail: the whole caption shows on hovering.
    thumbCaptions[k]->setToolTip(thumbCaptions[k]->text());
}

void Form1::ShowThumbnail(int k, const QString& path, const std::string& caption) {
    SetThumbnail(k, path, caption);
    thumbViewers[k]->setDisplayOn(true);
    thumbCaptions[k]->show();
}

void Form1::ClearThumbnail(int k) {
    thumbCaptionTexts[k].clear();
    thumbViewers[k]->setFileName(QString());
    thumbViewers[k]->setDisplayOn(false);
    thumbCaptions[k]->clear();
    thumbCaptions[k]->setToolTip(QString());
    thumbCaptions[k]->hide();
}

void Form1::ThumbnailClick(int k) {
    if (thumbCaptionTexts[k].empty()) return;
    SetTextFromBytes(textb_Caption, WithThumbnailCaption(TextBytes(textb_Caption), thumbCaptionTexts[k]));
    textb_Caption->setFocus();
}

// Takes the thumbnail's caption back out of the caption box, then puts the picture of the
// first display slot, with its caption, in the thumbnail's place: with nothing in the slot,
// the thumbnail is emptied.
void Form1::ThumbnailDoubleClick(int k) {
    if (!thumbCaptionTexts[k].empty()) {
        const std::string before = TextBytes(textb_Caption);
        const std::string after = WithoutThumbnailCaption(before, thumbCaptionTexts[k]);
        SetTextFromBytes(textb_Caption, after);
        if (after.empty() && !before.empty()) pictbttn_ClearCaptions->setEnabled(false);
    }
    SetThumbnail(k, ImageV_1->fileName(), CaptionPartOf(TextBytes(textb_1C), kThumbnailCaptionLimit));
}

// No file on disk is touched.
void Form1::pictbttn_ClearSnapkeep_Click() {
    for (int k = 0; k < kSnapkeepCount; ++k) ClearThumbnail(k);
    pictbttn_ClearSnapkeep->hide();
}

}  // namespace lumaro
