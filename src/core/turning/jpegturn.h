// Turning JPEG data by a quarter, half or three-quarter turn without decoding it where the
// picture allows, as the viewer shows it (its Exif orientation taken into account), with the
// orientation then set to 1, every other header segment kept and every byte after the end of
// the picture carried over.
#pragma once

#include <string>
#include <string_view>

namespace lumaro {

struct JpegTurnResult {
    bool ok = false;
    bool lossless = false;  // false: decoded and encoded again (sides not whole blocks)
    std::string jpeg;       // the turned file's bytes when ok
    std::string error;      // what went wrong, when not ok
};

// `angle` is 90, 180 or 270, clockwise. Where the sides are not whole blocks of the
// compression, the picture is decoded, turned and encoded again at quality 95 with the same
// header segments, rather than losing its edge pixels.
JpegTurnResult TurnJpeg(std::string_view jpeg, int angle);

}  // namespace lumaro
