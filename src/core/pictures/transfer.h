// Moving pictures to another folder without ever losing one: each is copied by the program
// itself under a free name ("IMG_1 (2).jpg" when "IMG_1.jpg" is taken), synced, read back and
// compared byte for byte with the source, and only then is the source deleted. Whether the
// destination is the picture folder itself is IsSameFolder's business (fileoperations.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "pictures/pictureentry.h"

namespace lumaro {

// The folder the next choice of a destination starts from: the destination's parent
// ("/p/Photos/Italie/" gives "/p/Photos/"), or the destination itself when it has none.
std::string CopyToFolderAfter(const std::string& destination);

// Creates the destination folder (one level); an existing folder is fine.
bool CreateDestinationFolder(const std::string& destination);

struct TransferOutcome {
    enum class Status {
        Moved,          // copied, verified, source deleted
        SourceMissing,  // the source was gone; nothing written
        CopyFailed,     // the copy could not be written or differs; it was removed
        SourceKept,     // the source could not be deleted; the copy was removed again
    };
    Status status = Status::Moved;
    std::string source;  // full path of the picture
    std::string target;  // full path of the copy, when moved
    int error = 0;       // errno of the step that failed
    bool moved() const { return status == Status::Moved; }
};

// Moves `pictures` of `folder` (ending in '/') to `destination` (ending in '/'), in the order
// given. `beforeEach(k)` is called before the k-th picture is touched.
std::vector<TransferOutcome> TransferPictures(const std::string& folder,
                                              const std::vector<PictureEntry>& pictures,
                                              const std::string& destination,
                                              const std::function<void(int)>& beforeEach = {});

}  // namespace lumaro
