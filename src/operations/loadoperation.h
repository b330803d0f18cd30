// Loading a folder: an interrupted operation finished first, the pictures listed, and every name
// brought under the numbered-name convention (core/renaming/folderload.h). Planned without
// touching a file (what a dry run prints), and run under the folder's lock, the load's renames
// recorded as one operation of the folder's history.
#pragma once

#include "core/renaming/folderload.h"
#include "operations/folderrun.h"
#include "operations/renameoutcome.h"

namespace lumaro {

class FolderLoadOperation {
public:
    // `list.currentFolder` and `list.fileType` are set; `options.askFirstNumbering` is asked
    // only when the folder turns out not to be numbered (the progress is the run's).
    FolderLoadOperation(PictureList& list, LoadFolderOptions options);

    // On the folder as it stands, an interrupted operation left as it is (RepairOperation tells
    // what finishing it would rename): `list` filled as the load would leave it. The renames
    // are in name order of the names the files bear.
    NamingPlan plan();
    Outcome run(const RunOptions& options = {});

    // After plan() or run(): what the load found and did (its outcome, its counts, pictures
    // listed without a date).
    const LoadFolderResult& result() const { return result_; }
    // After run(): what finishing an interrupted operation first did (RepairOutcome); the
    // pictures it could not rename are among the load's files.
    Outcome repairOutcome() const;

private:
    PictureList& list_;
    LoadFolderOptions options_;
    LoadFolderResult result_;
};

}  // namespace lumaro
