// The one maker of folders: a folder path made on disk, its last level alone or every missing
// level above it too.
#pragma once

#include <sys/types.h>

#include <string>

namespace lumaro {

struct CreateFolderOptions {
    bool allLevels = true;  // false: only the last level is made, never the folders above it
    mode_t mode = 0777;     // less the umask
};

// Makes `folder` (with or without its final '/') a folder. Returns 0 when it is a folder at the
// end, made now or there already (a link to a folder counts), else the errno of the level that
// could not be made: EEXIST when a file stands in its place.
int CreateFolder(const std::string& folder, const CreateFolderOptions& options = {});

}  // namespace lumaro
