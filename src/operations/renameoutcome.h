// How a naming operation's renames end, as an outcome: the pictures that kept their names
// become its files; and the plan of a naming operation, which a dry run prints.
#pragma once

#include <string_view>
#include <vector>

#include "core/files/fileoperations.h"
#include "core/naming/picturelist.h"
#include "operations/outcome.h"

namespace lumaro {

// What a naming operation would do, found without touching a file.
struct NamingPlan {
    // How the run would end: Done, SomeKept (its files are the pictures that would keep their
    // names), or why it would be refused.
    Outcome outcome;
    // Each file the run would rename, from the name it bears to the name it would end with: a
    // picture before its companions.
    std::vector<FileRename> renames;
};

// One outcome file per picture that kept its name, with the system's reason, or the character
// its new name holds that its disk refuses.
std::vector<OutcomeFile> KeptFiles(const std::vector<RenameFailure>& failures);

// Done when no picture kept its name, else SomeKept naming them (kMessageRenamesFailed); with
// `refusal` (kMessageReadOnlyDisk: the disk refused every rename before any was tried), Refused.
Outcome RenamesOutcome(const std::vector<RenameFailure>& failures, int refusal = 0);

// Each file of the pairs that changes its name, a picture before its companions.
std::vector<FileRename> FilesRenamedBy(const std::vector<RenamePair>& pairs);

// How a front joins an outcome's details to its message: the words that end the message's own
// sentence (the file type after "no files of type", the folder after "cannot create folder in")
// follow after a blank, names go each on a line of their own.
std::string_view DetailSeparator(int messageKey);

}  // namespace lumaro
