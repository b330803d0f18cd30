// The exit code of lumaro-cli for an operation's outcome: the one place that decides it.
#pragma once

#include "operations/outcome.h"

namespace lumaro::cli {

enum ExitCode {
    kDone = 0,
    kUsage = 1,       // wrong usage, a position past the end, a missing or unreadable path,
                      // a folder another Lumaro is changing
    kRefused = 2,     // a rule refused; the command itself renamed nothing
    kSomeFailed = 3,  // done, but some pictures kept their names or stayed where they were
};

inline int ExitCodeFor(const Outcome& outcome) {
    switch (outcome.kind) {
        case OutcomeKind::Done:
            return kDone;
        case OutcomeKind::SomeKept:
            return kSomeFailed;
        case OutcomeKind::Refused:
        case OutcomeKind::HistoryUnwritable:
            return kRefused;
        case OutcomeKind::FolderBusy:
        case OutcomeKind::Unusable:
            return kUsage;
    }
    return kUsage;
}

}  // namespace lumaro::cli
