// Loading a folder: the pictures are listed, and every name of the folder is brought under
// the numbered-name convention. A numbered folder gets one number width and numbers for the
// pictures that lack one; an unnumbered folder is numbered as the user answers (replace the
// names by numbers, insert numbers in front, or leave them). No rename ever replaces a file.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/files/fileoperations.h"
#include "core/journal/renamejournal.h"
#include "core/naming/picturelist.h"
#include "core/naming/picturelisting.h"

namespace lumaro {

// The answers of the name-format dialog, as it writes them.
struct FirstNumberingAnswer {
    std::string format = "-1";  // "1" replace, "2" insert, "3" leave, "-1" cancelled
    std::string sort = "N";     // "N" by name, "D" by picture date
};
// Asked only when the folder turns out not to be numbered.
using AskFirstNumbering = std::function<FirstNumberingAnswer()>;

struct LoadFolderOptions {
    AskFirstNumbering askFirstNumbering;  // unset: the load is cancelled like "-1"
    ListProgress progress;                // listings and long rename loops
};

enum class LoadOutcome {
    Loaded,               // a numbered folder, normalised
    LeftUnnumbered,       // answer "3": listed by name, names untouched
    FirstNumbered,        // answer "1" or "2": the pairs in `apres`/`olds` allow a cancel
    Cancelled,            // answer "-1": the lists stay empty
    NoPictures,           // kMessageNoFilesOfType, a blank and the file type
    Unreadable,           // the folder cannot be read
    TooManyPictures,      // numbers would need seven digits; nothing renamed
    InsertWouldUnnumber,  // answer "2" would give names that are not numbered (refusedNames)
    FolderBusy,           // another program is changing the folder: nothing read or renamed
};

struct LoadFolderResult {
    LoadOutcome outcome = LoadOutcome::Loaded;
    // 0 when there is nothing to say. kMessageReadOnlyDisk: the folder is listed, but the
    // renames of the load (or the repair of an interrupted operation) could not be made, its
    // disk being read-only; no journal was written.
    int messageKey = 0;
    bool namesChanged = false;                 // some file on disk has a new name
    bool someWithoutDate = false;              // a listing by date met pictures without date
    std::vector<RenameFailure> failedRenames;  // the pictures that kept their names
    std::vector<std::string> refusedNames;     // InsertWouldUnnumber: the names concerned
    // Pictures renamed to the folder's one number width, and pictures of a numbered folder
    // numbered on from its last number.
    int equalisedCount = 0;
    int completedCount = 0;
    // PlanFolderLoad only: each picture the load would rename, under its present name, with
    // the base name it would take.
    std::vector<RenamePair> plannedRenames;
    // Every picture the load renamed (not the repair), from its name before the load to its
    // last name, for the folder's history; `madeCompanions[i]` tells a companion.
    std::vector<FileRename> made;
    std::vector<bool> madeCompanions;
    // An interrupted operation that the load finished first (its failures are also in
    // failedRenames); the window says what it renamed.
    JournalRepair repair;
};

// Loads `list.currentFolder` for `list.fileType` (both set by the caller; the folder ends
// with '/') under the folder's lock. Empties the lists first, then fills `avant`, `pictureCount`,
// `numberWidth`, `folderNumbered`, `sortByDateNext` and the undo pairs as the load goes.
LoadFolderResult LoadFolder(PictureList& list, const LoadFolderOptions& options);

// What LoadFolder would do, found without renaming a picture, so that a caller can check its
// own rules on the names the load would give before anything on disk changes. `list` is
// filled as the load would leave it, and the result is the one the load would return; a
// rename to a name that another file of the folder bears is planned as failed, as the load
// would find it. An interrupted operation is left as it is: the plan is made on the folder as
// it stands, and changes nothing at all (operations/repairoperation.h finishes it first).
LoadFolderResult PlanFolderLoad(PictureList& list, const LoadFolderOptions& options);

}  // namespace lumaro
