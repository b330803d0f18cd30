// Telling a HEIF picture (HEIC, AVIF and their kin) by its first bytes, whatever its name.
#pragma once

#include <string_view>

namespace lumaro {

// True when the bytes begin with a file-type box ("ftyp" at offset 4) whose main brand, or one
// of whose compatible brands within the bytes given, is a brand of HEIF pictures. The first 64
// bytes of a file are enough for every encoder seen.
bool LooksLikeHeif(std::string_view head);

}  // namespace lumaro
