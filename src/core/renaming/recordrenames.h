// Recording the renames an operation made, each picture with its companions, as one operation
// of the folder's history.
#pragma once

#include <string>
#include <vector>

#include "core/history/history.h"
#include "core/naming/picturelist.h"

namespace lumaro {

// Records the renames that took place as one operation of `folder`'s history.
void RecordRenames(OperationKind kind, const std::string& folder,
                   const std::vector<RenamePair>& done);

}  // namespace lumaro
