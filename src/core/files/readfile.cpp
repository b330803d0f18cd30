// Reading a whole file into memory (see readfile.h).
#include "core/files/readfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace lumaro {

int ReadAllFrom(int fd, std::string& bytes) {
    struct stat st;
    bytes.clear();
    // Sized once for a regular file; a file that grows meanwhile is read to its new end.
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) bytes.resize(static_cast<size_t>(st.st_size));
    size_t done = 0;
    for (;;) {
        if (done == bytes.size()) bytes.resize(done + 65536);
        const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            bytes.clear();
            return error;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    return 0;
}

FileStepResult ReadWholeFile(const std::string& path, std::string& bytes) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {errno, "open"};
    const int error = ReadAllFrom(fd, bytes);
    close(fd);
    if (error != 0) return {error, "read"};
    return {};
}

}  // namespace lumaro
