// Renames that never replace a file, deleting a picture, making folder paths, comparing folders.
#include "core/files/fileoperations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/locking/folderlock.h"

namespace lumaro {

namespace {

#ifndef RENAME_NOREPLACE
constexpr unsigned kNoReplace = 1;
#else
constexpr unsigned kNoReplace = RENAME_NOREPLACE;
#endif

RenameResult resultFromErrno(int error) {
    if (error == EEXIST || error == ENOTEMPTY) return {RenameResult::Status::TargetExists, error};
    return {RenameResult::Status::Failed, error};
}

// Called through syscall() so that an older C library without the wrapper still builds.
int renameAt2NoReplace(const char* from, const char* to) {
#ifdef SYS_renameat2
    return static_cast<int>(syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, kNoReplace));
#else
    errno = ENOSYS;
    return -1;
#endif
}

// For file systems that refuse the no-replace flag: a hard link fails when the target
// exists, so the source is removed only once the new name is in place.
RenameResult linkThenUnlink(const char* from, const char* to) {
    if (link(from, to) != 0) return resultFromErrno(errno);
    if (unlink(from) != 0) {
        const int error = errno;
        unlink(to);  // leave the picture under its old name only
        return resultFromErrno(error);
    }
    return {};
}

bool refusesFlag(int error) { return error == EINVAL || error == ENOSYS; }
bool refusesLinks(int error) { return error == EPERM || error == EOPNOTSUPP || error == ENOSYS; }

// Removes the placeholder at `to` while it is still the empty file that was made there: a
// rename that failed after all the same leaves the picture it brought.
void removePlaceholder(const std::string& to, const struct stat& made) {
    struct stat now;
    if (lstat(to.c_str(), &now) == 0 && S_ISREG(now.st_mode) && now.st_size == 0 &&
        now.st_dev == made.st_dev && now.st_ino == made.st_ino) {
        unlink(to.c_str());
    }
}

// For file systems that refuse both: the new name is taken first by an empty file, which only
// a free name can be, and the picture is renamed over it.
RenameResult renameOverPlaceholder(const std::string& from, const std::string& to,
                                   RenameSteps* steps) {
    struct stat st;
    if (lstat(to.c_str(), &st) == 0) return {RenameResult::Status::TargetExists, EEXIST};
    if (errno != ENOENT) return resultFromErrno(errno);
    if (steps && steps->reserving && !steps->reserving(steps->context, to))
        return resultFromErrno(errno ? errno : EIO);
    const int fd = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return resultFromErrno(errno);
    const bool known = fstat(fd, &st) == 0;
    // Closed before the rename: a FUSE mount would keep an open file replaced by a rename
    // under a hidden name of its own.
    close(fd);
    if (steps && steps->moving) steps->moving(steps->context);
    if (rename(from.c_str(), to.c_str()) == 0) return {};
    const int error = errno;
    if (known) removePlaceholder(to, st);
    return resultFromErrno(error);
}

RenameObserver renameObserver = nullptr;

RenameResult renameDistinct(const std::string& from, const std::string& to, RenameSteps* steps) {
    const RenameWay first = steps ? steps->way : RenameWay::NoReplaceFlag;
    const auto taken = [steps](RenameWay way) {
        if (steps) steps->way = way;
    };
    if (first == RenameWay::NoReplaceFlag) {
        if (steps && steps->moving) steps->moving(steps->context);
        if (renameAt2NoReplace(from.c_str(), to.c_str()) == 0) return {};
        if (!refusesFlag(errno)) return resultFromErrno(errno);
    }
    if (first != RenameWay::Placeholder) {
        if (first == RenameWay::HardLink && steps->moving) steps->moving(steps->context);
        const RenameResult linked = linkThenUnlink(from.c_str(), to.c_str());
        if (linked.status != RenameResult::Status::Failed || !refusesLinks(linked.error)) {
            taken(RenameWay::HardLink);
            return linked;
        }
    }
    taken(RenameWay::Placeholder);
    return renameOverPlaceholder(from, to, steps);
}

}  // namespace

void SetRenameObserver(RenameObserver observer) { renameObserver = observer; }

RenameResult renameNoReplace(const std::string& from, const std::string& to, RenameSteps* steps) {
    if (from == to) {  // a picture that already bears its name: done, when it is there
        struct stat st;
        return lstat(from.c_str(), &st) == 0 ? RenameResult{} : resultFromErrno(errno);
    }
    const RenameResult renamed = renameDistinct(from, to, steps);
    if (renamed.ok() && renameObserver) renameObserver(from, to);
    return renamed;
}

int DeletePictureFile(const std::string& path) {
    const FolderLock lock(FolderOfPath(path));
    if (lock.busy()) return EWOULDBLOCK;
    return unlink(path.c_str()) == 0 ? 0 : errno;
}

bool WriteAllBytes(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string DescribeRenameFailures(const std::vector<RenameFailure>& failures) {
    std::string text;
    for (const RenameFailure& failure : failures) {
        if (!text.empty()) text += '\n';
        text += failure.fromName + " -> " + failure.toName + " (" +
                std::strerror(failure.result.error) + ")";
    }
    return text;
}

bool IsSameFolder(const std::string& a, const std::string& b) {
    struct stat first, second;
    if (a.empty() || b.empty() || stat(a.c_str(), &first) != 0 || stat(b.c_str(), &second) != 0)
        return false;
    return S_ISDIR(first.st_mode) && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace lumaro
