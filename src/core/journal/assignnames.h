// Telling which file of a plan bears which name where files are known only by their size and
// modification time (their numbers do not outlive a mount): files alike in both, say sidecars
// written in one second, could each be taken for the other.
#pragma once

#include <string>
#include <vector>

namespace lumaro {

// `candidates[r]`: the names of plan record r (its new name, its temporary names, its old name,
// in that order) that bear a file like its own. Gives each record the name its file bears, ""
// where none: a name goes to one record only, and a record with a single name left takes it
// first, so that a picture still on its old name keeps it although it is the new name of
// another picture alike, which is then found on its temporary name. Where several records each
// have several names left, the first takes its first (its latest step), as with file numbers.
std::vector<std::string> AssignNames(const std::vector<std::vector<std::string>>& candidates);

}  // namespace lumaro
