// Deciding the program's folders from the environment and the executable's place, and making them.
#include "core/settings/programfolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "core/files/createfolder.h"
#include "core/files/folderentries.h"
#include "core/settings/constants.h"
#include "core/settings/languagetable.h"

namespace lumaro {

namespace {
constexpr const char* kInstalledDataFolder = "share/lumaro/";

std::string withSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool isFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool canRead(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

// The prefix of an installed tree when the executable lies in its bin/ folder, else "".
std::string installPrefix(const std::string& executableFolder) {
    const std::string bin = "/bin/";
    if (executableFolder.size() < bin.size() ||
        executableFolder.compare(executableFolder.size() - bin.size(), bin.size(), bin) != 0) {
        return "";
    }
    const std::string prefix = executableFolder.substr(0, executableFolder.size() - bin.size() + 1);
    return isFolder(prefix + kInstalledDataFolder) ? prefix : "";
}

// An XDG base folder: the variable when it holds an absolute path (relative ones are
// ignored, as the base-directory rules ask), else the default under the home folder.
std::string xdgFolder(const std::string& variable, const std::string& home, const char* fallback) {
    if (!variable.empty() && variable.front() == '/') return withSeparator(variable);
    return withSeparator(home) + fallback;
}

// The histories always live in the user's state folder, wherever the program runs from: a
// build folder or $LUMARO_HOME must not keep the names a camera gave. None without a home.
std::string stateFolder(const ProgramFolderInputs& inputs) {
    const bool named = !inputs.xdgStateHome.empty() && inputs.xdgStateHome.front() == '/';
    if (!named && inputs.home.empty()) return {};
    return xdgFolder(inputs.xdgStateHome, inputs.home, ".local/state/") + "lumaro/";
}
}  // namespace

ProgramFolders DecideProgramFolders(const ProgramFolderInputs& inputs) {
    if (!inputs.lumaroHome.empty()) {
        const std::string home = withSeparator(inputs.lumaroHome);
        return {home, home, home, stateFolder(inputs)};
    }
    if (const std::string prefix = installPrefix(inputs.executableFolder); !prefix.empty()) {
        return {prefix + kInstalledDataFolder,
                xdgFolder(inputs.xdgConfigHome, inputs.home, ".config/") + "lumaro/",
                xdgFolder(inputs.xdgDataHome, inputs.home, ".local/share/") + "lumaro/",
                stateFolder(inputs)};
    }
    const std::string folder =
        withSeparator(inputs.executableFolder.empty() ? "." : inputs.executableFolder);
    return {folder, folder, folder, stateFolder(inputs)};
}

ProgramFolderInputs CurrentProgramFolderInputs() {
    ProgramFolderInputs inputs;
    inputs.lumaroHome = environment("LUMARO_HOME");
    std::vector<char> buffer(4096);
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n > 0) {
        inputs.executableFolder.assign(buffer.data(), static_cast<size_t>(n));
        inputs.executableFolder.erase(inputs.executableFolder.rfind('/') + 1);
    }
    inputs.home = UserHome();
    inputs.xdgConfigHome = environment("XDG_CONFIG_HOME");
    inputs.xdgDataHome = environment("XDG_DATA_HOME");
    inputs.xdgStateHome = environment("XDG_STATE_HOME");
    return inputs;
}

ProgramFolders FindProgramFolders() { return DecideProgramFolders(CurrentProgramFolderInputs()); }

bool CreateUserFolders(const ProgramFolders& folders) {
    // Private to the user, as the base-directory rules ask of the folders they make.
    const CreateFolderOptions own{.allLevels = true, .mode = 0700};
    const bool settings = CreateFolder(folders.settings, own) == 0;
    return CreateFolder(folders.user, own) == 0 && settings;
}

std::string SettingsFilePath(const ProgramFolders& folders) {
    return folders.settings + kSettingsFileName;
}

std::string DefaultSnapkeepFolder(const ProgramFolders& folders) {
    return folders.user + kSnapkeep + "/";
}

std::vector<LanguageFile> ListProgramLanguageFiles(const ProgramFolders& folders) {
    std::vector<LanguageFile> languages;
    // Each file keeps its own name: "French.LNG" is opened as it is on disk.
    for (const std::string& fileName : ListLanguageFiles(folders.shipped)) {
        languages.push_back({BaseNameOf(fileName), folders.shipped + fileName});
    }
    if (folders.user == folders.shipped) return languages;
    for (const std::string& fileName : ListLanguageFiles(folders.user)) {
        const std::string name = BaseNameOf(fileName);
        LanguageFile file{name, folders.user + fileName};
        bool replaced = false;
        for (LanguageFile& shipped : languages) {
            if (shipped.name == name) {
                shipped = file;
                replaced = true;
            }
        }
        if (!replaced) languages.push_back(std::move(file));
    }
    return languages;
}

std::string HelpFilePath(const ProgramFolders& folders, const std::string& languageName) {
    for (const std::string& folder : {folders.user, folders.shipped}) {
        const std::string path = folder + languageName + kHelpExtension;
        if (canRead(path)) return path;
    }
    return folders.shipped + kEnglish + kHelpExtension;
}

}  // namespace lumaro
