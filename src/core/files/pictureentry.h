// One picture file as a listing finds it: its base name and its own extension, kept apart so
// that a new name keeps the extension exactly as it was on disk.
#pragma once

#include <string>

namespace lumaro {

struct PictureEntry {
    std::string base;       // file name without the final dot and extension
    std::string extension;  // ".jpg", ".JPG", ... exactly as on disk

    std::string fileName() const { return base + extension; }
    bool operator==(const PictureEntry&) const = default;
};

}  // namespace lumaro
