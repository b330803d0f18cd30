// Moving a file to the desktop Trash, where file managers list it and restore it: the home
// trash for files of the home volume, the volume's own trash elsewhere, each file with an
// information file naming where it came from and when it was deleted.
#pragma once

#include <string>

#include "core/naming/undo.h"

namespace lumaro {

struct TrashOutcome {
    std::string pathInTrash;  // where the file lies now (kept to restore it); empty if not moved
    std::string error;        // why the file was not moved
    bool moved() const { return !pathInTrash.empty(); }
};

// Moves the file that `path` names (its bytes, as the file system spells them) to the Trash,
// under the lock of its folder.
TrashOutcome MoveToTrash(const std::string& path);

// Puts a file the Trash holds (`pathInTrash`, as MoveToTrash gave it) back at `path`, never
// over another file, and removes its information file, under the lock of the folder of `path`.
// Empty, or why it stayed in the Trash.
std::string RestoreFromTrash(const std::string& pathInTrash, const std::string& path);

// The two moves above, lent to an undo of the core, which cannot reach the Trash itself.
TrashHooks UndoTrashHooks();

}  // namespace lumaro
