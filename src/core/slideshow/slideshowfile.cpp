// Naming a slide-show project and its folder, and writing its project file.
#include "core/slideshow/slideshowfile.h"

#include "core/files/atomicwrite.h"
#include "core/settings/constants.h"

namespace lumaro {

namespace {

// The project of the root folder, which has no name of its own.
constexpr const char* kRootProjectName = "Root";
constexpr const char* kProjectExtension = ".ss";

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool HoldsLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

std::string SlideShowProjectName(const std::string& currentFolder) {
    std::string folder = currentFolder;
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    const size_t slash = folder.rfind('/');
    std::string name = slash == std::string::npos ? folder : folder.substr(slash + 1);
    return name.empty() ? kRootProjectName : name;
}

std::string SlideShowFolderFor(const std::string& chosenFolder, const std::string& rootSubfolder) {
    return chosenFolder == "/" ? chosenFolder + rootSubfolder : chosenFolder;
}

std::string SlideShowFilePath(const std::string& slideShowFolder, const std::string& projectName) {
    return slideShowFolder + projectName + kProjectExtension;
}

std::vector<std::string> NamesThatSplitSlideLines(const std::string& currentFolder,
                                                  const std::vector<PictureEntry>& pictures,
                                                  const std::string& caption) {
    std::vector<std::string> names;
    if (HoldsLineBreak(currentFolder)) names.push_back(currentFolder);
    for (const PictureEntry& picture : pictures) {
        if (HoldsLineBreak(picture.fileName())) names.push_back(picture.fileName());
    }
    // The caption is the folder's name: it is named on its own only when it came from elsewhere.
    if (HoldsLineBreak(caption) && !HoldsLineBreak(currentFolder)) names.push_back(caption);
    return names;
}

std::string SlideShowFileText(const SlideShowTables& tables, const std::string& currentFolder,
                              const std::vector<PictureEntry>& pictures,
                              const SlideShowContent& content) {
    std::string text;
    const auto line = [&text](const std::string& value) {
        text += value;
        text += kLineBreak;
    };
    for (const std::string& header : tables.header) line(header);
    for (const PictureEntry& picture : pictures) {
        line("FileName: \"" + currentFolder + picture.fileName() + "\"; Caption: \"" +
             content.caption + "\";");
    }
    for (const std::string& setting : tables.settings) {
        if (StartsWith(setting, kEffectDurationKey)) {
            line(kEffectDurationKey + content.effectDuration);
        } else if (StartsWith(setting, kIntervalKey)) {
            line(kIntervalKey + content.interval);
        } else {
            line(setting);
        }
    }
    return text;
}

SlideShowWriteResult WriteSlideShowFile(const SlideShowTables& tables,
                                        const std::string& currentFolder,
                                        const std::vector<PictureEntry>& pictures,
                                        const std::string& slideShowFolder,
                                        const std::string& projectName,
                                        const SlideShowContent& content) {
    SlideShowWriteResult result;
    result.path = SlideShowFilePath(slideShowFolder, projectName);
    result.splittingNames = NamesThatSplitSlideLines(currentFolder, pictures, content.caption);
    if (!result.splittingNames.empty()) return result;
    const AtomicWriteOptions replaceALink{.throughLinks = false};
    result.error =
        WriteFileAtomically(
            result.path, SlideShowFileText(tables, currentFolder, pictures, content), replaceALink)
            .error;
    return result;
}

}  // namespace lumaro
