// Whether the file system of a folder ignores letter case, found by looking a name of the folder
// up in another letter case: found, though the folder holds no such name, it is the same file.
// Its inode number cannot tell, as FUSE mounts give each spelling a number of its own. An
// operation asks once and compares its names with the answer (names/namematch.h).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/names/namematch.h"

namespace lumaro {

// The folder open as `folderFd`, asked with the first of `names` (names it holds) that has a
// letter and is there; `wholeListing`: `names` are all its names, sorted with NameLess, so that
// a spelling they do not hold is surely another spelling of the one asked. A folder where no name
// tells is judged by its file system: FAT, exFAT and SMB shares ignore letter case.
NameMatch NameMatchIn(int folderFd, const std::vector<std::string>& names, bool wholeListing);

// The same for `folder`, read for its names; a folder that cannot be read compares byte for
// byte.
NameMatch NameMatchOfFolder(const std::string& folder);

// Whether a name is taken in a folder as its name match sees it: a lookup on disk, and where
// letter case is ignored also the folder's names, read once, so that a spelling the disk's own
// lookup would not fold is one name too.
class TakenNames {
public:
    TakenNames(std::string folder, NameMatch match)
        : folder_(std::move(folder)), match_(match), added_(MakeNameSet<std::string>(match)) {}
    bool taken(const std::string& name) const;
    // A name made or planned since: taken from now on.
    void add(const std::string& name);
    const NameMatch& match() const { return match_; }

private:
    void readFolded() const;
    std::string folder_;  // ending with '/'
    NameMatch match_;
    NameSet<std::string> added_;
    mutable std::optional<NameSet<std::string>> folded_;  // read at the first name not found
};

// Tests only: every folder is taken to ignore letter case (true) or to keep it (false), without
// asking; nullopt asks again.
void AssumeFoldersIgnoreCase(std::optional<bool> ignore);

}  // namespace lumaro
