// The slideshow command: the project file the window's slide-show button writes, for every
// picture of the folder in name order, and the folder load that gives them their names.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "cli/commands.h"
#include "cli/jsonnames.h"
#include "core/files/createfolder.h"
#include "core/names/namecompare.h"
#include "core/naming/picturelist.h"
#include "core/settings/messagekeys.h"
#include "core/slideshow/slideshowfile.h"
#include "core/slideshow/slideshowtitle.h"

namespace lumaro::cli {

namespace {

// Makes the slide-show folder when it is missing, one level only; kDone, else kUsage after
// saying why.
int makeSlideShowFolder(const LanguageTable& messages, const std::string& folder) {
    const int error = CreateFolder(folder, {.allLevels = false});
    if (error == 0) return kDone;
    Say(messages.text(kMessageCannotCreateFolder) + " " + folder + " (" + std::strerror(error) +
        ")\n" + messages.text(kMessageVerifyAndRetry));
    return kUsage;
}

// kDone when the project is written, else the exit code after saying why.
int writeProject(const LanguageTable& messages, const PictureList& list, const std::string& folder,
                 const SlideShowContent& content, std::string& path) {
    const SlideShowWriteResult written =
        WriteSlideShowFile(BuildSlideShowTables(), list.currentFolder, list.avant, folder,
                           SlideShowProjectName(list.currentFolder), content);
    path = written.path;
    if (!written.splittingNames.empty()) {
        SayWithNames(messages, kMessageSlideShowLineBreak, written.splittingNames);
        return kRefused;
    }
    if (!written.ok()) {
        Say(messages.text(kMessageSlideShowNotWritten) + "\n" + written.path + " (" +
            std::strerror(written.error) + ")");
        return kUsage;
    }
    return kDone;
}

}  // namespace

// Whatever can stop the command happens before the load renames a picture: the project is
// written for the names the load would give, then the load gives them. Only a load that does
// not go as planned makes the project be written again, for the names it gave.
int RunSlideShow(const Arguments& arguments, const LanguageTable& messages) {
    if (const int refused = CheckFileType(arguments.fileType, messages)) return refused;
    ReportFolder(arguments.paths.front());
    ReportCompanionsOfType(arguments.fileType);
    if (const int missing = CheckFolderExists(arguments.paths.front())) return missing;
    PictureList list;
    // The slides name their pictures by full path, whatever folder the shell stood in.
    std::error_code noFolder;
    list.currentFolder = WithTrailingSeparator(AbsoluteFolderPath(
        arguments.paths.front(), std::filesystem::current_path(noFolder).string()));
    list.fileType = ToLowerAscii(arguments.fileType);
    const std::optional<FolderLock> lock = LockForCommand(arguments, {list.currentFolder});
    if (!lock) return kUsage;
    if (!arguments.dryRun) RecordRenamesIn(list.currentFolder);
    PictureList planned = list;
    FolderPlan plan;
    if (const int stopped = PlanFolderForCommand(arguments, messages, planned, plan))
        return stopped;
    const SlideShowContent content{
        SlideShowTitle(SlideShowProjectName(list.currentFolder), arguments.titleFormat),
        arguments.interval, arguments.effectDuration};
    // Refused before the slide-show folder is made.
    const std::vector<std::string> splitting =
        NamesThatSplitSlideLines(planned.currentFolder, planned.avant, content.caption);
    if (!splitting.empty()) {
        SayWithNames(messages, kMessageSlideShowLineBreak, splitting);
        return kRefused;
    }
    const std::string folder = SlideShowFolderFor(WithTrailingSeparator(arguments.to),
                                                  messages.text(kMessageSlideShowsSubfolder));
    if (arguments.dryRun) {
        std::vector<FileRename> dryRunPlan = plan.repair;
        dryRunPlan.insert(dryRunPlan.end(), plan.load.renames.begin(), plan.load.renames.end());
        PlanNote note;
        note.lastLine = SlideShowFilePath(folder, SlideShowProjectName(list.currentFolder));
        ReportNameField("project", note.lastLine);
        const std::vector<OutcomeFile>& kept = plan.load.outcome.files;
        SayKept(messages, kept);
        return PrintPlan(dryRunPlan, kept.empty() ? kDone : kSomeFailed, note);
    }
    std::string path;
    int code = makeSlideShowFolder(messages, folder);
    if (code == kDone) code = writeProject(messages, planned, folder, content, path);
    if (code != kDone) {
        SayKept(messages, plan.repairKept);
        return code;
    }

    std::vector<OutcomeFile> kept = plan.repairKept;
    std::vector<OutcomeFile> loadKept;
    if (const int stopped = LoadFolderForCommand(arguments, messages, list, loadKept))
        return stopped;
    kept.insert(kept.end(), loadKept.begin(), loadKept.end());
    if (list.avant != planned.avant) {
        if (writeProject(messages, list, folder, content, path) != kDone) {
            SayKept(messages, kept);
            return kSomeFailed;
        }
    }
    ReportNameField("project", path);
    const std::string line = path + "\n";
    if (!Reporting()) std::fwrite(line.data(), 1, line.size(), stdout);
    SayKept(messages, kept);
    return kept.empty() ? kDone : kSomeFailed;
}

}  // namespace lumaro::cli
