// Deleting pictures: each to the Trash, where file managers list and restore it and an undo
// finds it again, with its companion files when asked; a file the Trash cannot take stays in
// place unless the user says to delete it permanently. The same deletion for the window's
// delete button and for lumaro-cli delete.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "operations/folderrun.h"
#include "operations/outcome.h"
#include "operations/picturechanges.h"

namespace lumaro {

class PictureDeletion {
public:
    // Asked for each file the Trash did not take (named with the reason): true deletes it
    // permanently.
    using DeleteForGood = std::function<bool(const OutcomeFile& kept)>;

    // `paths`: picture files, in any folders; with `withCompanions`, each picture's companion
    // files (its raw file, its sidecar) follow it; `permanent` deletes every file for good
    // rather than moving it to the Trash.
    PictureDeletion(std::vector<std::string> paths, bool withCompanions, bool permanent);

    // The files in the order run() takes them, each picture followed by its companions, found
    // without moving or making anything: those the Trash would not take are the outcome's
    // files (kMessageDeleteFailed), with why; Refused (kMessageReadOnlyDisk) when a file's disk
    // is read-only.
    PicturePlan plan() const;
    // Deletes each file under the lock of the folders and records the moves to the Trash in
    // the folders' histories, a companion with its picture. SomeKept (kMessageDeleteFailed)
    // when a file stayed; FolderBusy, HistoryUnwritable or Refused (a read-only disk) when
    // nothing was touched.
    Outcome run(const RunOptions& options = {}, const DeleteForGood& forGood = {});
    // The files the last run deleted: each moved to the Trash with its path there, or deleted
    // permanently with none.
    const std::vector<ChangedFile>& changed() const { return changed_; }

private:
    struct File {
        std::string path;
        bool companion = false;  // a companion of the nearest picture before it
    };
    std::vector<File> files() const;

    std::vector<std::string> paths_;
    bool withCompanions_;
    bool permanent_;
    std::vector<ChangedFile> changed_;
};

}  // namespace lumaro
