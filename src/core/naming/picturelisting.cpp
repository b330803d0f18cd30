// Listing the pictures of the current folder into the picture list, with the list's number width.
#include "core/naming/picturelisting.h"

#include <algorithm>
#include <unordered_map>

#include "core/naming/numberedname.h"

namespace lumaro {

FolderListing ListPictures(const std::string& folder, std::string_view fileType,
                           ListCriterion criterion, const ListProgress& progress) {
    return ListFolderOrdered(folder, fileType, criterion, progress,
                             [](std::string_view base) { return IsNumbered(base); });
}

int ListedNumberWidth(const std::vector<PictureEntry>& entries) {
    if (entries.empty()) return kMinNumberWidth;
    return std::max(kMinNumberWidth, NumberPrefixWidth(entries.back().base));
}

void ApplyListing(PictureList& list, FolderListing listing) {
    list.pictureCount = listing.count;
    if (listing.count < 0) return;
    list.avant = std::move(listing.entries);
    if (!list.avant.empty()) list.numberWidth = ListedNumberWidth(list.avant);
}

bool Relist(PictureList& list, ListCriterion criterion, const ListProgress& progress) {
    FolderListing listing = ListPictures(list.currentFolder, list.fileType, criterion, progress);
    const bool someWithoutDate = listing.someWithoutDate;
    ApplyListing(list, std::move(listing));
    return someWithoutDate;
}

bool RelistPlanned(PictureList& list, const std::vector<RenamePair>& renames,
                   ListCriterion criterion, const ListProgress& progress) {
    FolderListing listing = ListPictures(list.currentFolder, list.fileType, criterion, progress);
    if (!renames.empty()) {
        std::unordered_map<std::string, const std::string*> plannedBase;
        for (const RenamePair& rename : renames)
            plannedBase[rename.from.fileName()] = &rename.toBase;
        for (PictureEntry& entry : listing.entries) {
            const auto planned = plannedBase.find(entry.fileName());
            if (planned != plannedBase.end()) entry.base = *planned->second;
        }
        OrderListing(listing, criterion);
    }
    const bool someWithoutDate = listing.someWithoutDate;
    ApplyListing(list, std::move(listing));
    return someWithoutDate;
}

}  // namespace lumaro
