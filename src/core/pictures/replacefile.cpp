#include "pictures/replacefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "pictures/fileoperations.h"

namespace lumaro {

namespace {

// The folder part of a path with its trailing '/', or "" for a bare file name.
std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A hidden name beside the file, so that the rename stays within one file system and a
// left-over never shows up in a listing.
int CreateTemporaryBeside(const std::string& path, std::string& temporaryPath) {
    const std::string folder = FolderOf(path);
    const std::string name = path.substr(folder.size());
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = folder + "." + name + "." + std::to_string(getpid()) + "." +
                        std::to_string(attempt) + ".tmp";
        const int fd = open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        // The new file takes the place of the old one, permissions included.
        struct stat old;
        if (fd >= 0 && stat(path.c_str(), &old) == 0) fchmod(fd, old.st_mode & 07777);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void SyncFolder(const std::string& folder) {
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// errno of the step that just failed; a write that stopped without one ran out of room.
int LastError() { return errno != 0 ? errno : ENOSPC; }

}  // namespace

int ReplaceFileContents(const std::string& path, std::string_view bytes) {
    std::string temporaryPath;
    errno = 0;
    const int fd = CreateTemporaryBeside(path, temporaryPath);
    if (fd < 0) return LastError();
    errno = 0;
    int error = WriteAllBytes(fd, bytes) && fsync(fd) == 0 ? 0 : LastError();
    if (close(fd) != 0 && error == 0) error = LastError();
    // rename replaces the old file in one step: a reader sees the old or the new file whole.
    if (error == 0 && std::rename(temporaryPath.c_str(), path.c_str()) != 0) error = LastError();
    if (error != 0) {
        unlink(temporaryPath.c_str());
        return error;
    }
    SyncFolder(FolderOf(path));
    return 0;
}

}  // namespace lumaro
