// Finding the shared thumbnails of changed names by their URIs, and removing those present.
#include "core/thumbnails/sharedthumbnails.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <unordered_set>

#include "core/thumbnails/md5.h"

namespace lumaro {

namespace {

// The folders of the sizes file managers save; failed thumbnails lie one level deeper, in a
// folder per program under "fail".
constexpr const char* kSizeFolders[] = {"normal", "large", "x-large", "xx-large"};

// The bytes a URI path holds as they are: letters, digits, "-_.!~*'()" and ":@&=+$,/".
bool keptInUri(unsigned char byte) {
    if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
        (byte >= '0' && byte <= '9'))
        return true;
    for (const char mark : std::string_view("-_.!~*'():@&=+$,/"))
        if (byte == static_cast<unsigned char>(mark)) return true;
    return false;
}

std::string thumbnailRoot() {
    const char* cache = getenv("XDG_CACHE_HOME");
    if (cache && cache[0] == '/') return std::string(cache) + "/thumbnails/";
    const char* home = getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.cache/thumbnails/";
    return {};
}

// The spellings of a file's folder that a file manager may have opened: the folder's real
// path, and the path as given when a symbolic link makes it another.
std::vector<std::string> folderSpellings(const std::string& folder) {
    std::error_code ignored;
    const std::filesystem::path given =
        std::filesystem::absolute(folder.empty() ? "." : folder, ignored).lexically_normal();
    std::vector<std::string> spellings;
    char real[PATH_MAX];
    if (realpath(given.c_str(), real)) spellings.emplace_back(real);
    std::string plain = given.string();
    while (plain.size() > 1 && plain.back() == '/') plain.pop_back();
    if (spellings.empty() || spellings.front() != plain) spellings.push_back(plain);
    for (std::string& spelling : spellings)
        if (spelling.back() != '/') spelling += '/';
    return spellings;
}

// The file name each thumbnail of `paths` bears, in every spelling of its folder. A renumbering
// names most files twice (one picture's new name is the old name of the next), each is hashed
// once.
std::unordered_set<std::string> thumbnailNames(const std::vector<std::string>& paths) {
    const std::unordered_set<std::string_view> unique(paths.begin(), paths.end());
    std::map<std::string_view, std::vector<std::string>> spellingsOf;
    std::string_view lastFolder;
    const std::vector<std::string>* spellings = nullptr;
    std::unordered_set<std::string> names;
    names.reserve(2 * unique.size());
    std::string full;
    for (const std::string_view path : unique) {
        const std::string_view folder = path.substr(0, path.rfind('/') + 1);
        if (!spellings || folder != lastFolder) {
            auto found = spellingsOf.find(folder);
            if (found == spellingsOf.end())
                found = spellingsOf.emplace(folder, folderSpellings(std::string(folder))).first;
            spellings = &found->second;
            lastFolder = folder;
        }
        for (const std::string& spelling : *spellings) {
            full.assign(spelling).append(path.substr(folder.size()));
            names.insert(Md5Hex(FileUri(full)) + ".png");
        }
    }
    return names;
}

// A thumbnail folder as read once: the names of its entries, and the folder held open to
// remove some of them.
struct ThumbnailFolder {
    explicit ThumbnailFolder(const std::string& path) : dir(opendir(path.c_str())) {
        while (const dirent* entry = dir ? readdir(dir) : nullptr) {
            if (entry->d_name[0] != '.') entries.emplace(entry->d_name);
        }
    }
    ~ThumbnailFolder() {
        if (dir) closedir(dir);
    }
    ThumbnailFolder(const ThumbnailFolder&) = delete;
    ThumbnailFolder& operator=(const ThumbnailFolder&) = delete;

    DIR* dir;
    std::unordered_set<std::string> entries;
};

// The folders under "fail", one per program that records its failures.
std::vector<std::string> failureFolders(const std::string& root) {
    std::vector<std::string> folders;
    DIR* dir = opendir((root + "fail").c_str());
    if (!dir) return folders;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != ".." && entry->d_type != DT_REG)
            folders.push_back(root + "fail/" + entry->d_name + "/");
    }
    closedir(dir);
    return folders;
}

}  // namespace

std::string FileUri(const std::string& path) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string uri = "file://";
    uri.reserve(uri.size() + path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (keptInUri(byte)) {
            uri += c;
            continue;
        }
        uri += '%';
        uri += kDigits[byte >> 4];
        uri += kDigits[byte & 0xf];
    }
    return uri;
}

// The names are hashed only when some thumbnail folder holds an entry: an empty or missing
// cache costs a renumbering nothing but the reading of its folders.
void RemoveSharedThumbnails(const std::vector<std::string>& paths) {
    const std::string root = paths.empty() ? std::string() : thumbnailRoot();
    if (root.empty() || access(root.c_str(), F_OK) != 0) return;
    std::vector<std::string> folders = failureFolders(root);
    for (const char* size : kSizeFolders) folders.push_back(root + size + "/");
    std::vector<std::unique_ptr<ThumbnailFolder>> held;
    for (const std::string& folder : folders) {
        auto read = std::make_unique<ThumbnailFolder>(folder);
        if (!read->entries.empty()) held.push_back(std::move(read));
    }
    if (held.empty()) return;
    for (const std::string& name : thumbnailNames(paths)) {
        for (const std::unique_ptr<ThumbnailFolder>& folder : held) {
            if (folder->entries.count(name)) unlinkat(dirfd(folder->dir), name.c_str(), 0);
        }
    }
}

void RemoveSharedThumbnails(const std::string& folder, const std::vector<FileRename>& renames) {
    std::vector<std::string> paths;
    paths.reserve(2 * renames.size());
    for (const FileRename& rename : renames) {
        paths.push_back(folder + rename.oldName);
        paths.push_back(folder + rename.newName);
    }
    RemoveSharedThumbnails(paths);
}

}  // namespace lumaro
