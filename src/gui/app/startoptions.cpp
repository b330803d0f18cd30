// Reading the command line of the lumaro program, and the text that --help prints.
#include "gui/app/startoptions.h"

#include "core/files/folderentries.h"
#include "core/settings/constants.h"

namespace lumaro {

StartOptions ParseStartOptions(const std::vector<std::string>& arguments,
                               const std::string& workingFolder) {
    StartOptions options;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            options.help = true;
        } else if (!optionsEnded && argument == "--version") {
            options.version = true;
        } else if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
            options.error = "unknown option " + argument;
        } else if (!options.folder.empty()) {
            options.error = "only one folder can be opened";
        } else if (argument.empty()) {
            options.error = "the folder name is empty";
        } else {
            options.folder = AbsoluteFolderPath(argument, workingFolder);
        }
    }
    return options;
}

std::string StartHelpText(const ProgramFolders& folders) {
    std::string languages = kEnglish;
    for (const LanguageFile& file : ListProgramLanguageFiles(folders)) {
        languages += "\n    " + file.name + "  (" + file.path + ")";
    }
    return "Usage: lumaro [FOLDER]\n"
           "Gives the photos of a folder numbered names, such as \"0123  Vacances en "
           "Italie.jpg\".\n"
           "\n"
           "  FOLDER       the folder of pictures to open at start, as the Folder button does\n"
           "  --help       shows this text\n"
           "  --version    shows the version\n"
           "The usual Qt options (-platform, -style, ...) are understood too. The same naming\n"
           "work from a shell: lumaro-cli --help.\n"
           "\n"
           "Files of this run:\n"
           "  settings           " +
           SettingsFilePath(folders) + "\n" + "  shipped texts      " + folders.shipped + "\n" +
           "  your own languages " + folders.user + "  (add <Language>.lng files here)\n" +
           "  Snapkeep sets      " + DefaultSnapkeepFolder(folders) + "\n" +
           "  languages offered  " + languages + "\n";
}

}  // namespace lumaro
