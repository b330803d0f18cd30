// Moving pictures to another folder without ever losing one: each picture with its companion
// files, copied under one free name for the group, verified, and only then deleted from its
// folder. The same transfer for the window's "To a folder" and for lumaro-cli transfer.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/names/pictureentry.h"
#include "operations/folderrun.h"
#include "operations/outcome.h"
#include "operations/picturechanges.h"

namespace lumaro {

class PictureTransfer {
public:
    // Moves `pictures` of `folder` to `destination` (both ending with '/'), made when missing,
    // one level only.
    PictureTransfer(std::string folder, std::vector<PictureEntry> pictures,
                    std::string destination);

    // Where each file would go, by full paths, each picture followed by its companions: the
    // first name of the " (n)" series that is free for the whole group in the destination.
    // Refused when the destination is the picture folder itself, under any spelling.
    PicturePlan plan() const;
    // Makes the destination, moves each picture under the lock of both folders and records the
    // moves in the picture folder's history. SomeKept (kMessageCopyFailed) when a picture
    // stayed: a kept picture with a new name was copied there, but could not be deleted from
    // its folder, and is in both. Unusable (kMessageCannotCreateFolder, the destination as
    // detail) when the destination cannot be made; Refused, FolderBusy or HistoryUnwritable
    // when nothing was touched. `beforeEach` is called before the k-th picture is touched.
    Outcome run(const RunOptions& options = {}, const std::function<void(int k)>& beforeEach = {});
    // The files the last run moved, each picture followed by its companions.
    const std::vector<ChangedFile>& changed() const { return changed_; }

private:
    std::string folder_;
    std::vector<PictureEntry> pictures_;
    std::string destination_;
    std::vector<ChangedFile> changed_;
};

}  // namespace lumaro
