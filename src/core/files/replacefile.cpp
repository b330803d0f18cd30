// Writing a whole file through a temporary file renamed into place; making those temporary files.
#include "core/files/replacefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "core/files/fileoperations.h"

namespace lumaro {

namespace {

// The folder part of a path with its trailing '/', or "" for a bare file name.
std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
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

int ReplaceFileContents(const std::string& path, std::string_view bytes) {
    std::string temporaryPath;
    // Beside the file, so that the rename stays within one file system; the new file takes
    // the place of the old one, permissions included.
    struct stat old;
    const bool replaces = stat(path.c_str(), &old) == 0;
    errno = 0;
    const int fd = CreateTemporaryFileIn(FolderOf(path), replaces ? 0600 : 0666, temporaryPath);
    if (fd < 0) return LastError();
    if (replaces) fchmod(fd, old.st_mode & 07777);
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
