// The order of a listing by date: each picture's date placed in time by its own offset from
// UTC, else by the folder's zone, so that pictures of several devices and zones, and bursts
// within one second, follow each other as they were taken.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/picturefile/tiffdate.h"

namespace lumaro {

// The date a listing by date found for a picture: the date inside it, else the modification
// time of its file.
struct ListedDate {
    std::optional<TakenDate> inside;
    std::time_t fileTime = 0;
};

// The zone of the dates that carry no offset of their own: the offset most listed pictures
// carry (of two as frequent, the smaller); else, when some picture's moment is known only in
// UTC, the computer's offset at the earliest such moment; else none, and dates are compared as
// they are written.
struct FolderZone {
    enum class Source { None, Folder, Computer };
    Source source = Source::None;
    int offsetMinutes = 0;
};
FolderZone FindFolderZone(const std::vector<ListedDate>& dates);

// The moment of a date in seconds since 1970 in UTC, its text read at `offsetMinutes`.
long long UtcSecondsOf(const TakenDate& date, int offsetMinutes);

// Gives each date known only in UTC its text in the folder's zone (the text a listing shows),
// once, when the listing is made.
void PlaceInFolderZone(std::vector<ListedDate>& dates, const FolderZone& zone);

// What a listing by date orders a picture by, before its name: undated pictures first (a
// blank key), then the moment of taking with its sub-seconds, then the date text. In a folder
// without zone the moment is the date as written, so the order is the date text's.
std::string InstantSortKey(const ListedDate& date, const FolderZone& zone);

// The moment in ISO 8601 ("2024-07-01T08:11:30.45+02:00"), with sub-seconds and offset where
// known; nothing for a picture without date inside.
std::optional<std::string> InstantText(const ListedDate& date, const FolderZone& zone);
// Where the offset of InstantText comes from: "file", "folder", "computer" or "none".
std::string_view ZoneSourceName(const ListedDate& date, const FolderZone& zone);

}  // namespace lumaro
