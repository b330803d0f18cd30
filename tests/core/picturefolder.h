// A temporary folder with real files for the tests that touch the disk.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace lumaro {

// A parent for folders that thousands of renames and syncs go through: memory where the
// system has it, so that a test's cost is the program's and not the disk's.
inline std::string MemoryFolderParent() {
    return access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
}

class PictureFolder {
public:
    // A new folder in `parent`.
    explicit PictureFolder(const std::string& parent = "/tmp") {
        std::string pattern = parent + "/lumaro_pictures_XXXXXX";
        path_ = mkdtemp(pattern.data()) ? pattern + "/" : std::string();
    }
    ~PictureFolder() {
        if (!path_.empty()) std::system(("rm -rf '" + path_ + "'").c_str());
    }
    PictureFolder(const PictureFolder&) = delete;
    PictureFolder& operator=(const PictureFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string pathOf(const std::string& name) const { return path_ + name; }

    // Writes a file; by default its own name is its content, so that lost or swapped
    // files are seen.
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ + name, std::ios::binary) << bytes;
    }
    void write(const std::string& name) const { write(name, "content of " + name); }
    std::string read(const std::string& name) const {
        std::ifstream in(path_ + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void setModified(const std::string& name, std::time_t time) const {
        const timespec times[2] = {{time, 0}, {time, 0}};
        utimensat(AT_FDCWD, (path_ + name).c_str(), times, 0);
    }
    // Every name in the folder, hidden ones included, in byte order.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        DIR* dir = opendir(path_.c_str());
        while (dirent* entry = dir ? readdir(dir) : nullptr) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") out.push_back(name);
        }
        if (dir) closedir(dir);
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    std::string path_;
};

}  // namespace lumaro
