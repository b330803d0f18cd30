// The one place where picture files change their names on disk. A rename never replaces an
// existing file; callers collect the failures and report them once at the end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumaro {

struct RenameResult {
    // NameRefused: the new name holds a character its folder's file system never takes
    // (names/refusedcharacters.h); the rename was not tried.
    enum class Status { Ok, TargetExists, Failed, NameRefused };
    Status status = Status::Ok;
    int error = 0;  // errno of the failure, 0 when Ok

    bool ok() const { return status == Status::Ok; }
};

// The ways a rename that never replaces a file can be made, the first the file system allows.
enum class RenameWay : unsigned char {
    NoReplaceFlag,  // renameat2(RENAME_NOREPLACE)
    HardLink,       // link() to the new name, then unlink() of the old one
    // The new name is first made as an empty file (O_CREAT|O_EXCL: it fails when the name is
    // taken) and the file renamed over that placeholder, which goes again if the rename fails.
    Placeholder,
};

// What an operation of many renames in one folder adds to each of them.
struct RenameSteps {
    // The way to try first: the file system of a folder refuses the same ways every time, so
    // the way the last rename took is where the next one starts. Set to the way taken.
    RenameWay way = RenameWay::NoReplaceFlag;
    // Told the full path of a placeholder before it is made, so that no crash can leave one
    // nobody knows of; false: no placeholder is made and the rename fails (errno set).
    bool (*reserving)(void* context, const std::string& to) = nullptr;
    // Called just before the call that moves the file (after its placeholder is made).
    void (*moving)(void* context) = nullptr;
    void* context = nullptr;
};

// Renames the file `from` to `to` (full paths) unless `to` already exists. A rename to the
// very same path is a success that changes nothing. Uses renameat2(RENAME_NOREPLACE); where
// the file system refuses that flag (EINVAL, ENOSYS), link() then unlink(); where it refuses
// hard links too (EPERM, EOPNOTSUPP, ENOSYS: FUSE mounts of exFAT, sshfs, shares), a
// placeholder (RenameWay::Placeholder).
RenameResult renameNoReplace(const std::string& from, const std::string& to,
                             RenameSteps* steps = nullptr);

// Told of every rename renameNoReplace made, both full paths, as it happens: temporary names
// of the two-pass renames and a repair's renames included. Null (the default): nobody is told,
// and a rename costs one test more.
using RenameObserver = void (*)(const std::string& from, const std::string& to);
void SetRenameObserver(RenameObserver observer);

// Deletes the file at `path` for good (no wastebasket) under the lock of its folder; 0, or the
// errno of the failure (EWOULDBLOCK: another program is changing the folder).
int DeletePictureFile(const std::string& path);

// One file's rename within a folder, by file names: a picture's, or one of its companions'.
struct FileRename {
    std::string oldName;
    std::string newName;
    bool operator==(const FileRename&) const = default;
};

// A rename that did not happen: the picture kept the name `fromName`.
struct RenameFailure {
    std::string fromName;  // file name (with extension) within the folder
    std::string toName;
    RenameResult result;
};

// "a.jpg -> b.jpg (File exists)" lines, one per failure, for the message at the end.
std::string DescribeRenameFailures(const std::vector<RenameFailure>& failures);

// Writes every byte to an open file, going on after interrupted writes; false on failure.
bool WriteAllBytes(int fd, std::string_view bytes);

// True when both paths name the same existing folder, however spelled: through a symbolic
// link, "..", a doubled '/' (same device and inode).
bool IsSameFolder(const std::string& a, const std::string& b);

}  // namespace lumaro
