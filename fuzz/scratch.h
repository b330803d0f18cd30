// A scratch folder in memory for the fuzz targets that read files: the readers take paths,
// so each input is written to a file first. tmpfs keeps the folder syncs of the repair cheap.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/files/fileoperations.h"

namespace lumaro::fuzz {

// The folder of this process, made on first use and ending with '/'.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/lumaro_fuzz_XXXXXX"
                                                            : "/tmp/lumaro_fuzz_XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        // Removed at exit with whatever an input left behind in it.
        static const std::string removal = "rm -rf '" + pattern + "'";
        std::atexit([] { (void)std::system(removal.c_str()); });
        return pattern + "/";
    }();
    return folder;
}

// Writes `bytes` as the whole content of `path`; aborts when it cannot, since every later
// result would be meaningless.
inline void WriteWholeFile(const std::string& path, const uint8_t* data, size_t size) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || !WriteAllBytes(fd, std::string_view(reinterpret_cast<const char*>(data), size)))
        std::abort();
    close(fd);
}

}  // namespace lumaro::fuzz
