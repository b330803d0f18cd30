// Fuzz target: the history reader. Any bytes give operations that encode and read back the
// same, and a history read whole never counts more skipped bytes than it holds.
#include <cstdlib>

#include "core/history/history.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lumaro;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ParsedHistory history = ParseHistory(bytes);
    if (history.skippedBytes > size) std::abort();
    std::string again =
        EncodeHistoryFolder(history.folder, history.device, history.inode, history.born);
    for (const HistoryOperation& operation : history.operations)
        again += EncodeHistoryOperation(operation);
    const ParsedHistory reread = ParseHistory(again);
    if (reread.operations != history.operations || reread.skippedBytes != 0) std::abort();
    return 0;
}
