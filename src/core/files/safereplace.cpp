// Reading a whole file, and giving it new content through a temporary file that takes its place.
#include "core/files/safereplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/files/fileoperations.h"
#include "core/files/replacefile.h"

namespace lumaro {

namespace {

FileStepResult failed(const char* step, int error = errno) {
    return {error ? error : EIO, step, false};
}

// A refusal: the file could be replaced, but not faithfully; `why` is the whole message.
FileStepResult refused(int error, const char* why) { return {error, why, true}; }

// The folder part of a path with its trailing '/'.
std::string folderOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

// What a new file in the file's place could not be: the file itself when other names lead to
// it (they would keep the old content), a file the user may not write (the folder's write
// permission would let the rename replace it anyway).
FileStepResult checkReplaceable(const std::string& target, const struct stat& original) {
    if (original.st_nlink > 1) return refused(EMLINK, "the file has other names (hard links)");
    if (access(target.c_str(), W_OK) != 0) {
        if (errno == EACCES || errno == EPERM) return refused(errno, "you may not write this file");
        return failed("write");
    }
    return {};
}

// Makes the new file look like the old one to the listing and to the user.
FileStepResult takeOverAttributes(int fd, const struct stat& original) {
    // The new file is the user's own: unless the user may give it to the owner and group of
    // the old one, the picture would change hands.
    if (fchown(fd, original.st_uid, original.st_gid) != 0) {
        return refused(errno, "the file's owner and group could not be kept");
    }
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
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                         &std::free);
    if (!resolved) return failed("open");
    const std::string target = resolved.get();
    struct stat original;
    if (stat(target.c_str(), &original) != 0) return failed("open");
    if (FileStepResult check = checkReplaceable(target, original); !check.ok()) return check;
    // Private until it takes the original's permissions: a private picture is never readable
    // by others on the way.
    std::string temporary;
    const int fd = CreateTemporaryFileIn(folderOf(target), 0600, temporary);
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
    if (result.refusal) return result.step;
    return result.step + ": " + std::strerror(result.error);
}

}  // namespace lumaro
