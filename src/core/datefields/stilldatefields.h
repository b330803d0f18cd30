// Where the TIFF block with the dates lies in JPEG, PNG and WebP files.
#pragma once

#include <string_view>

#include "core/datefields/datefields.h"

namespace lumaro {

// The first APP1 Exif segment in front of the picture data.
void FindJpegDateFields(std::string_view file, FileDates& found);
// The eXIf chunk, whose check sum a rewrite must make anew.
void FindPngDateFields(std::string_view file, FileDates& found);
// The EXIF chunk of the RIFF container.
void FindWebpDateFields(std::string_view file, FileDates& found);

}  // namespace lumaro
