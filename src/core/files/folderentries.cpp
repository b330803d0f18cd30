// Listing a folder's regular files in name order; splitting file names and completing paths.
#include "core/files/folderentries.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "core/names/namecompare.h"

namespace lumaro {

std::optional<std::vector<std::string>> ListRegularFiles(const std::string& folder) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return std::nullopt;
    std::vector<std::string> names;
    const int dirFd = dirfd(dir);
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat st;
            regular = fstatat(dirFd, entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
        }
        if (regular) names.emplace_back(entry->d_name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end(), NameLess());
    return names;
}

bool IsListableFolder(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return false;
    closedir(dir);
    return true;
}

std::string ExtensionOf(const std::string& fileName) {
    const auto dot = fileName.rfind('.');
    return dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
}

std::string BaseNameOf(const std::string& fileName) {
    const auto dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::string WithTrailingSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

std::string UserHome() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* account = getpwuid(getuid()); account && account->pw_dir)
        return account->pw_dir;
    return {};
}

std::string HomeFolder() {
    const std::string home = UserHome();
    return home.empty() ? "/" : WithTrailingSeparator(home);
}

void SetHomeWhenUnset() {
    const char* home = std::getenv("HOME");
    if (home && *home) return;
    if (const std::string found = UserHome(); !found.empty()) setenv("HOME", found.c_str(), 1);
}

std::string AbsoluteFolderPath(const std::string& typed, const std::string& workingFolder) {
    const std::filesystem::path path = !typed.empty() && typed.front() == '/'
                                           ? std::filesystem::path(typed)
                                           : std::filesystem::path(workingFolder) / typed;
    return path.lexically_normal().string();
}

}  // namespace lumaro
