// Correcting a camera's clock: the dates inside every picture of one device in a folder, and
// inside those of its companions that carry dates (a raw file, a live picture's video,
// whatever device they name), moved by one signed amount; sidecars stay as they are. Nothing
// is renamed, so a folder numbered or not is the same to it. The same correction for the
// window and for the command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "operations/folderrun.h"
#include "operations/outcome.h"
#include "operations/picturechanges.h"

namespace lumaro {

class Shift {
public:
    // `folder` ending with '/'; `fileType` as the listing takes it; `device` a device name as
    // DeviceName gives it; `seconds` at most 1,000 days either way.
    Shift(std::string folder, std::string fileType, std::string device, int64_t seconds);

    // What run() would do, each file shifted in memory only: no file is written. The files
    // that would stay as they are (a picture of the device without dates, an unknown layout,
    // a read-only file) are the outcome's files (kMessageShiftFailed), each with why; Refused
    // (kMessageShiftTooLong) for an amount over the bound. No picture of the device: Done,
    // with no change.
    PicturePlan plan() const;
    // Shifts the files under the lock of the folder, and records them as one operation of its
    // history with each file's new identity. SomeKept when a file stayed as it was; FolderBusy
    // or HistoryUnwritable when nothing was touched.
    Outcome run(const RunOptions& options = {});
    // The files the last run shifted.
    const std::vector<ChangedFile>& changed() const { return changed_; }

private:
    // Each file of the device's pictures, shifted (`write`) or planned; `record` gets the files
    // done, by their names within the folder.
    PicturePlan shiftEach(bool write, std::vector<std::pair<std::string, bool>>* record,
                          const ListProgress& progress) const;

    std::string folder_;
    std::string fileType_;
    std::string device_;
    int64_t seconds_;
    std::vector<ChangedFile> changed_;
};

}  // namespace lumaro
