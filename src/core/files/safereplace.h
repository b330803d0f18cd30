// Giving an existing file new content without ever leaving it half written: the content goes
// to a temporary file beside it, is synced, takes the original's permissions, owner and
// modification time, and only then is renamed over the original.
#pragma once

#include <string>
#include <string_view>

namespace lumaro {

struct FileStepResult {
    int error = 0;         // errno of the step that failed; 0 when done
    std::string step;      // what failed ("read", "write", ...), for the message
    bool refusal = false;  // nothing failed: `step` says why the file was left as it was
    bool ok() const { return error == 0; }
};

// Reads the whole file at `path`.
FileStepResult ReadWholeFile(const std::string& path, std::string& bytes);

// Replaces the content of the existing file at `path` (a symbolic link is followed: its target
// gets the content). On any failure the original is untouched and no temporary file is left.
// Refuses a file that a new file in its place could not stand for: one with other names (hard
// links), one the user may not write, one whose owner and group the new file could not take.
FileStepResult ReplaceFileContent(const std::string& path, std::string_view bytes);

// "write: No space left on device", or the reason of a refusal alone
std::string DescribeFileStep(const FileStepResult& result);

}  // namespace lumaro
