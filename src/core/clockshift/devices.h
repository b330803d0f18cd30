// The devices that made the pictures of a folder: each file's device read from its own
// metadata, and for a listing each device with how many pictures it made, first and last.
#pragma once

#include <string>
#include <vector>

#include "core/datefields/datefields.h"
#include "core/names/pictureentry.h"

namespace lumaro {

// The date fields, date and device of the file at `path`, read where they lie without reading
// the rest of the file; an unreadable file gives the Unknown layout.
FileDates ReadFileDates(const std::string& path);

// The device name of the file at `path` (DeviceName).
std::string ReadDevice(const std::string& path);

struct DeviceSummary {
    std::string name;
    int count = 0;      // entries of the listing it made
    std::string first;  // the earliest and latest of their dates as written; empty when none
    std::string last;
};

// The devices of the entries of `folder` (ending with '/'), in the order they first appear;
// each entry counts for its own file's device, its companions for none.
std::vector<DeviceSummary> DevicesOfListing(const std::string& folder,
                                            const std::vector<PictureEntry>& entries);

}  // namespace lumaro
