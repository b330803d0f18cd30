#include "settings/programfolder.h"

#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace lumaro {

std::string ProgramFolder() {
    std::string folder;
    if (const char* home = std::getenv("LUMARO_HOME"); home && *home) {
        folder = home;
    } else {
        std::vector<char> buffer(4096);
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
        if (n > 0) {
            folder.assign(buffer.data(), static_cast<size_t>(n));
            folder.erase(folder.rfind('/') + 1);
        } else {
            folder = "./";
        }
    }
    if (folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace lumaro
