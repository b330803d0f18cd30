// The JSON document of a run with --json, gathered while the command runs and printed once.
#include "cli/report.h"

#include <cstdio>
#include <optional>
#include <unordered_map>
#include <vector>

#include "cli/jsonnames.h"
#include "core/names/namecompare.h"

namespace lumaro::cli {

namespace {

struct Document {
    std::string command;
    bool changesFiles = false;
    bool dryRun = false;
    std::optional<std::string> folder;
    FileAction action = FileAction::Rename;
    int angle = 0;
    std::string companionsOfType;  // lower case; empty: companions are named by the command
    std::vector<ReportedFile> files;
    nlohmann::json fields = nlohmann::json::object();
    std::string error;
    // The renames recorded in `recordedFolder`: each file's first name, by the name it bears now.
    std::optional<std::string> recordedFolder;
    std::vector<std::pair<std::string, std::string>> renamed;  // first name, present name
    std::unordered_map<std::string, size_t> renamedBearing;    // present name -> its place
};

std::optional<Document> document;

const char* actionName(FileAction action) {
    static constexpr const char* kNames[] = {"rename", "move",    "turn", "trash",
                                             "delete", "restore", "shift"};
    return kNames[static_cast<int>(action)];
}

const char* statusName(FileStatus status) {
    static constexpr const char* kNames[] = {"planned", "done", "kept", "refused"};
    return kNames[static_cast<int>(status)];
}

nlohmann::json fileObject(const ReportedFile& file) {
    nlohmann::json object = nlohmann::json::object();
    PutName(object, "old", file.oldName);
    if (file.newName.empty()) {
        object["new"] = nullptr;
    } else {
        PutName(object, "new", file.newName);
    }
    object["action"] = actionName(document->action);
    object["status"] = statusName(file.status);
    if (!file.reason.empty()) object["reason"] = ValidUtf8(file.reason);
    if (!file.companionOf.empty()) PutName(object, "companion_of", file.companionOf);
    if (document->action == FileAction::Turn) {
        object["angle"] = document->angle;
        if (file.status == FileStatus::Planned || file.status == FileStatus::Done)
            object["lossless"] = !file.encodedAgain;
    }
    if (document->action == FileAction::Shift && !file.newDate.empty()) {
        object["date"] = file.date;
        object["new_date"] = file.newDate;
    }
    return object;
}

// The recorded renames that changed a file's name, in the order each file was first renamed.
std::vector<ReportedFile> recordedRenames() {
    std::vector<ReportedFile> files;
    for (const auto& [first, present] : document->renamed) {
        if (first != present) files.push_back({first, present, FileStatus::Done});
    }
    return files;
}

// Gives each renamed companion the picture it goes with, as the listing pairs them: the
// longest base of a renamed picture that the companion's name continues with a dot.
void nameCompanions(std::vector<ReportedFile>& files, const std::string& fileType) {
    std::unordered_map<std::string, std::string> pictureOfBase;
    const std::string extension = "." + fileType;
    const auto isPicture = [&extension](const std::string& name) {
        return name.size() > extension.size() &&
               ToLowerAscii(name.substr(name.size() - extension.size())) == extension;
    };
    for (const ReportedFile& file : files) {
        if (isPicture(file.oldName))
            pictureOfBase.emplace(file.oldName.substr(0, file.oldName.size() - extension.size()),
                                  file.oldName);
    }
    for (ReportedFile& file : files) {
        if (!file.companionOf.empty() || isPicture(file.oldName)) continue;
        const std::string& name = file.oldName;
        for (size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0;
             dot = name.rfind('.', dot - 1)) {
            const auto picture = pictureOfBase.find(name.substr(0, dot));
            if (picture == pictureOfBase.end()) continue;
            file.companionOf = picture->second;
            break;
        }
    }
}

}  // namespace

void ReportCompanionsOfType(const std::string& fileType) {
    if (document) document->companionsOfType = ToLowerAscii(fileType);
}

void StartReport(const Arguments& arguments) {
    if (!arguments.json) return;
    document.emplace();
    document->command = arguments.command;
    document->changesFiles = ChangesFiles(arguments.command);
    document->dryRun = arguments.dryRun;
}

bool Reporting() { return document.has_value(); }

void ReportFolder(const std::string& folder) {
    if (!document) return;
    document->folder = folder.empty() || folder.back() == '/' ? folder : folder + '/';
}

void ReportAction(FileAction action) {
    if (document) document->action = action;
}

void ReportAngle(int angle) {
    if (document) document->angle = angle;
}

void ReportFile(const ReportedFile& file) {
    if (document) document->files.push_back(file);
}

void ReportField(const std::string& field, nlohmann::json value) {
    if (document) document->fields[field] = std::move(value);
}

void ReportNameField(const std::string& field, const std::string& bytes) {
    if (document) PutName(document->fields, field, bytes);
}

void ReportError(const std::string& text) {
    if (document && document->error.empty()) document->error = text.substr(0, text.find('\n'));
}

void RecordRenamesIn(const std::string& folder) {
    if (document) document->recordedFolder = folder;
}

void RecordRename(const std::string& from, const std::string& to) {
    if (!document || !document->recordedFolder) return;
    const std::string& folder = *document->recordedFolder;
    const auto within = [&folder](const std::string& path) {
        return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
               path.find('/', folder.size()) == std::string::npos;
    };
    if (!within(from) || !within(to)) return;
    const std::string fromName = from.substr(folder.size());
    const std::string toName = to.substr(folder.size());
    auto& bearing = document->renamedBearing;
    size_t place = document->renamed.size();
    if (const auto found = bearing.find(fromName); found != bearing.end()) {
        place = found->second;
        bearing.erase(found);
        document->renamed[place].second = toName;
    } else {
        document->renamed.emplace_back(fromName, toName);
    }
    bearing[toName] = place;
}

void PrintReport(int exitCode) {
    if (!document) return;
    nlohmann::json out = document->fields;
    out["lumaro"] = kReportVersion;
    out["command"] = document->command;
    if (document->folder) {
        PutName(out, "folder", *document->folder);
    } else {
        out["folder"] = nullptr;
    }
    if (document->changesFiles) {
        out["dry_run"] = document->dryRun;
        nlohmann::json files = nlohmann::json::array();
        std::vector<ReportedFile> all = recordedRenames();
        all.insert(all.end(), document->files.begin(), document->files.end());
        if (!document->companionsOfType.empty()) nameCompanions(all, document->companionsOfType);
        for (const ReportedFile& file : all) files.push_back(fileObject(file));
        out["files"] = std::move(files);
    }
    if (exitCode != 0 && !document->error.empty()) out["reason"] = ValidUtf8(document->error);
    out["exit"] = exitCode;
    const std::string text = out.dump(2) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
}

}  // namespace lumaro::cli
