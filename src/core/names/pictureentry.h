// One picture file as a listing finds it: its base name and its own extension, kept apart so
// that a new name keeps the extension exactly as it was on disk, and the files that go with it
// (its raw file, its video, its sidecars), which every rename and move carries along.
#pragma once

#include <string>
#include <vector>

namespace lumaro {

struct PictureEntry {
    std::string base;       // file name without the final dot and extension
    std::string extension;  // ".jpg", ".JPG", ... exactly as on disk
    // Its companions, each by the rest of its name after `base` (".NEF", ".jpg.xmp"), in name
    // order: a companion's new name is the picture's new base followed by this rest.
    std::vector<std::string> companions{};

    std::string fileName() const { return base + extension; }
    bool operator==(const PictureEntry&) const = default;
};

}  // namespace lumaro
