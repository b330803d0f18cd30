// Form1's side of the single-picture window: opening it from a large viewer, closing it from
// the naming commands and with the main window, and the watch timer that sees it gone.
#include "gui/app/form1.h"
#include "gui/pictures/displayslots.h"

namespace lumaro {

void Form1::ImageV_1_Click() { displaySlots_->openPhotoWindow(ImageV_1); }

void Form1::ImageV_2_Click() { displaySlots_->openPhotoWindow(ImageV_2); }

void Form1::ClosePhotoWindow() { displaySlots_->closePhotoWindow(); }

void Form1::closePictureWindows() { displaySlots_->closeWithMainWindow(); }

void Form1::watchTimer_Timer() { displaySlots_->watchPhotoWindow(); }

}  // namespace lumaro
