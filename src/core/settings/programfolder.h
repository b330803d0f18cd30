// Where the program keeps its settings, language and help files.
#pragma once

#include <string>

namespace lumaro {

// $LUMARO_HOME when set, else the folder of the running executable; always ends with '/'.
std::string ProgramFolder();

}  // namespace lumaro
