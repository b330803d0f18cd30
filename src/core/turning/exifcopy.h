// The Exif block of a picture carried over to a copy encoded anew (the viewer's saved copies,
// Snapkeep's small pictures), so that the copy keeps the picture's dates.
#pragma once

#include <string>
#include <string_view>

namespace lumaro {

// The first Exif block of the JPEG header `jpeg` (the APP1 payload, from "Exif\0\0"), made fit
// for a copy of width x height whose pixels are already upright: orientation 1, the pixel
// dimensions those of the copy, and no small picture (it shows the picture as it was). Every
// other byte of the block stays as it was. Empty when the header holds no Exif block.
std::string ExifBlockForCopy(std::string_view jpeg, unsigned width, unsigned height);

// The JPEG data with `block` added as an APP1 segment after the start marker, and after a JFIF
// segment when there is one (both readers then find what they look for); unchanged when the
// block is empty or too long for a segment, or the data is not JPEG.
std::string JpegWithExifBlock(std::string_view jpeg, std::string_view block);

}  // namespace lumaro
