// A shared thumbnail cache of a test's own: XDG_CACHE_HOME points to a temporary folder while it
// lives, and thumbnails are planted there and looked for by the paths of their pictures.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/thumbnails/md5.h"
#include "core/thumbnails/sharedthumbnails.h"
#include "picturefolder.h"

namespace lumaro {

class ThumbnailCache {
public:
    ThumbnailCache() {
        if (const char* before = getenv("XDG_CACHE_HOME")) before_ = before;
        setenv("XDG_CACHE_HOME", cache_.path().c_str(), 1);
    }
    ~ThumbnailCache() {
        if (before_.empty()) {
            unsetenv("XDG_CACHE_HOME");
        } else {
            setenv("XDG_CACHE_HOME", before_.c_str(), 1);
        }
    }
    ThumbnailCache(const ThumbnailCache&) = delete;
    ThumbnailCache& operator=(const ThumbnailCache&) = delete;

    // The thumbnail of the file at `path` (its full path as a file manager names it) in the
    // cache's folder `size` ("normal", "fail/viewer"), made with the folders it needs.
    void plant(const std::string& path, const std::string& size = "normal") const {
        const std::string folder = cache_.path() + "thumbnails/" + size + "/";
        std::filesystem::create_directories(folder);
        std::ofstream(folder + nameOf(path)) << "thumbnail";
    }
    bool holds(const std::string& path, const std::string& size = "normal") const {
        return access((cache_.path() + "thumbnails/" + size + "/" + nameOf(path)).c_str(), F_OK) ==
               0;
    }

private:
    static std::string nameOf(const std::string& path) { return Md5Hex(FileUri(path)) + ".png"; }

    PictureFolder cache_;
    std::string before_;
};

}  // namespace lumaro
