// The sorted name lists of the picture list, its undo pairs, and the check of a file type.
#include "core/naming/picturelist.h"

#include <algorithm>

#include "core/names/namecompare.h"

namespace lumaro {

std::vector<FileRename> FileRenamesOf(const RenamePair& pair) {
    std::vector<FileRename> renames;
    renames.reserve(1 + pair.from.companions.size());
    renames.push_back({pair.from.fileName(), pair.toFileName()});
    for (const std::string& rest : pair.from.companions) {
        renames.push_back({pair.from.base + rest, pair.toBase + rest});
    }
    return renames;
}

void SortedNameList::add(std::string name) {
    if (sorted_ && !names_.empty() && CompareNames(name, names_.back()) < 0) sorted_ = false;
    names_.push_back(std::move(name));
}

void SortedNameList::clear() {
    names_.clear();
    sorted_ = true;
}

const std::vector<std::string>& SortedNameList::items() const {
    if (!sorted_) {
        std::stable_sort(names_.begin(), names_.end(), NameLess());
        sorted_ = true;
    }
    return names_;
}

void PictureList::setUndoPairs(const std::vector<RenamePair>& pairs) {
    // Ordered by new name first, so that entry i of `apres` stays the partner of entry i of
    // `olds` whatever order the pairs came in.
    // Places are sorted, not the pairs themselves: thousands of names are never moved about.
    std::vector<size_t> order(pairs.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    const auto byNewName = [&pairs](size_t a, size_t b) {
        return CompareNames(pairs[a].toBase, pairs[b].toBase) < 0;
    };
    if (!std::is_sorted(order.begin(), order.end(), byNewName)) {
        std::stable_sort(order.begin(), order.end(), byNewName);
    }
    clearUndoPairs();
    olds.reserve(pairs.size());
    for (const size_t i : order) {
        apres.add(pairs[i].toBase);
        olds.push_back(pairs[i].from);
    }
}

void PictureList::clearUndoPairs() {
    apres.clear();
    olds.clear();
}

void PictureList::forgetPictures() {
    avant.clear();
    sorted.clear();
    clearUndoPairs();
    pictureCount = 0;
}

FileTypeCheck ValidateFileType(std::string_view fileType) {
    if (fileType.empty()) return FileTypeCheck::Empty;
    if (fileType.find_first_of(std::string_view("/.,\0", 4)) != std::string_view::npos) {
        return FileTypeCheck::NotInFileName;
    }
    return FileTypeCheck::Ok;
}

}  // namespace lumaro
