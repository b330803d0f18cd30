// Writes a whole file through a temporary file beside it that is renamed into place, so a
// failed write (a full disk, a read-only folder, a crash) never leaves a cut file behind.
#pragma once

#include <string>
#include <string_view>

namespace lumaro {

// Replaces (or creates) the file at `path` with `bytes`. The old file stays whole until the
// new one is complete on disk; its permissions carry over. Returns 0, or the errno of the
// step that failed, in which case nothing is left behind but the old file, if any.
int ReplaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace lumaro
