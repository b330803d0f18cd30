// The one maker of folders (see createfolder.h).
#include "core/files/createfolder.h"

#include <sys/stat.h>

#include <cerrno>

namespace lumaro {

namespace {

// 0 when `level` is a folder once this is done.
int makeLevel(const std::string& level, mode_t mode) {
    if (mkdir(level.c_str(), mode) == 0) return 0;
    const int error = errno;
    struct stat st;
    return stat(level.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? 0 : error;
}

}  // namespace

int CreateFolder(const std::string& folder, const CreateFolderOptions& options) {
    if (options.allLevels) {
        for (size_t slash = folder.find('/', 1); slash != std::string::npos;
             slash = folder.find('/', slash + 1)) {
            if (const int error = makeLevel(folder.substr(0, slash), options.mode)) return error;
        }
    }
    return makeLevel(folder, options.mode);
}

}  // namespace lumaro
