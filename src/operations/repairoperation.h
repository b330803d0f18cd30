// Finishing an operation that a crash or a power cut interrupted, from the journal it left in
// its folder. The repair records what it finished in the folder's history itself, before it
// removes the journal (core/journal/renamejournal.h): a repair stopped in between is run again,
// and no finished rename is ever missing from the history.
#pragma once

#include <string>

#include "core/journal/renamejournal.h"
#include "operations/folderrun.h"
#include "operations/renameoutcome.h"

namespace lumaro {

class RepairOperation {
public:
    explicit RepairOperation(std::string folder);

    // The renames the repair would make, touching nothing. Done and silent when the folder holds
    // no journal; kMessageUnreadableJournalKept when its journal cannot be read (the repair would
    // keep it aside and rename nothing).
    NamingPlan plan() const;
    // Done and silent without a journal; kMessageInterruptedRenamesRepaired naming the pictures
    // it renamed; kMessageUnreadableJournalKept naming where the journal is kept; its files are
    // the pictures that could not take their new names.
    Outcome run(const RunOptions& options = {});

private:
    std::string folder_;
};

// The outcome of a repair that a load or a rename made first, its files left out: the caller
// names them with its own.
Outcome RepairOutcome(const std::string& folder, const JournalRepair& repair);

}  // namespace lumaro
