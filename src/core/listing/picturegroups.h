// Which files of a folder are pictures and videos, and how the files that share a name form
// one group: its picture (the list entry) and the files that follow it. A phone's short video
// stays with its picture only when both were taken within seconds of each other.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/names/pictureentry.h"
#include "core/picturefile/tiffdate.h"

namespace lumaro {

// The file type that lists every known picture and video type in one numbering.
inline constexpr std::string_view kAllTypes = "all";

// The known types, in the order in which a group chooses its picture.
enum class FileClass { Jpeg, Heif, Rendered, Raw, Video, Other };
// The class of a file by its extension, in any letter case.
FileClass ClassOfFile(std::string_view fileName);
inline bool IsStill(FileClass c) { return c < FileClass::Video; }

// A file named after a picture N with "_HEVC" (any case) and a video extension: the copy of a
// live picture's video some phones keep beside it. Gives N, or nothing.
std::optional<std::string_view> HevcVideoOwner(std::string_view fileName);

// A still and a video taken at most this far apart are one live picture.
inline constexpr long long kLivePictureSeconds = 10;
// Whether a still and a video of one name belong together: unless both carry a moment of
// taking and these lie more than kLivePictureSeconds apart.
bool TakenTogether(const std::optional<TakenDate>& still, const std::optional<TakenDate>& video);

// The groups of the known files `files` (non-empty, in name order): one entry per name
// without extension, whose picture is its first file of the first class present, and whose
// companions are its other files, a video named after a still's name with "_HEVC" included.
// Gives, for each entry, the index in `files` of its picture.
std::vector<size_t> GroupFiles(const std::vector<std::string>& files,
                               std::vector<PictureEntry>& entries);

// The moment of taking of a file of the folder, read once.
using TakenDateOf = std::function<std::optional<TakenDate>(const std::string& fileName)>;

// Takes out of each entry's companions a still or video of its name that was not taken
// together with the entry's file (TakenTogether). Gives the file names taken out.
std::vector<std::string> SeparateLaterVideos(std::vector<PictureEntry>& entries,
                                             const TakenDateOf& takenDateOf);

}  // namespace lumaro
