#include "pictures/safereplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "pictures/fileoperations.h"

namespace lumaro {

namespace {

FileStepResult failed(const char* step, int error = errno) { return {error ? error : EIO, step}; }

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the new file look like the old one to the listing and to the user.
FileStepResult takeOverAttributes(int fd, const struct stat& original) {
    // Only a privileged user may give a file away; others already own what they create.
    if (fchown(fd, original.st_uid, original.st_gid) != 0 && errno != EPERM) return failed("chown");
    if (fchmod(fd, original.st_mode & 07777) != 0) return failed("chmod");
    const timespec times[2] = {original.st_atim, original.st_mtim};
    if (futimens(fd, times) != 0) return failed("set the file date");
    return {};
}

}  // namespace

FileStepResult ReadWholeFile(const std::string& path, std::string& bytes) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return failed("open");
    struct stat st;
    if (fstat(fd, &st) != 0) {
        const FileStepResult result = failed("read");
        close(fd);
        return result;
    }
    bytes.clear();
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t done = 0;
    for (;;) {
        if (done == bytes.size()) bytes.resize(done + 65536);  // the file grew meanwhile
        const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const FileStepResult result = failed("read");
            close(fd);
            return result;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    close(fd);
    return {};
}

FileStepResult ReplaceFileContent(const std::string& path, std::string_view bytes) {
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) return failed("open");
    const std::string target = resolved.get();
    struct stat original;
    if (stat(target.c_str(), &original) != 0) return failed("open");
    const std::string folder = folderOf(target);
    // A hidden name: a listing taken meanwhile never shows it as a picture.
    std::string temporary = folder + (folder == "/" ? "" : "/") + ".lumaro-new-XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return failed("create a file in the folder");
    FileStepResult result;
    if (!WriteAllBytes(fd, bytes)) {
        result = failed("write");
    } else if (fsync(fd) != 0) {
        result = failed("write");
    } else {
        result = takeOverAttributes(fd, original);
    }
    if (close(fd) != 0 && result.ok()) result = failed("write");
    if (result.ok() && rename(temporary.c_str(), target.c_str()) != 0) result = failed("rename");
    if (!result.ok()) {
        unlink(temporary.c_str());
        return result;
    }
    // The folder is not synced after the rename: a power cut then leaves either the old
    // picture or the new one, each complete, which is all the turn promises.
    return {};
}

std::string DescribeFileStep(const FileStepResult& result) {
    return result.step + ": " + std::strerror(result.error);
}

}  // namespace lumaro
