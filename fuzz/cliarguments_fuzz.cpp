// Fuzz target: the command line of lumaro-cli, words separated by NUL bytes as the program
// receives them, and the selection it resolves against a listing.
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/ranges.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lumaro::cli;
    if (size < 2) return 0;
    // The first two bytes give the length of the listing the selection is resolved on.
    const size_t count = (size_t{data[0]} << 8 | data[1]) % 4100;
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
    std::vector<std::string> words;
    for (size_t start = 0;;) {
        const size_t end = text.find('\0', start);
        words.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    const ParsedArguments parsed = ParseArguments(words);
    if (parsed.arguments.has_value() == !parsed.error.empty()) std::abort();

    // Every word alone as a selection, as --select would take it.
    for (const std::string& word : words) {
        const std::optional<Ranges> ranges = ParseRanges(word);
        if (!ranges) continue;
        const std::optional<std::vector<int>> indices = ResolveRanges(*ranges, count);
        if (!indices) continue;
        for (size_t i = 0; i < indices->size(); ++i) {
            const int index = (*indices)[i];
            if (index < 0 || static_cast<size_t>(index) >= count) std::abort();
            if (i > 0 && (*indices)[i - 1] >= index) std::abort();  // ascending, each once
        }
    }
    return 0;
}
