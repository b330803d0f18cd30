// Fuzz target: the settings file loader on any bytes. A file that loads must save and load
// back to the same values, or a hand-edited file would change at the next close.
#include <cstdlib>

#include "core/settings/settingsfile.h"
#include "scratch.h"

namespace {

bool sameSettings(const lumaro::Settings& a, const lumaro::Settings& b) {
    return a.languageName == b.languageName && a.currentFolder == b.currentFolder &&
           a.copyToFolder == b.copyToFolder && a.slideShowFolder == b.slideShowFolder &&
           a.slideShowTitleFormat == b.slideShowTitleFormat && a.fileTypes == b.fileTypes &&
           a.captions == b.captions;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lumaro;
    static const std::string path = fuzz::ScratchFolder() + "Lumaro.ini";
    static const std::string savedPath = fuzz::ScratchFolder() + "Saved.ini";
    fuzz::WriteWholeFile(path, data, size);
    Settings loaded;
    if (!LoadSettings(path, loaded)) return 0;
    if (!SaveSettings(savedPath, loaded)) std::abort();
    Settings again;
    if (!LoadSettings(savedPath, again) || !sameSettings(loaded, again)) std::abort();
    return 0;
}
