// What the file system that holds a folder allows: whether its files keep their numbers,
// whether anything can be changed there at all, which names it takes, and whether a file is
// read from memory.
#pragma once

#include <cstddef>
#include <string>

namespace lumaro {

// Whether the files of the file system holding `path` keep their inode numbers from one mount
// to the next. FAT, exFAT and SMB shares make numbers up as files are met, and FUSE mounts
// (exFAT and sshfs among them) number their files anew at each mount: files there are known by
// their name, size and modification time instead.
bool KeepsFileNumbers(const std::string& path);
// The same, for the file system of an open file or folder.
bool KeepsFileNumbers(int fd);

// Whether the folder open as `folderFd` lies on a file system made for another system's names
// (FAT, exFAT, SMB shares, whether mounted by the kernel or through FUSE): names there ignore
// letter case and never hold the characters RefusedCharacterIn finds.
bool HoldsWindowsNames(int folderFd);
// The same for `folder` or, while it is still to be made, the nearest folder above it.
bool HoldsWindowsNames(const std::string& folder);

// EROFS when the disk holding `folder` is read-only (a read-only mount, a card with its lock
// switch on); EACCES or EPERM when the folder is not ours to change (its mode, an immutable
// folder); else 0, also for a folder that cannot be reached (the operation meets that itself).
int CheckFolderWritable(const std::string& folder);

// Whether any page of the first `size` bytes of the open file is in memory; true also when
// that cannot be told (a file system that refuses to map the file).
bool AnyPageCached(int fd, size_t size);

}  // namespace lumaro
