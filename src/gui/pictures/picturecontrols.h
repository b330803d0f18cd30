// The controls of the main window's pictures area as the window's template lists them: the
// boxes under the display slots, the turn, delete and date buttons, the slide-show and transfer
// buttons and the Snapkeep strip.
#pragma once

#include <vector>

#include "gui/toolkit/controlplacing.h"

namespace lumaro {

// In the order of their ids.
const std::vector<ControlSpec>& PicturesAreaControls();

}  // namespace lumaro
