// Reading a whole file into memory.
#pragma once

#include <string>

#include "core/files/filestep.h"

namespace lumaro {

// Reads everything that is left to read from the open descriptor `fd` (which stays open) into
// `bytes`. Returns 0, or the errno of the read that failed.
int ReadAllFrom(int fd, std::string& bytes);

// Reads the whole file at `path` into `bytes`; the failed step is "open" or "read".
FileStepResult ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace lumaro
