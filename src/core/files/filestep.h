// What a file operation of several steps reports: the step that failed and its errno, or the
// reason it refused to go on.
#pragma once

#include <cstring>
#include <string>

namespace lumaro {

struct FileStepResult {
    int error = 0;         // errno of the step that failed; 0 when done
    std::string step;      // what failed ("read", "write", ...), for the message
    bool refusal = false;  // nothing failed: `step` says why the file was left as it was
    bool ok() const { return error == 0; }
};

// "write: No space left on device", or the reason of a refusal alone
inline std::string DescribeFileStep(const FileStepResult& result) {
    if (result.refusal) return result.step;
    return result.step + ": " + std::strerror(result.error);
}

}  // namespace lumaro
