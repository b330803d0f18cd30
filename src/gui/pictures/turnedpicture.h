// Turning a picture file of a type other than JPEG: decoded and encoded again in its own format
// by Qt, then handed to the core, which replaces the file only with a complete new one.
#pragma once

#include <QString>

#include "core/turning/turnpicture.h"

namespace lumaro {

// Turns the file at `path` clockwise by `angle` (90, 180, 270) as it is shown.
TurnPictureResult TurnInOwnFormat(const QString& path, int angle);

}  // namespace lumaro
