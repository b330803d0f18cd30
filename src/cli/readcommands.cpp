// The command that renames nothing but reads dates, and the output and the folder lock that every
// command shares.
#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/commands.h"
#include "cli/jsondates.h"
#include "cli/jsonnames.h"
#include "cli/oneline.h"
#include "cli/report.h"
#include "core/listing/folderlisting.h"
#include "core/names/namecompare.h"
#include "core/picturefile/picturedate.h"
#include "core/settings/messagekeys.h"

namespace lumaro::cli {

namespace {

bool quietRun = false;

bool verboseRun = false;

// Every rename as it happens: told with --verbose, recorded for the JSON document.
void observeRename(const std::string& from, const std::string& to) {
    if (verboseRun) Tell("renamed " + OnOneLine(from) + " -> " + OnOneLine(to));
    RecordRename(from, to);
}

void sayLines(const std::string& text) {
    std::string lines;
    size_t start = 0;
    do {
        const size_t end = text.find('\n', start);
        lines += "lumaro-cli: ";
        lines += text.substr(start, end == std::string::npos ? end : end - start);
        lines += '\n';
        start = end == std::string::npos ? end : end + 1;
    } while (start != std::string::npos);
    std::fwrite(lines.data(), 1, lines.size(), stderr);
}

// The reason the system gives for not reading `path` as a folder.
int folderError(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return errno;
    if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    if (DIR* folder = opendir(path.c_str())) {
        closedir(folder);
        return EIO;
    }
    return errno;
}

}  // namespace

void SetMessageLevel(bool quiet, bool verbose) {
    quietRun = quiet;
    verboseRun = verbose && !quiet;
    SetRenameObserver(verboseRun || Reporting() ? observeRename : nullptr);
}

void Say(const std::string& text) {
    ReportError(text);
    sayLines(text);
}

void Tell(const std::string& text) {
    if (!quietRun) sayLines(text);
}

void SayWithNames(const LanguageTable& messages, int key, const std::vector<std::string>& names) {
    std::string text = messages.text(key);
    for (const std::string& name : names) text += "\n" + OnOneLine(name);
    Say(text);
}

void PrintListing(const std::vector<PictureEntry>& entries, bool withCompanions) {
    std::string line;
    for (const PictureEntry& entry : entries) {
        line = OnOneLine(entry.fileName()) + "\n";
        if (withCompanions) {
            for (const std::string& rest : entry.companions)
                line += "\t" + OnOneLine(entry.base + rest) + "\n";
        }
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
}

int CheckFileType(const std::string& fileType, const LanguageTable& messages) {
    switch (ValidateFileType(fileType)) {
        case FileTypeCheck::Empty:
            Say(messages.text(kMessageSpecifyFileType));
            return kRefused;
        case FileTypeCheck::NotInFileName:
            Say(messages.text(kMessageFileTypeNotInFileName));
            return kRefused;
        case FileTypeCheck::Ok:
            break;
    }
    return kDone;
}

int CheckFolderExists(const std::string& folder) {
    struct stat st;
    if (stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return kDone;
    return SayFolderUnreadable(folder);
}

int CheckFileExists(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0) return kDone;
    Say("cannot read file '" + OnOneLine(path) + "': " + std::strerror(errno));
    return kUsage;
}

int SayFolderUnreadable(const std::string& folder) {
    Say("cannot read folder '" + OnOneLine(folder) + "': " + std::strerror(folderError(folder)));
    return kUsage;
}

std::optional<FolderLock> LockForCommand(const Arguments& arguments,
                                         const std::vector<std::string>& folders) {
    if (arguments.dryRun) return FolderLock();
    FolderLock lock(folders);
    if (!lock.busy()) return lock;
    SayFolderBusy();
    return std::nullopt;
}

void SayFolderBusy() { Say("another Lumaro is changing this folder"); }

// Every existing file gets its line, readable or not; a missing one makes the exit code 1.
int RunDate(const Arguments& arguments, const LanguageTable& messages) {
    int code = kDone;
    nlohmann::json files = nlohmann::json::array();
    for (const std::string& path : arguments.paths) {
        if (CheckFileExists(path) != kDone) {
            code = kUsage;
            continue;
        }
        if (arguments.json) {
            nlohmann::json file =
                DateObject(ReadSourcedPictureDate(path, messages.text(kMessageFileDatePrefix)));
            PutName(file, "path", path);
            files.push_back(std::move(file));
            continue;
        }
        const std::string line =
            OnOneLine(ReadPictureDate(path, messages.text(kMessageFileDatePrefix))) + "\t" +
            OnOneLine(path) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    ReportField("files", std::move(files));
    return code;
}

}  // namespace lumaro::cli
