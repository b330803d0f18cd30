// Telling file systems apart: numbers that last, disks that are read-only, pages in memory.
#include "core/files/filesystem.h"

#include <sys/mman.h>
#include <sys/statvfs.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace lumaro {

namespace {

// The types (statfs's f_type) whose inode numbers do not outlive a mount.
constexpr unsigned long kFat = 0x4d44;        // msdos, vfat
constexpr unsigned long kExfat = 0x2011bab0;  // the kernel's exFAT
constexpr unsigned long kFuse = 0x65735546;   // fuse and fuseblk: exfat-fuse, sshfs, ...
constexpr unsigned long kCifs = 0xff534d42;   // SMB shares
constexpr unsigned long kSmb2 = 0xfe534d42;
constexpr unsigned long kSmb = 0x517b;

bool keepsNumbers(const struct statfs& fs) {
    switch (static_cast<unsigned long>(fs.f_type)) {
        case kFat:
        case kExfat:
        case kFuse:
        case kCifs:
        case kSmb2:
        case kSmb:
            return false;
        default:
            return true;
    }
}

}  // namespace

bool KeepsFileNumbers(const std::string& path) {
    struct statfs fs;
    return statfs(path.c_str(), &fs) != 0 || keepsNumbers(fs);
}

bool KeepsFileNumbers(int fd) {
    struct statfs fs;
    return fstatfs(fd, &fs) != 0 || keepsNumbers(fs);
}

int CheckFolderWritable(const std::string& folder) {
    struct statvfs vfs;
    if (statvfs(folder.c_str(), &vfs) == 0 && (vfs.f_flag & ST_RDONLY)) return EROFS;
    if (access(folder.c_str(), W_OK | X_OK) == 0) return 0;
    // A folder that is missing or cannot be reached is the operation's own failure to meet.
    return errno == EROFS || errno == EACCES || errno == EPERM ? errno : 0;
}

bool AnyPageCached(int fd, size_t size) {
    if (size == 0) return false;
    void* mapped = mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
    if (mapped == MAP_FAILED) return true;  // cannot be told: as if cached
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> resident((size + page - 1) / page);
    bool cached = mincore(mapped, size, resident.data()) != 0;  // unknown: as if cached
    for (size_t k = 0; !cached && k < resident.size(); ++k) cached = resident[k] & 1;
    munmap(mapped, size);
    return cached;
}

}  // namespace lumaro
