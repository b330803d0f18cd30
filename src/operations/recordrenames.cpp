// Recording an operation's renames in the folder's history, companions marked as such, and
// removing the shared thumbnails of the names they changed.
#include "operations/recordrenames.h"

#include <system_error>
#include <thread>

#include "core/thumbnails/sharedthumbnails.h"

namespace lumaro {

void RecordRenames(OperationKind kind, const std::string& folder,
                   const std::vector<RenamePair>& done) {
    std::vector<FileRename> renames;
    std::vector<bool> companions;
    for (const RenamePair& pair : done) {
        const std::vector<FileRename> files = FileRenamesOf(pair);
        for (size_t k = 0; k < files.size(); ++k) {
            renames.push_back(files[k]);
            companions.push_back(k > 0);
        }
    }
    RecordFileRenames(kind, folder, renames, companions);
}

void RecordFileRenames(OperationKind kind, const std::string& folder,
                       const std::vector<FileRename>& renames,
                       const std::vector<bool>& companions) {
    // Both end the operation and neither needs the other: the thumbnails go on a thread of
    // their own while the record is written and synced.
    const auto removeThumbnails = [&folder, &renames] {
        std::vector<FileRename> changed;
        changed.reserve(renames.size());
        for (const FileRename& rename : renames)
            if (rename.oldName != rename.newName) changed.push_back(rename);
        RemoveSharedThumbnails(folder, changed);
    };
    std::thread thumbnails;
    try {
        thumbnails = std::thread(removeThumbnails);
    } catch (const std::system_error&) {  // no thread to be had: one after the other
        removeThumbnails();
    }
    RecordOperation(folder, RenameOperation(kind, renames, companions));
    if (thumbnails.joinable()) thumbnails.join();
}

}  // namespace lumaro
