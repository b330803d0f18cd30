// Fuzz target: the language file loader on any bytes, into a table of the program's size.
#include <cstdlib>

#include "core/settings/languagetable.h"
#include "scratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lumaro;
    static const std::string path = fuzz::ScratchFolder() + "Language.lng";
    fuzz::WriteWholeFile(path, data, size);
    // One table for the whole run, as the window keeps one: each file overwrites it.
    static LanguageTable table = [] {
        LanguageTable english;
        english.resize(kLanguageKeyCount);
        english.applyEnglish();
        return english;
    }();
    const LanguageLoadResult result = table.applyFile(path);
    using Status = LanguageLoadResult::Status;
    if (result.status == Status::CannotOpen) std::abort();
    if (result.status == Status::FaultyLine &&
        (result.faultyKey < 0 || result.faultyKey >= kLanguageKeyCount))
        std::abort();
    if (table.size() != kLanguageKeyCount) std::abort();
    return 0;
}
