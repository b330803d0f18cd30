// The table from a naming step's outcome to the window state it leaves.
#include "gui/naming/namingstates.h"

#include <array>

#include "core/settings/messagekeys.h"

namespace lumaro {

namespace {

constexpr int kAnyMessage = -2;

struct StateRow {
    NamingStep step;
    OutcomeKind kind;
    int messageKey;  // kAnyMessage: whatever the outcome says
    WindowState state;
};

// The first row that matches decides; a refusal that leaves the folder listed still shows it.
constexpr auto kDone = OutcomeKind::Done;
constexpr auto kSomeKept = OutcomeKind::SomeKept;
constexpr auto kRefused = OutcomeKind::Refused;
constexpr std::array kStateRows = {
    StateRow{NamingStep::Load, kDone, kAnyMessage, WindowState::FolderLoaded},
    StateRow{NamingStep::Load, kSomeKept, kAnyMessage, WindowState::FolderLoaded},
    StateRow{NamingStep::Load, kRefused, kMessageStartNumberTooLarge, WindowState::FolderLoaded},
    StateRow{NamingStep::Load, kRefused, kMessageInsertWouldUnnumber, WindowState::FolderLoaded},
    StateRow{NamingStep::FirstNumbering, kDone, kAnyMessage, WindowState::NamesApplied},
    StateRow{NamingStep::FirstNumbering, kSomeKept, kAnyMessage, WindowState::NamesApplied},
    StateRow{NamingStep::ProposeRename, kDone, kAnyMessage, WindowState::RenamePending},
    StateRow{NamingStep::ProposeRenumbering, kDone, kAnyMessage, WindowState::RenumberingPending},
    StateRow{NamingStep::ProposeRenumbering, kRefused, kMessageNumbersOverlap,
             WindowState::ApplyCancelled},
    StateRow{NamingStep::CancelProposal, kDone, kAnyMessage, WindowState::ProposalCancelled},
    StateRow{NamingStep::Apply, kDone, kAnyMessage, WindowState::NamesApplied},
    StateRow{NamingStep::Apply, kSomeKept, kAnyMessage, WindowState::NamesApplied},
    StateRow{NamingStep::CancelApply, kDone, kAnyMessage, WindowState::ApplyCancelled},
    StateRow{NamingStep::CancelApply, kSomeKept, kAnyMessage, WindowState::ApplyCancelled},
    StateRow{NamingStep::AcceptMove, kDone, kAnyMessage, WindowState::MoveAccepted},
    StateRow{NamingStep::AcceptMove, kSomeKept, kAnyMessage, WindowState::MoveAccepted},
    // The list changed since the moves began: they are given up, nothing renamed.
    StateRow{NamingStep::AcceptMove, kRefused, kMessageMoveOutdated, WindowState::MoveCancelled},
    StateRow{NamingStep::CancelMove, kDone, kAnyMessage, WindowState::MoveCancelled},
};

}  // namespace

std::optional<WindowState> StateAfter(NamingStep step, const Outcome& outcome) {
    for (const StateRow& row : kStateRows) {
        if (row.step != step || row.kind != outcome.kind) continue;
        if (row.messageKey == kAnyMessage || row.messageKey == outcome.messageKey) return row.state;
    }
    return std::nullopt;
}

}  // namespace lumaro
