// The folder listing as the picture list takes it: "Init" stops at a first picture that is not
// numbered, and the list's number width comes from the names listed. The listing itself is in
// pictures/folderlisting.h.
#pragma once

#include <string>
#include <string_view>

#include "core/listing/folderlisting.h"
#include "core/naming/picturelist.h"

namespace lumaro {

// ListFolderOrdered with the numbered-name test for "Init".
FolderListing ListPictures(const std::string& folder, std::string_view fileType,
                           ListCriterion criterion, const ListProgress& progress = {});

// The number width of a list of names: that of the last name, at least 2.
int ListedNumberWidth(const std::vector<PictureEntry>& entries);

// Stores a listing in the picture list: `pictureCount`, and unless the count is -1 the
// entries of `lb_Avant` and, when there are some, `numberWidth`.
void ApplyListing(PictureList& list, FolderListing listing);

// Lists the list's own folder and type by `criterion` and stores the result; returns whether
// a picture had no date inside (criterion "Date", kMessageUndatedPicturesFirst).
bool Relist(PictureList& list, ListCriterion criterion, const ListProgress& progress = {});

// Relist for a folder whose renames are only planned: the folder is listed by `criterion` as
// it is now, each picture of `renames` takes its planned name, and the list is ordered again,
// so that it is the list Relist will give once the renames took place. Nothing on disk
// changes.
bool RelistPlanned(PictureList& list, const std::vector<RenamePair>& renames,
                   ListCriterion criterion, const ListProgress& progress = {});

}  // namespace lumaro
