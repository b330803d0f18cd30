// The slide-show project file: one slide line per picture of the list, between the fixed lines
// of slideshowtables.h, written as CR LF lines into the slide-show folder as "<project>.ss".
#pragma once

#include <string>
#include <vector>

#include "core/names/pictureentry.h"
#include "core/slideshow/slideshowtables.h"

namespace lumaro {

// What a project holds besides its pictures: the caption of every slide and the two
// durations, texts of milliseconds written as they are (an empty text gives an empty value).
struct SlideShowContent {
    std::string caption;
    std::string interval;
    std::string effectDuration;
};

// The name of the picture folder itself ("Vacances" for "/photos/Vacances/"): the project
// name, and the slide caption unless the title is moved. The root folder "/" is "Root".
std::string SlideShowProjectName(const std::string& currentFolder);

// The slide-show folder for a folder chosen by the user: the root folder "/" would fill the
// top of the disk with projects, so it gets `rootSubfolder` ("Slide shows/") beneath it.
std::string SlideShowFolderFor(const std::string& chosenFolder, const std::string& rootSubfolder);

// slideShowFolder (ending with '/') + project name + ".ss".
std::string SlideShowFilePath(const std::string& slideShowFolder, const std::string& projectName);

// The whole file: the header, a slide line per picture in list order (each path made of
// currentFolder and the picture's own file name), then the settings lines; no escaping,
// every line ends in CR LF.
std::string SlideShowFileText(const SlideShowTables& tables, const std::string& currentFolder,
                              const std::vector<PictureEntry>& pictures,
                              const SlideShowContent& content);

// What would cut a slide line in two: the picture folder's path when it holds a line feed or
// a carriage return, the file names of the pictures that hold one, and the caption when it
// does. Empty when every slide keeps to its line.
std::vector<std::string> NamesThatSplitSlideLines(const std::string& currentFolder,
                                                  const std::vector<PictureEntry>& pictures,
                                                  const std::string& caption);

struct SlideShowWriteResult {
    std::string path;  // the project file
    int error = 0;     // errno of the failed write; 0 when the file is in place
    std::vector<std::string> splittingNames;  // refused: NamesThatSplitSlideLines

    bool ok() const { return error == 0 && splittingNames.empty(); }
};

// Writes the project of the pictures of currentFolder into slideShowFolder, replacing a file
// of the same name. The file is written beside its place and renamed into it, so a failed
// write leaves the old file (or none) and nothing else. A project whose names would split
// its slide lines is refused: nothing is written.
SlideShowWriteResult WriteSlideShowFile(const SlideShowTables& tables,
                                        const std::string& currentFolder,
                                        const std::vector<PictureEntry>& pictures,
                                        const std::string& slideShowFolder,
                                        const std::string& projectName,
                                        const SlideShowContent& content);

}  // namespace lumaro
