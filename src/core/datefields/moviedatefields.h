// The dates and the device inside the boxes of MP4 and QuickTime videos.
#pragma once

#include <string_view>

#include "core/datefields/datefields.h"

namespace lumaro {

// The creation and modification times of the movie header and of each track's track and
// media headers (0 means none and is no field), the Apple creation date of the movie's
// metadata, and its Apple make and model.
void FindMovieDateFields(std::string_view file, FileDates& found);

}  // namespace lumaro
