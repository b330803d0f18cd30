// The date fields and the device inside one TIFF block (the Exif data of every still type).
#pragma once

#include <cstddef>
#include <string_view>

#include "core/datefields/datefields.h"

namespace lumaro {

// Adds to `found` the dates of the TIFF block that starts at `start` of `file` and ends before
// `end` (offsets inside it counted from `start`): DateTime, DateTimeOriginal and
// DateTimeDigitized of the first directory and of the Exif sub-directory, each a valid date
// text wholly inside the block, and Make, Model and BodySerialNumber.
void FindTiffDateFields(std::string_view file, size_t start, size_t end, FileDates& found);

}  // namespace lumaro
