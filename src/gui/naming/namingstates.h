// The window state each step of the naming work leaves, by how the step ended: the one table
// from an outcome to a window state (what each state does to the controls is in windowstates.h).
#pragma once

#include <optional>

#include "core/windows/windowstate.h"
#include "operations/outcome.h"

namespace lumaro {

// The window's steps of the naming work whose end sets a state.
enum class NamingStep {
    Load,            // a folder loaded, or left unnumbered
    FirstNumbering,  // a folder loaded and numbered for the first time
    ProposeRename,
    ProposeRenumbering,
    CancelProposal,
    Apply,
    CancelApply,
    AcceptMove,
    CancelMove,
};

// The state to apply after `step` ended with `outcome`; none when the window stays as it is.
std::optional<WindowState> StateAfter(NamingStep step, const Outcome& outcome);

}  // namespace lumaro
