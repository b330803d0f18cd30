// The thumbnails that file managers share ($XDG_CACHE_HOME/thumbnails/, each file named by the
// MD5 of its picture's URI) for names that an operation changed: removed, so that no file
// manager shows under a name the picture that bore it before.
#pragma once

#include <string>
#include <vector>

#include "core/files/fileoperations.h"

namespace lumaro {

// "file://" and the absolute `path`, each byte that a URI path cannot hold as it is written
// %XX (upper-case hexadecimal): the name by which thumbnails know a file.
std::string FileUri(const std::string& path);

// Removes every shared thumbnail of the files at `paths` (full paths, or paths from the working
// folder), of every size and every program's record of a failed thumbnail: each thumbnail
// folder that exists is read once, and only the entries found there are removed. A thumbnail
// that cannot be removed is left; the picture's operation never fails for it.
void RemoveSharedThumbnails(const std::vector<std::string>& paths);

// The same for the old and the new names of renames within `folder`.
void RemoveSharedThumbnails(const std::string& folder, const std::vector<FileRename>& renames);

}  // namespace lumaro
