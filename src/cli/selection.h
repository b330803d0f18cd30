// The pictures a command works on, chosen by place (--select) and by name (--name and the
// names --select-from reads), resolved on the listing the command works on.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "core/names/pictureentry.h"

namespace lumaro::cli {

// Adds the names --select-from reads (one a line, or each ended by a NUL with -0) to
// `arguments.pictureNames`; kDone, or kUsage after saying why the file cannot be read.
int ReadNamesToSelect(Arguments& arguments);

// The name a picture of the listing bore before the command's folder load renamed it (its own
// name when the load leaves it).
using FormerName = std::function<std::string(const std::string& listed)>;

// The 0-based places in `listing` of the pictures the arguments choose, ascending, each once;
// nothing after saying why (a position past the end, a name not in the listing, reported as
// refused): nothing is changed then. A name matches a picture's name in the listing or the
// name it bore before the load.
std::optional<std::vector<int>> SelectPictures(const Arguments& arguments,
                                               const std::vector<PictureEntry>& listing,
                                               const FormerName& formerName = {});

}  // namespace lumaro::cli
