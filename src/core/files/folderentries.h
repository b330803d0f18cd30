// Listing the files of a folder as the program sees them: regular files only, hidden
// names (starting with a dot) never, in name order.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumaro {

// The regular, non-hidden file names of `folder`, sorted with CompareNames.
// Empty optional when the folder cannot be read.
std::optional<std::vector<std::string>> ListRegularFiles(const std::string& folder);

// Whether `folder` is a folder whose entries can be read.
bool IsListableFolder(const std::string& folder);

// The extension after the last dot of a file name, without the dot ("" when none).
std::string ExtensionOf(const std::string& fileName);
// The file name without its last dot and extension.
std::string BaseNameOf(const std::string& fileName);

// A folder path as the program keeps it: ending with '/' (an empty path stays empty).
std::string WithTrailingSeparator(std::string folder);

// The user's home folder, the one rule of the whole program: $HOME when set and not empty,
// else the home the password file gives the account; empty when neither names one.
std::string UserHome();
// UserHome() ending in '/' ("/" when there is none): the folder shown when none is known.
std::string HomeFolder();
// Sets $HOME to UserHome() when it is unset or empty, so that the libraries that read $HOME
// (the Trash among them) find the same home as the program.
void SetHomeWhenUnset();

// A folder typed by a user, absolute and without "." or ".." steps: a relative one is taken
// from `workingFolder`. Paths written into files must not depend on where a shell stood.
std::string AbsoluteFolderPath(const std::string& typed, const std::string& workingFolder);

}  // namespace lumaro
