// The controls of the main window's naming area as the window's template lists them: the
// picture list, the folder, the naming commands, the move column and the file-name group.
#pragma once

#include <vector>

#include "gui/toolkit/controlplacing.h"

namespace lumaro {

// In the order of their ids.
const std::vector<ControlSpec>& NamingAreaControls();

}  // namespace lumaro
