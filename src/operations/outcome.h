// What every operation that changes files reports, to the window and the command line alike:
// how it ended, the files concerned, the system's error and the message key that tells it.
// No sentence is made here: the window turns an outcome into a message in the user's language,
// the command line into a line on stderr and its exit code (cli/exitcode.h).
#pragma once

#include <string>
#include <vector>

namespace lumaro {

enum class OutcomeKind {
    Done,               // everything as planned
    SomeKept,           // done, but some files kept their names or stayed where they were
    Refused,            // a rule refused the operation: nothing changed
    FolderBusy,         // another Lumaro is changing the folder: nothing changed
    HistoryUnwritable,  // the folder's history cannot be written: nothing changed
    Unusable,           // the folder or a file cannot be found or read: nothing changed
};

// One file the outcome concerns: a picture or companion kept, refused or changed.
struct OutcomeFile {
    std::string name;      // as the operation names it: within the folder, or a full path
    std::string newName;   // where it went or was to go; empty when none
    int error = 0;         // errno when the system refused it
    int messageKey = -1;   // why, when a rule rather than the system kept it; -1 when none
    std::string detail{};  // what the message names after its text (a character), or empty
    bool operator==(const OutcomeFile&) const = default;
};

struct Outcome {
    OutcomeKind kind = OutcomeKind::Done;
    int messageKey = -1;               // the message that tells the outcome; -1 when none is due
    int error = 0;                     // errno when the system refused the operation itself
    std::vector<std::string> details;  // what the message names after its text: a folder, names
    std::vector<OutcomeFile> files;    // the files concerned (kept, refused)

    bool done() const { return kind == OutcomeKind::Done; }
    // Whether the operation left every file as it found it.
    bool changedNothing() const {
        return kind != OutcomeKind::Done && kind != OutcomeKind::SomeKept;
    }
};

}  // namespace lumaro
