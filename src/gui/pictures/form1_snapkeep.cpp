// Form1's handlers of the Snapkeep strip: loading a set (cb_Memo), saving one (cb_Memo, right
// button), the clicks on its thumbnails and emptying it; the strip does the work.
#include "gui/app/form1.h"
#include "gui/pictures/thumbnailstrip.h"

namespace lumaro {

void Form1::cb_Memo_Click() { thumbnailStrip_->loadSet(); }

void Form1::cb_Memo_RightButtonUp() { thumbnailStrip_->saveSet(); }

void Form1::ThumbnailClick(int k) { thumbnailStrip_->click(k); }

void Form1::ThumbnailDoubleClick(int k) { thumbnailStrip_->doubleClick(k); }

// No file on disk is touched.
void Form1::pictbttn_ClearSnapkeep_Click() { thumbnailStrip_->clearAll(); }

}  // namespace lumaro
