// The states of the main window: after each step of the user's work the window offers only the
// commands that make sense next, and the state says which step that was.
#pragma once

namespace lumaro {

// The numbers are the ones the window has always used; a state without settings (Unused, or
// any number above PhotoWindowClosed) is recorded and changes nothing.
enum class WindowState : int {
    NoFolder = 0,              // no folder listed yet, or the list became empty
    FolderLoaded = 1,          // a folder has been listed
    PicturesSelected = 2,      // one or more pictures selected
    NothingSelected = 3,       // the selection became empty
    AllSelected = 4,           // every picture selected
    SelectionCleared = 5,      // the selection was cleared by the command
    RenamePending = 6,         // new names composed in the list, not yet applied
    ProposalCancelled = 7,     // a pending rename or renumbering dropped
    RenumberingPending = 8,    // new numbers composed in the list, not yet applied
    Unused = 9,                // applied by nothing; has no settings
    NamesApplied = 10,         // names written to disk
    ApplyCancelled = 11,       // the names applied given back, or a renumbering refused
    MovedTenTowardStart = 12,  // a move is pending (this and the next four)
    MovedOneTowardStart = 13,
    MovedToTarget = 14,
    MovedOneTowardEnd = 15,
    MovedTenTowardEnd = 16,
    MoveAccepted = 17,       // the moves renamed on disk
    MoveCancelled = 18,      // the moves given up
    PhotoWindowOpen = 19,    // the single-picture window is open
    PhotoWindowClosed = 20,  // the single-picture window closed again
};

}  // namespace lumaro
