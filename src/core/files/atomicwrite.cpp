// The one writer of whole files, through a temporary file renamed into place (see atomicwrite.h).
#include "core/files/atomicwrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "core/files/fileoperations.h"

namespace lumaro {

namespace {

FileStepResult failed(const char* step, int error = errno) {
    return {error ? error : EIO, step, FileRefusal::None};
}

// A refusal: the file could be replaced, but not faithfully; `why` is the whole message.
FileStepResult refused(int error, FileRefusal refusal, const char* why) {
    return {error, why, refusal};
}

// The folder part of a path with its trailing '/', or "" for a bare file name.
std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a path finally names: symbolic links followed, even to a file not yet there, so
// that the write replaces the file the link points to and keeps the link.
std::string writtenThrough(std::string path) {
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st;
        if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::string target(static_cast<size_t>(st.st_size) + 256, '\0');
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length <= 0) return path;
        target.resize(static_cast<size_t>(length));
        path = target.front() == '/' ? target : folderOf(path) + target;
    }
    return path;
}

void syncFolder(const std::string& folder) {
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// What a new file in the file's place could not be: the file itself when other names lead to
// it (they would keep the old content), a file the user may not write (the folder's write
// permission would let the rename replace it anyway).
FileStepResult checkReplaceable(const std::string& target, const struct stat& original) {
    if (original.st_nlink > 1)
        return refused(EMLINK, FileRefusal::OtherNames, "the file has other names (hard links)");
    if (access(target.c_str(), W_OK) != 0) {
        if (errno == EACCES || errno == EPERM)
            return refused(errno, FileRefusal::NotWritable, "you may not write this file");
        return failed("write");
    }
    return {};
}

// Makes the new file look like the old one to the listing and to the user.
FileStepResult takeOverAttributes(int fd, const struct stat& original, bool ownerAndTimes) {
    // The new file is the user's own: unless the user may give it to the owner and group of
    // the old one, the picture would change hands.
    if (ownerAndTimes && fchown(fd, original.st_uid, original.st_gid) != 0) {
        return refused(errno, FileRefusal::OwnerNotKept,
                       "the file's owner and group could not be kept");
    }
    if (fchmod(fd, original.st_mode & 07777) != 0) return failed("chmod");
    const timespec times[2] = {original.st_atim, original.st_mtim};
    if (ownerAndTimes && futimens(fd, times) != 0) return failed("set the file date");
    return {};
}

}  // namespace

// A name of its own length, not one made from the target's: a target whose name is as long
// as the folder allows still gets its temporary file. The hidden name keeps a left-over out of
// every listing, and its six characters never make the rename journal's name (".lumaro-journal"),
// so neither is ever taken for the other. Made here rather
// than by mkstemp, which would create it private to its owner whatever the umask allows.
int CreateTemporaryFileIn(const std::string& folder, mode_t mode, std::string& temporaryPath) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = folder + ".lumaro-";
        for (int i = 0; i < 6; ++i) temporaryPath += kLetters[pick(random)];
        const int fd = open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

FileStepResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                   const AtomicWriteOptions& options) {
    const std::string target = options.throughLinks ? writtenThrough(path) : path;
    struct stat original;
    const bool replaces = stat(target.c_str(), &original) == 0;
    if (!replaces && options.mustExist) return failed("open");
    if (replaces && options.refuseSharedFiles) {
        if (FileStepResult check = checkReplaceable(target, original); !check.ok()) return check;
    }
    // Beside the file, so that the rename stays within one file system. Private until it takes
    // the original's permissions: a private file is never readable by others on the way.
    std::string temporary;
    const int fd = CreateTemporaryFileIn(folderOf(target), replaces ? 0600 : 0666, temporary);
    if (fd < 0) return failed("create a file in the folder");
    FileStepResult result;
    errno = 0;
    if (!WriteAllBytes(fd, bytes) || fsync(fd) != 0) {
        result = failed("write", errno ? errno : ENOSPC);  // a write that stopped ran out of room
    } else if (replaces) {
        result = takeOverAttributes(fd, original, options.keepOwnerAndTimes);
    }
    if (close(fd) != 0 && result.ok()) result = failed("write");
    // rename replaces the old file in one step: a reader sees the old or the new file whole.
    if (result.ok() && std::rename(temporary.c_str(), target.c_str()) != 0)
        result = failed("rename");
    if (!result.ok()) {
        unlink(temporary.c_str());
        return result;
    }
    syncFolder(folderOf(target));
    return {};
}

}  // namespace lumaro
