// Turning a picture file of a type other than JPEG: decoded and encoded again in its own format
// through Qt's image codecs, then handed to the core, which replaces the file only with a
// complete new one. Paths are the file system's bytes: no Qt type crosses this header.
#pragma once

#include <string>

#include "core/turning/turnpicture.h"

namespace lumaro {

// Turns the file at `path` clockwise by `angle` (90, 180, 270) as it is shown; with `write`
// false, turns it in memory only and says what the turn would give. Never lossless.
TurnPictureResult TurnByEncodingAgain(const std::string& path, int angle, bool write = true);

}  // namespace lumaro
