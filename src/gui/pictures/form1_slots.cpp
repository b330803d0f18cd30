// Form1's side of the picture areas it owns: making them, and the display slots' handlers.
#include "gui/app/form1.h"
#include "gui/pictures/displayslots.h"
#include "gui/pictures/thumbnailstrip.h"

namespace lumaro {

void Form1::createPictureAreas() {
    displaySlots_ = new DisplaySlots(*this);
    thumbnailStrip_ = new ThumbnailStrip(*this);
}

void Form1::ShowInViewerSlot(const PictureEntry& picture, int slot) {
    displaySlots_->show(picture, slot);
}

void Form1::ClearViewerSlot(int slot) { displaySlots_->clear(slot); }

// Shows or hides the picture dates under the viewers.
void Form1::pictbttn_Date_Click() { displaySlots_->switchDates(); }

}  // namespace lumaro
