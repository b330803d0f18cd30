// What a picture operation changes: each file from where it is to where it goes, planned before
// the run and told after it. The files it leaves as they were are its outcome's.
#pragma once

#include <string>
#include <vector>

#include "operations/outcome.h"

namespace lumaro {

// A file a picture operation changes, or would change.
struct ChangedFile {
    std::string name;  // its path
    // Its path after: the same for a turn, in the Trash, in the other folder; empty when it is
    // deleted for good, or when the plan cannot know the name the Trash will give it.
    std::string newName{};
    bool encodedAgain = false;  // a turn: decoded and encoded again, not turned without loss
    bool operator==(const ChangedFile&) const = default;
};

// What a picture operation would do, found without touching a file.
struct PicturePlan {
    // How the run would end: Done, SomeKept (its files are those that would stay as they are,
    // each with why) or why it would be refused.
    Outcome outcome;
    std::vector<ChangedFile> changes;  // each file the run would change, in order
};

// Removes the shared thumbnails of every file's path before and after (core/thumbnails).
void RemoveThumbnailsOf(const std::vector<ChangedFile>& changes);

}  // namespace lumaro
