// The shared thumbnails of the files a picture operation moved or deleted.
#include "operations/picturechanges.h"

#include "core/thumbnails/sharedthumbnails.h"

namespace lumaro {

void RemoveThumbnailsOf(const std::vector<ChangedFile>& changes) {
    std::vector<std::string> paths;
    paths.reserve(2 * changes.size());
    for (const ChangedFile& change : changes) {
        paths.push_back(change.name);
        if (!change.newName.empty() && change.newName != change.name)
            paths.push_back(change.newName);
    }
    RemoveSharedThumbnails(paths);
}

}  // namespace lumaro
