// Listing the pictures of a folder by file type, and ordering them by name or by picture date.
#include "core/listing/folderlisting.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <numeric>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "core/disks/namecase.h"
#include "core/files/folderentries.h"
#include "core/listing/picturegroups.h"
#include "core/listing/pictureheads.h"
#include "core/names/namecompare.h"
#include "core/picturefile/picturedate.h"

namespace lumaro {

namespace {

class FolderHandle {
public:
    explicit FolderHandle(const std::string& folder)
        : fd_(open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
    ~FolderHandle() {
        if (fd_ >= 0) close(fd_);
    }
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

bool hasFileType(const std::string& name, std::string_view fileType) {
    const size_t dot = name.rfind('.');
    return dot != std::string::npos && name.size() - dot - 1 == fileType.size() &&
           StartsWithFolded(std::string_view(name).substr(dot + 1), fileType);
}

constexpr auto kProgressInterval = std::chrono::milliseconds(50);

struct Examined {
    bool listed = false;
    ListedDate date;
};

Examined examineByStatus(int folderFd, const std::string& name) {
    struct stat st;
    if (fstatat(folderFd, name.c_str(), &st, 0) != 0) return {};
    return {st.st_size > 0, {std::nullopt, st.st_mtime}};
}

// For the date order the one read of the picture's head also tells an empty file, which
// spares a stat per picture; a file that cannot be opened is still listed when not empty.
Examined examineHead(int folderFd, const std::string& name, PictureHead head) {
    if (!head.opened) return examineByStatus(folderFd, name);
    return {!head.empty, {std::move(head.date), head.fileTime}};
}

PictureEntry entryOf(const std::string& name) {
    const size_t dot = name.rfind('.');
    return {name.substr(0, dot), name.substr(dot)};
}

// Orders the entries (and their dates, when listed by date) by their keys with the program's
// name order; equal keys by extension.
void sortByKeys(std::vector<PictureEntry>& entries, std::vector<ListedDate>& dates,
                const std::vector<std::string>& keys) {
    // Base names mostly come in the order of the file names already.
    if (std::is_sorted(keys.begin(), keys.end(), NameLess())) return;
    // The name order is the byte order of the folded keys, then of the keys themselves:
    // folding once lets every comparison run as a plain byte comparison.
    std::vector<std::string> folded;
    folded.reserve(keys.size());
    for (const std::string& key : keys) folded.push_back(ToLowerAscii(key));
    std::vector<size_t> order(entries.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        int byKey = folded[a].compare(folded[b]);
        if (byKey == 0) byKey = keys[a].compare(keys[b]);
        return byKey != 0 ? byKey < 0 : entries[a].extension < entries[b].extension;
    });
    std::vector<PictureEntry> ordered;
    ordered.reserve(entries.size());
    for (size_t i : order) ordered.push_back(std::move(entries[i]));
    entries = std::move(ordered);
    if (dates.empty()) return;
    std::vector<ListedDate> orderedDates;
    orderedDates.reserve(dates.size());
    for (size_t i : order) orderedDates.push_back(std::move(dates[i]));
    dates = std::move(orderedDates);
}

// What a listing is ordered by: the base name, after the moment of taking for the date order.
std::vector<std::string> sortKeysOf(const FolderListing& listing, bool byDate) {
    std::vector<std::string> keys;
    keys.reserve(listing.entries.size());
    for (size_t i = 0; i < listing.entries.size(); ++i) {
        keys.push_back(byDate ? InstantSortKey(listing.dates[i], listing.zone) +
                                    listing.entries[i].base
                              : listing.entries[i].base);
    }
    return keys;
}

// The date order needs the head of every picture: they are read all at once, several reads in
// flight, before the pictures are listed in name order as one by one.
template <typename IsListed>
std::vector<PictureHead> readHeadsOfType(int folderFd, const std::vector<std::string>& names,
                                         const IsListed& isListed, ProgressSteps& steps) {
    std::vector<const std::string*> typed;
    for (const std::string& name : names) {
        if (isListed(name)) typed.push_back(&name);
    }
    const int others = static_cast<int>(names.size() - typed.size());
    return ReadPictureHeads(folderFd, typed,
                            [&](size_t done) { steps.advance(others + static_cast<int>(done)); });
}

// Gives each still of the list the video of `others` named after it with "_HEVC".
void attachHevcVideos(NameMap<std::string_view, PictureEntry*>& byBase,
                      const std::vector<std::string>& others) {
    for (const std::string& name : others) {
        const std::optional<std::string_view> owner = HevcVideoOwner(name);
        const auto entry = owner ? byBase.find(*owner) : byBase.end();
        if (entry == byBase.end() || !IsStill(ClassOfFile(entry->second->extension))) continue;
        entry->second->companions.push_back(name.substr(owner->size()));
    }
}

// Gives each listed picture the files of `others` that go with it: those whose name is the
// picture's base followed by a dot, the base compared as the folder compares names (in a folder
// that ignores letter case, "img_1.xmp" goes with "IMG_1.jpg"). The longest base that matches
// wins, and of two pictures with the same base the first in name order (`others` and the
// entries come in name order).
void attachCompanions(std::vector<PictureEntry>& entries, const std::vector<std::string>& others,
                      NameMatch match) {
    if (others.empty() || entries.empty()) return;
    NameMap<std::string_view, PictureEntry*> byBase =
        MakeNameMap<std::string_view, PictureEntry*>(match);
    byBase.reserve(entries.size());
    for (PictureEntry& entry : entries) byBase.try_emplace(entry.base, &entry);
    for (const std::string& name : others) {
        for (size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0;
             dot = name.rfind('.', dot - 1)) {
            const auto owner = byBase.find(std::string_view(name).substr(0, dot));
            if (owner == byBase.end()) continue;
            owner->second->companions.push_back(name.substr(dot));
            break;
        }
    }
    attachHevcVideos(byBase, others);
}

// The files listed, before they are grouped into the list's entries.
struct ListedFiles {
    std::vector<std::string> names;
    std::vector<ListedDate> dates;  // by date: the date of each
};

// The moment of taking of any file of the folder: the one read by the listing, else read once.
class TakenDates {
public:
    TakenDates(int folderFd, const ListedFiles& listed, bool byDate)
        : folderFd_(folderFd), listed_(listed), byDate_(byDate) {}
    std::optional<TakenDate> operator()(const std::string& fileName) {
        if (byDate_ && index_.empty()) {
            for (size_t i = 0; i < listed_.names.size(); ++i) index_.emplace(listed_.names[i], i);
        }
        const auto found = index_.find(fileName);
        if (found != index_.end()) return listed_.dates[found->second].inside;
        const auto read = read_.find(fileName);
        if (read != read_.end()) return read->second;
        return read_[fileName] = ReadPictureHeadAt(folderFd_, fileName.c_str()).date;
    }

private:
    int folderFd_;
    const ListedFiles& listed_;
    bool byDate_;
    std::unordered_map<std::string_view, size_t> index_;
    std::unordered_map<std::string, std::optional<TakenDate>> read_;
};

// Makes the listing's entries of the files listed: with the type `all`, one per group of files
// of one name; a still and a video of one name not taken together are two entries (with one
// type, the other file is no companion). Each entry keeps the date of its own file.
void makeEntries(FolderListing& listing, ListedFiles& listed,
                 const std::vector<std::string>& others, int folderFd, bool allTypes, bool byDate) {
    std::vector<size_t> files;
    if (allTypes) {
        listing.entries.clear();
        files = GroupFiles(listed.names, listing.entries);
    } else {
        files.resize(listing.entries.size());
        std::iota(files.begin(), files.end(), size_t{0});
    }
    attachCompanions(listing.entries, others, listing.names);
    // A group's own files and the files named after it came apart: name order again.
    for (PictureEntry& entry : listing.entries) {
        if (!std::is_sorted(entry.companions.begin(), entry.companions.end(), NameLess()))
            std::sort(entry.companions.begin(), entry.companions.end(), NameLess());
    }
    TakenDates takenDates(folderFd, listed, byDate);
    for (const std::string& name : SeparateLaterVideos(listing.entries, std::ref(takenDates))) {
        if (!allTypes) continue;
        listing.entries.push_back(entryOf(name));
        files.push_back(static_cast<size_t>(
            std::find(listed.names.begin(), listed.names.end(), name) - listed.names.begin()));
    }
    if (!byDate) return;
    for (size_t file : files) {
        if (!listed.dates[file].inside) listing.someWithoutDate = true;
        listing.dates.push_back(std::move(listed.dates[file]));
    }
}

}  // namespace

ProgressSteps::ProgressSteps(const ListProgress& progress, int total)
    : progress_(progress),
      total_(total),
      step_(std::max(1, total / 200)),
      next_(step_),
      last_(std::chrono::steady_clock::now()) {
    if (progress_) progress_(0, total_);
}

void ProgressSteps::advance(int done) {
    if (!progress_) return;
    const auto now = std::chrono::steady_clock::now();
    if (done < next_ && done < total_ && now - last_ < kProgressInterval) return;
    progress_(done, total_);
    next_ = (done / step_ + 1) * step_;
    last_ = now;
}

std::string ListedDateText(const ListedDate& date, std::string_view fileDatePrefix) {
    if (date.inside) return date.inside->text;
    std::string text(fileDatePrefix);
    text += ' ';
    text += FormatFileTime(date.fileTime);
    return text;
}

std::string DateSortKey(const std::string* dateText) {
    std::string key = dateText ? dateText->substr(0, kDateTextLength) : std::string();
    key.resize(kDateTextLength, ' ');
    return key;
}

void OrderListing(FolderListing& listing, ListCriterion criterion) {
    const bool byDate =
        criterion == ListCriterion::Date && listing.dates.size() == listing.entries.size();
    sortByKeys(listing.entries, listing.dates, sortKeysOf(listing, byDate));
}

FolderListing ListFolderOrdered(const std::string& folder, std::string_view fileType,
                                ListCriterion criterion, const ListProgress& progress,
                                const FirstPictureTest& firstPictureTest) {
    FolderListing listing;
    std::optional<std::vector<std::string>> names = ListRegularFiles(folder);
    FolderHandle handle(folder);
    if (!names || handle.fd() < 0) {
        listing.readable = false;
        return listing;
    }
    const int total = static_cast<int>(names->size());
    ProgressSteps steps(progress, total);
    const bool byDate = criterion == ListCriterion::Date;
    const bool allTypes = fileType == kAllTypes;
    const auto isListed = [&](const std::string& name) {
        return allTypes ? ClassOfFile(name) != FileClass::Other : hasFileType(name, fileType);
    };
    std::vector<PictureHead> heads;
    if (byDate) heads = readHeadsOfType(handle.fd(), *names, isListed, steps);
    size_t headIndex = 0;
    ListedFiles listed;
    std::vector<std::string> others;  // every file not of the type: a picture's companion maybe
    for (int i = 0; i < total; ++i) {
        const std::string& name = (*names)[i];
        if (!byDate) steps.advance(i + 1);
        if (!isListed(name)) {
            others.push_back(name);
            continue;
        }
        Examined examined = byDate ? examineHead(handle.fd(), name, std::move(heads[headIndex++]))
                                   : examineByStatus(handle.fd(), name);
        if (!examined.listed) continue;
        PictureEntry entry = entryOf(name);
        if (criterion == ListCriterion::Init && listing.entries.empty() && firstPictureTest &&
            !firstPictureTest(entry.base)) {
            listing.count = -1;
            steps.advance(total);
            return listing;
        }
        listed.names.push_back(name);
        if (byDate) listed.dates.push_back(std::move(examined.date));
        listing.entries.push_back(std::move(entry));
    }
    listing.names = NameMatchIn(handle.fd(), *names, true);
    makeEntries(listing, listed, others, handle.fd(), allTypes, byDate);
    if (byDate) {
        listing.zone = FindFolderZone(listing.dates);
        PlaceInFolderZone(listing.dates, listing.zone);
    }
    sortByKeys(listing.entries, listing.dates, sortKeysOf(listing, byDate));
    listing.count = static_cast<int>(listing.entries.size());
    return listing;
}

std::vector<std::string> CompanionNamesOf(const std::string& folder, const std::string& fileName) {
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos) return {};
    const std::string fileType = ToLowerAscii(fileName.substr(dot + 1));
    std::vector<std::string> names;
    for (const PictureEntry& entry :
         ListFolderOrdered(folder, fileType, ListCriterion::Name).entries) {
        if (entry.fileName() != fileName) continue;
        for (const std::string& rest : entry.companions) names.push_back(entry.base + rest);
    }
    return names;
}

}  // namespace lumaro
