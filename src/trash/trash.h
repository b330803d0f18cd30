// Moving a file to the desktop Trash, where file managers list it and restore it: the home
// trash for files of the home volume, the volume's own trash elsewhere, each file with an
// information file naming where it came from and when it was deleted.
#pragma once

#include <string>

namespace lumaro {

// Why the Trash did not take a file, or give one back; no words: the caller says it in the
// user's language.
enum class TrashRefusal {
    None,
    NameNotUtf8,  // the Trash records names as text
    NoSuchFile,
    TrashUnusable,  // no Trash of the file's disk can take it
    FolderBusy,     // another program is changing the file's folder
    NameTaken,      // a file given back: another file bears its name
};

struct TrashOutcome {
    std::string pathInTrash;  // where the file lies now (kept to restore it); empty if not moved
    TrashRefusal refusal = TrashRefusal::None;  // set when the file was refused before the move
    int error = 0;                              // errno when the system refused the move
    bool moved() const { return !pathInTrash.empty(); }
    bool failed() const { return refusal != TrashRefusal::None || error != 0; }
};

// Whether the Trash can take the file that `path` names now, found as MoveToTrash goes about it
// but without making or moving anything. The trash is the home trash for a file on the disk of
// the home folder; for a file elsewhere, its disk's own: $topdir/.Trash/$uid when
// $topdir/.Trash is a sticky folder and no link, else $topdir/.Trash-$uid, each used when it is
// a folder or can be made; else the home trash again. The trash chosen must lie on the file's
// disk (a file cannot be renamed into another one) and take new files, or be makeable there.
TrashRefusal CheckTrashTakes(const std::string& path);

// Moves the file that `path` names (its bytes, as the file system spells them) to the Trash,
// after CheckTrashTakes and under the lock of its folder: a file it refuses stays where it is.
TrashOutcome MoveToTrash(const std::string& path);

// Puts a file the Trash holds (`pathInTrash`, as MoveToTrash gave it) back at `path`, never
// over another file, and removes its information file, under the lock of the folder of `path`.
// failed() when it stayed in the Trash, and why.
TrashOutcome RestoreFromTrash(const std::string& pathInTrash, const std::string& path);

}  // namespace lumaro
