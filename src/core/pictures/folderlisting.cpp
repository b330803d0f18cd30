#include "pictures/folderlisting.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <numeric>
#include <optional>

#include "pictures/folderentries.h"
#include "pictures/namecompare.h"
#include "pictures/picturedate.h"

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

bool isNotEmpty(int folderFd, const std::string& name) {
    struct stat st;
    return fstatat(folderFd, name.c_str(), &st, 0) == 0 && st.st_size > 0;
}

struct Examined {
    bool listed = false;
    std::optional<std::string> date;
};

// For the date order the one read of the picture's head also tells an empty file, which
// spares a stat per picture; a file that cannot be opened is still listed when not empty.
Examined examine(int folderFd, const std::string& name, bool withDate) {
    if (withDate) {
        PictureHead head = ReadPictureHeadAt(folderFd, name.c_str());
        if (head.opened) return {!head.empty, std::move(head.date)};
    }
    return {isNotEmpty(folderFd, name), std::nullopt};
}

PictureEntry entryOf(const std::string& name) {
    const size_t dot = name.rfind('.');
    return {name.substr(0, dot), name.substr(dot)};
}

// Orders the entries by their keys with the program's name order; equal keys by extension.
void sortByKeys(std::vector<PictureEntry>& entries, const std::vector<std::string>& keys) {
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
}

}  // namespace

ProgressSteps::ProgressSteps(const ListProgress& progress, int total)
    : progress_(progress), total_(total), step_(std::max(1, total / 200)) {
    if (progress_) progress_(0, total_);
}

void ProgressSteps::advance(int done) {
    if (progress_ && (done % step_ == 0 || done >= total_)) progress_(done, total_);
}

std::string DateSortKey(const std::string* dateText) {
    std::string key = dateText ? dateText->substr(0, kDateTextLength) : std::string();
    key.resize(kDateTextLength, ' ');
    return key;
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
    std::vector<std::string> keys;
    for (int i = 0; i < total; ++i) {
        const std::string& name = (*names)[i];
        steps.advance(i + 1);
        if (!hasFileType(name, fileType)) continue;
        Examined examined = examine(handle.fd(), name, criterion == ListCriterion::Date);
        if (!examined.listed) continue;
        PictureEntry entry = entryOf(name);
        if (criterion == ListCriterion::Init && listing.entries.empty() && firstPictureTest &&
            !firstPictureTest(entry.base)) {
            listing.count = -1;
            steps.advance(total);
            return listing;
        }
        if (criterion == ListCriterion::Date) {
            const std::optional<std::string>& date = examined.date;
            if (!date) listing.someWithoutDate = true;
            keys.push_back(DateSortKey(date ? &*date : nullptr) + entry.base);
        } else {
            keys.push_back(entry.base);
        }
        listing.entries.push_back(std::move(entry));
    }
    sortByKeys(listing.entries, keys);
    listing.count = static_cast<int>(listing.entries.size());
    return listing;
}

}  // namespace lumaro
