// What a file operation of several steps reports: the step that failed and its errno, or the
// reason it refused to go on.
#pragma once

#include <cstring>
#include <string>

namespace lumaro {

// Why a file was left as it was although nothing failed: a new file in its place could not
// stand for it.
enum class FileRefusal {
    None,
    OtherNames,    // the file has other names (hard links), which would keep the old content
    NotWritable,   // the user may not write the file
    OwnerNotKept,  // the new file could not be given the old one's owner and group
};

struct FileStepResult {
    int error = 0;     // errno of the step that failed; 0 when done
    std::string step;  // what failed ("read", "write", ...), or why it was refused, for a log
    FileRefusal refusal = FileRefusal::None;  // set when nothing failed but the file was refused
    bool ok() const { return error == 0; }
    bool refused() const { return refusal != FileRefusal::None; }
};

// "write: No space left on device", or the reason of a refusal alone
inline std::string DescribeFileStep(const FileStepResult& result) {
    if (result.refused()) return result.step;
    return result.step + ": " + std::strerror(result.error);
}

}  // namespace lumaro
