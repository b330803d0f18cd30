// Moving pictures to another folder without ever losing one: each is copied by the program
// itself under a free name ("IMG_1 (2).jpg" when "IMG_1.jpg" is taken), synced, read back from
// the device (not from memory) and compared byte for byte with the source, and only then is the
// source deleted. Whether the
// destination is the picture folder itself is IsSameFolder's business (fileoperations.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/names/pictureentry.h"

namespace lumaro {

// The folder the next choice of a destination starts from: the destination's parent
// ("/p/Photos/Italie/" gives "/p/Photos/"), or the destination itself when it has none.
std::string CopyToFolderAfter(const std::string& destination);

struct TransferOutcome {
    enum class Status {
        Moved,          // copied, verified, source deleted
        SourceMissing,  // the source was gone; nothing written
        CopyFailed,     // the copy could not be written or differs; it was removed
        SourceChanged,  // the source changed while it was copied; it stays, the copy was removed
        SourceKept,     // a good copy was written but the source could not be deleted: both stay
        FolderBusy,     // another program is changing one of the folders; nothing written
        // A name of the picture's group holds a character the destination's disk never takes
        // (names/refusedcharacters.h): nothing written; `target` is the name refused.
        NameRefused,
    };
    Status status = Status::Moved;
    std::string source;  // full path of the picture
    std::string target;  // full path of the picture's copy, when there is one
    int error = 0;       // errno of the step that failed
    bool moved() const { return status == Status::Moved; }
};

struct TransferOptions {
    // Called before the k-th picture is touched.
    std::function<void(int k)> beforeEach;
    // Tests only: called once the copy of `source` is written and synced, before the source
    // is checked once more and deleted.
    std::function<void(const std::string& source)> beforeDelete;
    // The base name each picture is to take in the destination, one per picture (free names
    // follow it when it is taken); empty: each keeps its own.
    std::vector<std::string> targetBases;
};

// Moves `pictures` of `folder` (ending in '/') to `destination` (ending in '/'), in the order
// given, each with its companions under the same free name ("IMG_1 (2).jpg" takes
// "IMG_1 (2).NEF" along). A source is deleted only while it is still, under its name, the very
// file that was copied, unchanged since the copy began and equal to its copy, and only once
// the picture and every companion arrived so: otherwise every file of the picture stays.
// Both folders are locked throughout; when another program holds one, every picture stays
// (FolderBusy). When either folder lies on a read-only disk, nothing is written and every
// picture stays (CopyFailed, EROFS). Where the destination's disk refuses a character of a
// name, the picture stays (NameRefused), as PictureTransfer's plan says beforehand.
std::vector<TransferOutcome> TransferPictures(const std::string& folder,
                                              const std::vector<PictureEntry>& pictures,
                                              const std::string& destination,
                                              const TransferOptions& options = {});

}  // namespace lumaro
