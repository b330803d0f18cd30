// Reading the heads of many pictures of a folder at once. On a first opening the pictures are
// not in memory and every read waits for the disk; with several reads in flight the disk
// serves them together, so a listing by date is not held to one read at a time.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/picturefile/picturedate.h"

namespace lumaro {

// ReadPictureHeadAt of every name, in the order of `names`, whatever order the reads end in.
// `progress` is called on the calling thread only, with the number of heads read so far, at
// least every few tens of milliseconds while reads are under way, and once with the total.
std::vector<PictureHead> ReadPictureHeads(int folderFd,
                                          const std::vector<const std::string*>& names,
                                          const std::function<void(size_t done)>& progress);

}  // namespace lumaro
