// One operation at a time on a folder: every operation that renames, moves, turns or deletes
// pictures holds an exclusive lock on its folder for its whole run, so that two programs (two
// windows, a window and the command line, two scripts) never rename the same pictures at once.
// The lock is flock on the open folder; where the file system refuses that (network file
// systems), flock on a lock file named after the folder's real path, in the user's runtime
// folder or else the program's state folder. The system releases it when the process ends,
// however it ends.
#pragma once

#include <string>
#include <vector>

namespace lumaro {

// How this process locks folders; set once by the program at its start.
struct FolderLockSettings {
    // Wait for another program to finish with a folder rather than refuse at once. While the
    // process holds other folders it waits only for one whose real path sorts after all of
    // them, so that two programs never wait on each other; otherwise it refuses at once.
    bool wait = false;
    // Where lock files go when there is no runtime folder ($XDG_RUNTIME_DIR): the program's
    // state folder. Empty: no lock file there.
    std::string stateFolder;
    // Lock files even where the folder itself could be locked: how the tests reach the lock
    // files on a disk that locks folders.
    bool lockFilesOnly = false;
};
void SetFolderLockSettings(const FolderLockSettings& settings);
const FolderLockSettings& CurrentFolderLockSettings();

// A folder as the file system knows it, whatever path names it.
struct FolderIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    bool operator==(const FolderIdentity&) const = default;
};

// The exclusive lock of one or more folders, held from construction to destruction. Within
// one process the lock is shared: a function that holds a folder's lock may call another that
// locks it too. Several folders are locked in the byte order of their real paths, so two
// programs locking the same two folders never wait on each other. A folder that cannot be
// found is not locked (the operation then meets the error itself), nor one that can be locked
// neither itself nor through a lock file (no place to write one): the operation then runs as
// it always could, alone or not.
class FolderLock {
public:
    FolderLock() = default;
    explicit FolderLock(const std::string& folder);
    explicit FolderLock(const std::vector<std::string>& folders);
    ~FolderLock();
    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Another program is changing one of the folders: nothing may change, and none is held.
    bool busy() const { return busy_; }

private:
    void release();

    std::vector<FolderIdentity> held_;  // the folders this lock holds
    bool busy_ = false;
};

// The folder of a file's path ("/p/a.jpg" gives "/p/", "a.jpg" gives "./").
std::string FolderOfPath(const std::string& path);

// The name of the lock file of the folder whose real path is `realPath`: the path with '%'
// and '/' escaped, one file name, shortened with a checksum of the whole path when long.
std::string LockFileNameFor(const std::string& realPath);

}  // namespace lumaro
