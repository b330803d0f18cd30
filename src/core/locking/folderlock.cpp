// Locking folders with flock, shared within the process, through lock files where the file
// system refuses to lock a folder.
#include "core/locking/folderlock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <utility>

namespace lumaro {

namespace {

FolderLockSettings& settings() {
    static FolderLockSettings current;
    return current;
}

// A folder this process holds: the descriptor whose lock it is, how many FolderLocks share it,
// and the real path that orders it among the others.
struct HeldFolder {
    FolderIdentity identity;
    std::string realPath;
    int fd = -1;
    int count = 0;
};

std::mutex& tableMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<HeldFolder>& heldFolders() {
    static std::vector<HeldFolder> table;
    return table;
}

std::vector<HeldFolder>::iterator findHeld(const FolderIdentity& identity) {
    std::vector<HeldFolder>& table = heldFolders();
    return std::find_if(table.begin(), table.end(),
                        [&](const HeldFolder& held) { return held.identity == identity; });
}

// A folder to lock as found on disk; the folder is open when it can be read.
struct FoundFolder {
    std::string realPath;
    FolderIdentity identity;
    int folderFd = -1;
};

std::optional<FoundFolder> findFolder(const std::string& folder) {
    char* real = realpath(folder.c_str(), nullptr);
    if (!real) return std::nullopt;
    FoundFolder found;
    found.realPath = real;
    std::free(real);
    found.folderFd = open(found.realPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat st;
    const int statted =
        found.folderFd >= 0 ? fstat(found.folderFd, &st) : stat(found.realPath.c_str(), &st);
    if (statted != 0 || !S_ISDIR(st.st_mode)) {
        if (found.folderFd >= 0) close(found.folderFd);
        return std::nullopt;
    }
    found.identity = {static_cast<unsigned long long>(st.st_dev),
                      static_cast<unsigned long long>(st.st_ino)};
    return found;
}

// flock, again when a signal cuts a wait short; 0 or the error.
int lockDescriptor(int fd, bool wait) {
    while (flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) != 0) {
        if (errno != EINTR) return errno;
    }
    return 0;
}

// The errors of a file system that cannot lock a folder (network file systems).
bool refusedByFileSystem(int error) {
    return error == EINVAL || error == ENOLCK || error == EOPNOTSUPP || error == ENOTSUP ||
           error == EBADF || error == ENOSYS;
}

std::string withSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

// Every missing level of `folder`, private to the user; false when it cannot be had.
bool makeFolders(const std::string& folder) {
    for (size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        if (mkdir(folder.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat st;
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The lock file of a folder, open; -1 when there is no place for it.
int openLockFile(const std::string& realPath) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string folder = runtime && runtime[0] == '/' ? withSeparator(runtime) + "lumaro/"
                                                            : withSeparator(settings().stateFolder);
    if (folder.empty() || !makeFolders(folder)) return -1;
    return open((folder + LockFileNameFor(realPath)).c_str(),
                O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

enum class Locking { Held, Busy, Impossible };

// Locks the folder itself, else its lock file; `fd` gets the descriptor that holds the lock.
Locking lockFolder(FoundFolder& found, bool wait, int& fd) {
    if (found.folderFd >= 0 && !settings().lockFilesOnly) {
        const int error = lockDescriptor(found.folderFd, wait);
        if (error == 0) {
            fd = std::exchange(found.folderFd, -1);
            return Locking::Held;
        }
        if (error == EWOULDBLOCK) return Locking::Busy;
        if (!refusedByFileSystem(error)) return Locking::Impossible;
    }
    const int lockFile = openLockFile(found.realPath);
    if (lockFile < 0) return Locking::Impossible;
    const int error = lockDescriptor(lockFile, wait);
    if (error == 0) {
        fd = lockFile;
        return Locking::Held;
    }
    close(lockFile);
    return error == EWOULDBLOCK ? Locking::Busy : Locking::Impossible;
}

// A process waits for a folder only while every folder it holds sorts before it: then no two
// programs can each hold what the other waits for.
bool mayWaitFor(const std::string& realPath) {
    if (!settings().wait) return false;
    return std::all_of(heldFolders().begin(), heldFolders().end(),
                       [&](const HeldFolder& held) { return held.realPath < realPath; });
}

}  // namespace

void SetFolderLockSettings(const FolderLockSettings& newSettings) { settings() = newSettings; }

const FolderLockSettings& CurrentFolderLockSettings() { return settings(); }

FolderLock::FolderLock(const std::string& folder) : FolderLock(std::vector<std::string>{folder}) {}

FolderLock::FolderLock(const std::vector<std::string>& folders) {
    std::vector<FoundFolder> found;
    for (const std::string& folder : folders) {
        if (std::optional<FoundFolder> one = findFolder(folder)) found.push_back(std::move(*one));
    }
    std::sort(found.begin(), found.end(),
              [](const FoundFolder& a, const FoundFolder& b) { return a.realPath < b.realPath; });
    std::unique_lock guard(tableMutex());
    for (FoundFolder& folder : found) {
        if (busy_ || std::find(held_.begin(), held_.end(), folder.identity) != held_.end())
            continue;
        if (const auto held = findHeld(folder.identity); held != heldFolders().end()) {
            ++held->count;
            held_.push_back(folder.identity);
            continue;
        }
        int fd = -1;
        Locking locking = lockFolder(folder, false, fd);
        if (locking == Locking::Busy && mayWaitFor(folder.realPath)) {
            guard.unlock();  // the process's other locks come and go while this one waits
            locking = lockFolder(folder, true, fd);
            guard.lock();
        }
        if (locking == Locking::Busy) busy_ = true;
        if (locking != Locking::Held) continue;  // Impossible: the operation goes on unlocked
        heldFolders().push_back({folder.identity, folder.realPath, fd, 1});
        held_.push_back(folder.identity);
    }
    for (const FoundFolder& folder : found) {
        if (folder.folderFd >= 0) close(folder.folderFd);
    }
    guard.unlock();
    if (busy_) release();
}

FolderLock::~FolderLock() { release(); }

FolderLock::FolderLock(FolderLock&& other) noexcept
    : held_(std::move(other.held_)), busy_(other.busy_) {
    other.held_.clear();
}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        release();
        held_ = std::move(other.held_);
        busy_ = other.busy_;
        other.held_.clear();
    }
    return *this;
}

// Closing the last descriptor of the lock releases it; a child forked meanwhile keeps it
// until it ends too.
void FolderLock::release() {
    const std::lock_guard guard(tableMutex());
    for (const FolderIdentity& identity : held_) {
        const auto held = findHeld(identity);
        if (held == heldFolders().end() || --held->count > 0) continue;
        close(held->fd);
        heldFolders().erase(held);
    }
    held_.clear();
}

std::string FolderOfPath(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string LockFileNameFor(const std::string& realPath) {
    std::string name;
    for (const char c : realPath) {
        if (c == '%') {
            name += "%25";
        } else if (c == '/') {
            name += "%2F";
        } else {
            name += c;
        }
    }
    constexpr size_t kLongest = 200;  // a file name holds 255 bytes
    if (name.size() > kLongest) {
        uint64_t hash = 1469598103934665603ULL;  // FNV-1a of the whole path
        for (const unsigned char c : realPath) hash = (hash ^ c) * 1099511628211ULL;
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
        name = name.substr(0, kLongest - 17) + "-" + text;
    }
    return name + ".lock";
}

}  // namespace lumaro
