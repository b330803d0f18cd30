// Reading the head of a JPEG file from disk: the segments in front of the picture data, as far
// as the Exif reader of jpegheader.h needs them, without reading the picture itself.
#pragma once

#include <string>

namespace lumaro {

// The first bytes of the file at `path`: at least up to the end of its first Exif segment, or
// up to where the segment walk ends (the picture data, damage, the end of the file). Empty
// when the file cannot be read.
std::string ReadJpegHead(const std::string& path);

}  // namespace lumaro
