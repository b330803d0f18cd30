// The one writer of whole files: the content goes to a temporary file beside the target, is
// synced, takes the old file's permissions (and, when asked, its owner and dates) and only then
// is renamed over it, so a failed write (a full disk, a read-only folder, a crash) never leaves
// a cut file behind. Also the one maker of those temporary files.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

#include "core/files/filestep.h"

namespace lumaro {

struct AtomicWriteOptions {
    // A symbolic link at the path is written through: the file it points to gets the content
    // (and is made when missing), the link stays. Otherwise the link gives way to the file.
    bool throughLinks = true;
    // Only an existing file is given new content; a missing one is a failed "open".
    bool mustExist = false;
    // The new file keeps the old one's owner, group and dates; a file whose owner and group
    // the new one could not take is refused.
    bool keepOwnerAndTimes = false;
    // A file with other names (hard links), which would keep the old content, and a file the
    // user may not write (the folder's permission would let the rename replace it) are refused.
    bool refuseSharedFiles = false;
};

// What a turn asks: the picture stays the very file it was, or is left as it is.
inline constexpr AtomicWriteOptions kReplaceAsTheSameFile{true, true, true, true};

// Writes `bytes` as the whole content of the file at `path`, creating it when missing (mode
// 0666 less the umask). The old file stays whole until the new one is complete on disk; its
// permissions carry over; the folder is synced after the rename. On any failure nothing is
// left behind but the old file, if any. Failed steps: "open", "create a file in the folder",
// "write", "chmod", "set the file date", "rename"; refusals say why in `step`.
FileStepResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                   const AtomicWriteOptions& options = {});

// Creates a new empty file in `folder` (ending with '/', or empty for the working folder) under
// a hidden name of fixed length, ".lumaro-" and six random letters or digits, with `mode` less
// the umask. Returns its open descriptor and sets `temporaryPath`, or -1 with errno set.
int CreateTemporaryFileIn(const std::string& folder, mode_t mode, std::string& temporaryPath);

}  // namespace lumaro
