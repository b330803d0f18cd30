// The one place where picture files change their names on disk. A rename never replaces an
// existing file; callers collect the failures and report them once at the end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumaro {

struct RenameResult {
    enum class Status { Ok, TargetExists, Failed };
    Status status = Status::Ok;
    int error = 0;  // errno of the failure, 0 when Ok

    bool ok() const { return status == Status::Ok; }
};

// Renames the file `from` to `to` (full paths) unless `to` already exists. A rename to the
// very same path is a success that changes nothing. Uses renameat2(RENAME_NOREPLACE), and
// link() then unlink() where the file system refuses that flag.
RenameResult renameNoReplace(const std::string& from, const std::string& to);

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
