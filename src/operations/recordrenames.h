// Recording the renames an operation made, each picture with its companions, as one operation
// of the folder's history, and removing the shared thumbnails of their old and new names.
#pragma once

#include <string>
#include <vector>

#include "core/files/fileoperations.h"
#include "core/history/history.h"
#include "core/naming/picturelist.h"

namespace lumaro {

// Records the renames that took place as one operation of `folder`'s history, and removes the
// shared thumbnails of the names they changed (core/thumbnails), beside the record's writing.
void RecordRenames(OperationKind kind, const std::string& folder,
                   const std::vector<RenamePair>& done);

// The same for renames by file names, `companions[i]` telling that renames[i] goes with the
// nearest picture before it.
void RecordFileRenames(OperationKind kind, const std::string& folder,
                       const std::vector<FileRename>& renames, const std::vector<bool>& companions);

}  // namespace lumaro
