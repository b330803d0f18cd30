// Where the program finds its shipped files and keeps the user's: the one place that decides
// every folder and file path of the program's own files.
#pragma once

#include <string>
#include <vector>

namespace lumaro {

// The folders of one run, each ending with '/'. With $LUMARO_HOME, or when the program runs
// from its build folder, the first three are the same program folder; the state folder is
// always the user's.
struct ProgramFolders {
    std::string shipped;   // the language and help files that come with the program
    std::string settings;  // the settings file
    std::string user;      // language files the user adds, and the default Snapkeep folder
    std::string state;     // the histories of the picture folders; empty without a home
};

// What the folders are decided from: the environment and where the executable lies.
struct ProgramFolderInputs {
    std::string lumaroHome;        // $LUMARO_HOME
    std::string executableFolder;  // ends with '/'
    std::string home;              // UserHome()
    std::string xdgConfigHome;
    std::string xdgDataHome;
    std::string xdgStateHome;
};

// $LUMARO_HOME when set holds everything but the histories. An executable in a "bin/" folder
// with "../share/lumaro/" beside it is installed: shipped files in share/lumaro, the settings
// in the XDG config folder, the user's files in the XDG data folder. Otherwise the
// executable's folder holds them. The histories are always in the XDG state folder.
ProgramFolders DecideProgramFolders(const ProgramFolderInputs& inputs);
// The inputs of this process.
ProgramFolderInputs CurrentProgramFolderInputs();
// DecideProgramFolders for this process.
ProgramFolders FindProgramFolders();

// Creates the settings and user folders, parents included, when they are missing (an
// installed program meets a fresh account); false when one could not be made.
bool CreateUserFolders(const ProgramFolders& folders);

std::string SettingsFilePath(const ProgramFolders& folders);
// The folder where Snapkeep sets are kept unless the user chooses another.
std::string DefaultSnapkeepFolder(const ProgramFolders& folders);

// A language that can be chosen, with the file that holds its texts.
struct LanguageFile {
    std::string name;
    std::string path;
};
// The shipped language files, then the user's; a user file of a shipped language's name
// takes its place, so a user can mend a translation without touching the installed one.
std::vector<LanguageFile> ListProgramLanguageFiles(const ProgramFolders& folders);
// The help file of the language, the user's before the shipped one; the shipped English
// help when the language has none that can be read.
std::string HelpFilePath(const ProgramFolders& folders, const std::string& languageName);

}  // namespace lumaro
