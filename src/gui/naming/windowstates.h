// What each window state does to the commands of the main window: one row per control,
// one cell per state column.
#pragma once

#include <array>
#include <vector>

#include "core/windows/windowstate.h"

namespace lumaro {

// Columns of the table: one per state in the enum's order, Unused left out; the five moves
// share one column, and so do accepting and cancelling the moves.
inline constexpr int kStateColumns = 15;

struct WindowStateRow {
    const char* control;
    // Each cell: 'E' enable, 'D' disable, 'S' show, 'H' hide, in any combination; lower-case
    // letters name a rule applied in code after the table; empty leaves the control as it is.
    std::array<const char*, kStateColumns> cells;
};

const std::vector<WindowStateRow>& WindowStateTable();

// The column of a state, or -1 for a state with no settings (9, and above 20).
int StateColumn(WindowState state);

}  // namespace lumaro
