// The moment a video of the ISO base media family (mp4, mov, m4v, 3gp) was taken: the
// creation date its phone wrote in its metadata, else the creation time of its movie header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/picturefile/tiffdate.h"

namespace lumaro {

// Whether the file name ends like a video this reader knows, in any letter case.
bool IsIsoMovieName(std::string_view fileName);

// The date of the video whose head `bytes` holds. The top-level boxes are walked by their
// sizes to the movie box, which is read box by box (the media data is never read): its
// metadata's "com.apple.quicktime.creationdate" (local time and offset, keys and item list)
// when valid, else the movie header's creation time (seconds since 1904 in UTC, 0: none),
// given in UTC. Every read stays inside the file and inside the box it belongs to.
std::optional<TakenDate> ReadMovieDate(PictureBytes& bytes);

// The date of a creation-date text "YYYY-MM-DDThh:mm:ss[.fff][Z|+hh:mm|+hhmm]" (dashes or
// colons in the date, 'T' or a blank before the time); nothing when it does not read so.
std::optional<TakenDate> CreationDateText(std::string_view text);

}  // namespace lumaro
