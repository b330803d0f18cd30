// The slideshow command: the folder load, then the project file the window's slide-show
// button writes, for every picture of the folder in name order.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "commands.h"
#include "naming/picturelist.h"
#include "pictures/namecompare.h"
#include "pictures/slideshowfile.h"
#include "pictures/slideshowtitle.h"
#include "settings/messagekeys.h"

namespace lumaro::cli {

int RunSlideShow(const Arguments& arguments, const LanguageTable& messages) {
    if (const int refused = CheckFileType(arguments.fileType, messages)) return refused;
    if (const int missing = CheckFolderExists(arguments.paths.front())) return missing;
    PictureList list;
    // The slides name their pictures by full path, whatever folder the shell stood in.
    std::error_code noFolder;
    list.currentFolder = WithTrailingSeparator(
        AbsoluteFolderPath(arguments.paths.front(), std::filesystem::current_path(noFolder).string()));
    list.fileType = ToLowerAscii(arguments.fileType);
    std::vector<RenameFailure> failures;
    if (const int stopped = LoadFolderForCommand(arguments, messages, list, failures)) return stopped;

    const std::string folder =
        SlideShowFolderFor(WithTrailingSeparator(arguments.to), messages.text(44));
    if (const int error = EnsureFolderLevel(folder)) {
        Say(messages.text(28) + " " + folder + " (" + std::strerror(error) + ")\n" + messages.text(29));
        SayFailures(messages, failures);
        return kUsage;
    }
    const std::string projectName = SlideShowProjectName(list.currentFolder);
    const SlideShowContent content{SlideShowTitle(projectName, arguments.titleFormat), arguments.interval,
                                   arguments.effectDuration};
    const SlideShowWriteResult written =
        WriteSlideShowFile(BuildSlideShowTables(), list.currentFolder, list.avant, folder, projectName, content);
    if (!written.ok()) {
        Say(messages.text(kMessageSlideShowNotWritten) + "\n" + written.path + " (" +
            std::strerror(written.error) + ")");
        SayFailures(messages, failures);
        return kUsage;
    }
    const std::string line = written.path + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    SayFailures(messages, failures);
    return failures.empty() ? kDone : kSomeFailed;
}

}  // namespace lumaro::cli
