// Turning pictures by 90, 180 or 270 degrees clockwise, as they are shown: a JPEG picture
// without loss where its sides allow, a picture of another type (PNG, TIFF, WebP...) decoded
// and encoded again in its own format, a HEIF picture never. The same turn for the window's
// buttons and for lumaro-cli turn.
#pragma once

#include <string>
#include <vector>

#include "operations/folderrun.h"
#include "operations/outcome.h"

namespace lumaro {

class PictureTurn {
public:
    // `paths`: picture files, in any folders; `angle`: 90, 180 or 270.
    PictureTurn(std::vector<std::string> paths, int angle);

    // What run() would do, each picture turned in memory only: no file is written. One file
    // per path, in order: turned (`encodedAgain` when not without loss) or kept, and why.
    Outcome plan() const;
    // Turns each picture under the lock of the folders, and records the turns in their
    // histories. SomeKept when a picture could not be turned (kMessageTurnFailed); FolderBusy
    // or HistoryUnwritable when nothing was touched.
    Outcome run(const RunOptions& options = {}) const;

private:
    Outcome turnEach(bool write) const;

    std::vector<std::string> paths_;
    int angle_;
};

}  // namespace lumaro
