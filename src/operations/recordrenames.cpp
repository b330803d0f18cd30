// Recording an operation's renames in the folder's history, companions marked as such.
#include "operations/recordrenames.h"

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
    RecordOperation(folder, RenameOperation(kind, renames, companions));
}

}  // namespace lumaro
