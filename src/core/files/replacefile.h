// Writes a whole file through a temporary file beside it that is renamed into place, so a
// failed write (a full disk, a read-only folder, a crash) never leaves a cut file behind. Also
// the one maker of those temporary files, for this writer and for safereplace.h.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace lumaro {

// Replaces (or creates) the file at `path` with `bytes`. The old file stays whole until the
// new one is complete on disk; its permissions carry over. Returns 0, or the errno of the
// step that failed, in which case nothing is left behind but the old file, if any.
int ReplaceFileContents(const std::string& path, std::string_view bytes);

// Creates a new empty file in `folder` (ending with '/', or empty for the working folder) under
// a hidden name of fixed length, ".lumaro-" and six random letters or digits, with `mode` less
// the umask. Returns its open descriptor and sets `temporaryPath`, or -1 with errno set.
int CreateTemporaryFileIn(const std::string& folder, mode_t mode, std::string& temporaryPath);

}  // namespace lumaro
