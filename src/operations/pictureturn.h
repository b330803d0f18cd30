// Turning pictures by 90, 180 or 270 degrees clockwise, as they are shown: a JPEG picture
// without loss where its sides allow, a picture of another type (PNG, TIFF, WebP...) decoded
// and encoded again in its own format, a HEIF picture never. The same turn for the window's
// buttons and for lumaro-cli turn.
#pragma once

#include <string>
#include <vector>

#include "operations/folderrun.h"
#include "operations/outcome.h"
#include "operations/picturechanges.h"

namespace lumaro {

class PictureTurn {
public:
    // `paths`: picture files, in any folders; `angle`: 90, 180 or 270.
    PictureTurn(std::vector<std::string> paths, int angle);

    // What run() would do, each picture turned in memory only: no file is written. The
    // pictures that would not turn are the outcome's files (kMessageTurnFailed), with why;
    // Refused (kMessageReadOnlyDisk) when a picture's disk is read-only.
    PicturePlan plan() const;
    // Turns each picture under the lock of the folders, and records the turns in their
    // histories. SomeKept when a picture could not be turned (kMessageTurnFailed); FolderBusy,
    // HistoryUnwritable or Refused (a read-only disk) when nothing was touched.
    Outcome run(const RunOptions& options = {});
    // The pictures the last run turned.
    const std::vector<ChangedFile>& changed() const { return changed_; }

private:
    PicturePlan turnEach(bool write) const;

    std::vector<std::string> paths_;
    int angle_;
    std::vector<ChangedFile> changed_;
};

}  // namespace lumaro
