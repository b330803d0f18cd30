// A picture folder with a picture list on it, for the tests of the naming operations.
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/naming/picturelist.h"
#include "core/renaming/renamepasses.h"
#include "picturefolder.h"

namespace lumaro {

class NamingFolder {
public:
    // Writes one picture per base name (".jpg"), each holding its own name, and lists them.
    explicit NamingFolder(const std::vector<std::string>& bases) {
        for (const std::string& base : bases) folder.write(base + ".jpg");
        list.currentFolder = folder.path();
        list.fileType = "jpg";
        RelistByName(list);
    }

    std::vector<std::string> listed() const {
        std::vector<std::string> bases;
        for (const PictureEntry& entry : list.avant) bases.push_back(entry.base);
        return bases;
    }
    // Every file's content, sorted: equal before and after means no file was lost or doubled.
    std::vector<std::string> contents() const {
        std::vector<std::string> all;
        for (const std::string& name : folder.names()) all.push_back(folder.read(name));
        std::sort(all.begin(), all.end());
        return all;
    }
    // The content of the picture now named `base`: which picture bears that name.
    std::string originOf(const std::string& base) const {
        const std::string content = folder.read(base + ".jpg");
        return content.rfind("content of ", 0) == 0 ? content.substr(11, content.size() - 15)
                                                    : "(missing)";
    }
    std::vector<int> indicesOf(std::initializer_list<std::string> bases) const {
        std::vector<int> indices;
        for (const std::string& base : bases) {
            for (size_t i = 0; i < list.avant.size(); ++i) {
                if (list.avant[i].base == base) indices.push_back(static_cast<int>(i));
            }
        }
        return indices;
    }

    PictureFolder folder;
    PictureList list;
};

// Makes a folder read-only while it lives: its mode, and the immutable attribute where the
// system allows it (root ignores the mode). `active` tells whether changes are now refused.
class FrozenFolder {
public:
    explicit FrozenFolder(const std::string& path)
        : path_(path), fd_(open(path.c_str(), O_RDONLY | O_DIRECTORY)) {
        chmod(path.c_str(), 0555);
        int flags = 0;
        if (fd_ >= 0 && ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            immutable_ = ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
        }
        const std::string probe = path + ".probe";
        active_ = mkdir(probe.c_str(), 0700) != 0;
        if (!active_) rmdir(probe.c_str());
    }
    ~FrozenFolder() {
        int flags = 0;
        if (immutable_ && ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ioctl(fd_, FS_IOC_SETFLAGS, &flags);
        }
        if (fd_ >= 0) close(fd_);
        chmod(path_.c_str(), 0700);
    }
    FrozenFolder(const FrozenFolder&) = delete;
    FrozenFolder& operator=(const FrozenFolder&) = delete;
    bool active() const { return active_; }

private:
    std::string path_;
    int fd_;
    bool immutable_ = false;
    bool active_ = false;
};

}  // namespace lumaro
