// Listing the pictures of a folder by file type, and ordering them by name or by picture date.
#include "core/listing/folderlisting.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <numeric>
#include <optional>
#include <string_view>

#include "core/files/folderentries.h"
#include "core/files/namecase.h"
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

// What a listing is ordered by: the base name, after the picture date for the date order.
std::string sortKey(const PictureEntry& entry, const ListedDate* date) {
    if (!date) return entry.base;
    return DateSortKey(date->inside ? &*date->inside : nullptr) + entry.base;
}

// The date order needs the head of every picture: they are read all at once, several reads in
// flight, before the pictures are listed in name order as one by one.
std::vector<PictureHead> readHeadsOfType(int folderFd, const std::vector<std::string>& names,
                                         std::string_view fileType, ProgressSteps& steps) {
    std::vector<const std::string*> typed;
    for (const std::string& name : names) {
        if (hasFileType(name, fileType)) typed.push_back(&name);
    }
    const int others = static_cast<int>(names.size() - typed.size());
    return ReadPictureHeads(folderFd, typed,
                            [&](size_t done) { steps.advance(others + static_cast<int>(done)); });
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
    if (date.inside) return *date.inside;
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
    std::vector<std::string> keys;
    keys.reserve(listing.entries.size());
    for (size_t i = 0; i < listing.entries.size(); ++i) {
        keys.push_back(sortKey(listing.entries[i], byDate ? &listing.dates[i] : nullptr));
    }
    sortByKeys(listing.entries, listing.dates, keys);
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
    std::vector<PictureHead> heads;
    if (byDate) heads = readHeadsOfType(handle.fd(), *names, fileType, steps);
    size_t headIndex = 0;
    std::vector<std::string> keys;
    std::vector<std::string> others;  // every file not of the type: a picture's companion maybe
    for (int i = 0; i < total; ++i) {
        const std::string& name = (*names)[i];
        if (!byDate) steps.advance(i + 1);
        if (!hasFileType(name, fileType)) {
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
        keys.push_back(sortKey(entry, byDate ? &examined.date : nullptr));
        if (byDate) {
            if (!examined.date.inside) listing.someWithoutDate = true;
            listing.dates.push_back(std::move(examined.date));
        }
        listing.entries.push_back(std::move(entry));
    }
    listing.names = NameMatchIn(handle.fd(), *names, true);
    attachCompanions(listing.entries, others, listing.names);
    sortByKeys(listing.entries, listing.dates, keys);
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
