// The controls of the main window as its dialog template lists them: id, name, kind,
// template text, geometry in dialog units, font, icon and tooltip. The row type and the
// creation of a control from its row are in gui/toolkit/controlplacing.h.
#pragma once

#include <vector>

#include "gui/toolkit/controlplacing.h"

namespace lumaro {

// The rows of the controls the window holds itself (language, help, about, quit, progress).
const std::vector<ControlSpec>& WindowOwnControls();
// Every control of the window, the areas' included, in the order of their ids.
const std::vector<ControlSpec>& MainWindowControls();

}  // namespace lumaro
