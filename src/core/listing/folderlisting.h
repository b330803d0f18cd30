// The ordered listing of the pictures of a folder: every regular, non-hidden file whose
// extension is the file type in any letter case (with the type `all`, every known picture and
// video type, one entry per group of files of one name: picturegroups.h) and that is not
// empty, ordered by name or by the moment inside the picture. Every refresh of the picture list
// goes through it. The same read of the folder gives each picture its companions: the other
// files named after it.
#pragma once

#include <chrono>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/listing/instantorder.h"
#include "core/names/namematch.h"
#include "core/names/pictureentry.h"

namespace lumaro {

enum class ListCriterion {
    Name,  // base names in name order
    Date,  // moment of taking (instantorder.h), then date text, then name; undated first
    Init,  // name order, but stops with -1 when the first picture found fails the first test
};

// For "Init": whether the first picture found (by base name) lets the listing go on.
using FirstPictureTest = std::function<bool(std::string_view base)>;

// Called with done = 0 .. total (the folder's regular files), a few hundred times in a
// listing of a few seconds, and always once with done == total. Always on the thread that
// asked for the listing.
using ListProgress = std::function<void(int done, int total)>;

// Calls a ListProgress at the start, then about every 1/200 of the total or every 50 ms,
// whichever comes first, and at the end.
class ProgressSteps {
public:
    ProgressSteps(const ListProgress& progress, int total);
    void advance(int done);

private:
    const ListProgress& progress_;
    int total_;
    int step_;
    int next_;  // the count at which the next call is due
    std::chrono::steady_clock::time_point last_;
};

// The text ReadPictureDate gives for the same picture, without a second read of it.
std::string ListedDateText(const ListedDate& date, std::string_view fileDatePrefix);

struct FolderListing {
    bool readable = true;               // false: the folder could not be read (nothing listed)
    int count = 0;                      // pictures listed; -1 for Init when the first test refused
    std::vector<PictureEntry> entries;  // in the order of the criterion
    bool someWithoutDate = false;       // Date: a picture had no date inside
    std::vector<ListedDate> dates;      // Date: the date of each entry, in the same order
    FolderZone zone;                    // Date: the zone of the dates without offset
    NameMatch names;                    // how the folder compares names (its companions so)
};

// `fileType` is lower case, without dot, or kAllTypes. The picture list and its number width are
// filled from the listing by naming/picturelisting.h, which also gives "Init" its test.
FolderListing ListFolderOrdered(const std::string& folder, std::string_view fileType,
                                ListCriterion criterion, const ListProgress& progress = {},
                                const FirstPictureTest& firstPictureTest = {});

// The file names of the companions of the picture `fileName` of `folder`, the picture's own
// extension taken as the file type: empty when it has none or is not a listed picture.
std::vector<std::string> CompanionNamesOf(const std::string& folder, const std::string& fileName);

// Orders the listing again, as ListFolderOrdered orders one by `criterion`, after its entries
// were given other names: a listing by date keeps each date with its picture.
void OrderListing(FolderListing& listing, ListCriterion criterion);

// The sort key of a picture date as written: the date text cut or padded with blanks to 19
// characters; 19 blanks for a picture without date, which thus comes before every dated
// picture. In a folder without sub-seconds and zones, a listing by date orders by this key.
std::string DateSortKey(const std::string* dateText);

}  // namespace lumaro
