// The dates and the device inside the Exif item of a HEIF picture.
#pragma once

#include <string_view>

#include "core/datefields/datefields.h"

namespace lumaro {

// The Exif item of a HEIF picture, found through its item information and item locations
// (in the file or in the item data box, in one extent), and the dates of its TIFF block.
void FindHeifDateFields(std::string_view file, FileDates& found);

}  // namespace lumaro
