// The command line of the lumaro program: a folder to open, --help and --version.
#pragma once

#include <string>
#include <vector>

#include "core/settings/programfolder.h"

namespace lumaro {

struct StartOptions {
    bool help = false;
    bool version = false;
    std::string folder;  // absolute; empty when none was given
    std::string error;   // wrong usage, said on stderr
};

// Reads the arguments after the program name. A relative folder is taken from
// `workingFolder`; "--" ends the options, so a folder may begin with '-'.
StartOptions ParseStartOptions(const std::vector<std::string>& arguments,
                               const std::string& workingFolder);

// The text of --help: the usage, and where this run finds and keeps its files.
std::string StartHelpText(const ProgramFolders& folders);

}  // namespace lumaro
