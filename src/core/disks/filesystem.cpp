// Telling file systems apart: numbers that last, disks that are read-only, pages in memory.
#include "core/disks/filesystem.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
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

// What the device manager found on a block device the user may not read: its file system type.
bool probedAsFat(const std::string& device) {
    struct stat st;
    if (stat(device.c_str(), &st) != 0 || !S_ISBLK(st.st_mode)) return false;
    std::ifstream probed("/run/udev/data/b" + std::to_string(major(st.st_rdev)) + ":" +
                         std::to_string(minor(st.st_rdev)));
    for (std::string line; std::getline(probed, line);) {
        if (line.starts_with("E:ID_FS_TYPE=")) return line.find("fat") != std::string::npos;
    }
    return false;
}

// Whether the boot sector of a block device is that of a FAT or an exFAT file system.
bool deviceHoldsFat(const std::string& device) {
    const int fd = open(device.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return probedAsFat(device);
    char sector[512] = {};
    const bool read = pread(fd, sector, sizeof sector, 0) == static_cast<ssize_t>(sizeof sector);
    close(fd);
    return read && (std::memcmp(sector + 3, "EXFAT   ", 8) == 0 ||
                    std::memcmp(sector + 0x36, "FAT", 3) == 0 ||
                    std::memcmp(sector + 0x52, "FAT32", 5) == 0);
}

// A FUSE mount tells its file system by its type ("fuse.exfat") or, mounted as "fuseblk",
// by the boot sector of its device, named by the mount table line of the folder's device.
bool fuseMountHoldsFat(int folderFd) {
    struct stat st;
    if (fstat(folderFd, &st) != 0) return false;
    const std::string device =
        std::to_string(major(st.st_dev)) + ":" + std::to_string(minor(st.st_dev));
    std::ifstream mounts("/proc/self/mountinfo");
    for (std::string line; std::getline(mounts, line);) {
        std::istringstream fields(line);
        std::string id, parent, numbers, field;
        if (!(fields >> id >> parent >> numbers) || numbers != device) continue;
        while (fields >> field && field != "-") {
        }
        std::string type, source;
        fields >> type >> source;
        if (type.find("fat") != std::string::npos) return true;  // "fuse.exfat", "fuse.vfat"
        return type == "fuseblk" && deviceHoldsFat(source);
    }
    return false;
}

}  // namespace

bool HoldsWindowsNames(int folderFd) {
    struct statfs fs;
    if (fstatfs(folderFd, &fs) != 0) return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
        case kFat:
        case kExfat:
        case kCifs:
        case kSmb2:
        case kSmb:
            return true;
        case kFuse:
            return fuseMountHoldsFat(folderFd);
        default:
            return false;
    }
}

bool HoldsWindowsNames(const std::string& folder) {
    std::string path = folder;
    int folderFd = -1;
    while ((folderFd =
                open(path.empty() ? "/" : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) < 0 &&
           errno == ENOENT && !path.empty()) {
        while (!path.empty() && path.back() == '/') path.pop_back();
        path.erase(path.find_last_of('/') + 1);
    }
    if (folderFd < 0) return false;
    const bool windowsNames = HoldsWindowsNames(folderFd);
    close(folderFd);
    return windowsNames;
}

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
