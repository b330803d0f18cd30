// The Snapkeep rules: thumbnail captions, the files of a set and the plan of a save.
#include "core/snapkeep/snapkeep.h"

#include <algorithm>

#include "core/disks/namecase.h"
#include "core/files/createfolder.h"
#include "core/files/fileoperations.h"
#include "core/files/folderentries.h"
#include "core/names/freename.h"
#include "core/names/namecompare.h"
#include "core/names/utf8prefix.h"
#include "core/naming/numberedname.h"

namespace lumaro {

namespace {
bool isSetPicture(const std::string& fileName) {
    const std::string extension = ToLowerAscii(ExtensionOf(fileName));
    return extension == "jpg" || extension == "jpeg";
}

// The base name of each picture's copy: its own, or, when an earlier copy of the save has it
// already, "<base> (2)", "(3)"..., never the own name of another picture of the save; names
// compared as the chosen folder compares them.
std::vector<std::string> copyBasesOf(const std::vector<PictureEntry>& pictures, size_t count,
                                     NameMatch match) {
    NameSet<std::string> taken = MakeNameSet<std::string>(match);
    for (size_t i = 0; i < count; ++i) taken.insert(pictures[i].base);
    NameSet<std::string> given = MakeNameSet<std::string>(match);
    std::vector<std::string> bases;
    for (size_t i = 0; i < count; ++i) {
        const std::string& own = pictures[i].base;
        std::string base = own;
        for (int n = 2; given.count(base) != 0 || (base != own && taken.count(base) != 0); ++n) {
            base = NthFreeName(own, n);
        }
        given.insert(base);
        bases.push_back(std::move(base));
    }
    return bases;
}

}  // namespace

std::string_view CaptionPartOf(std::string_view name) {
    const size_t separator = name.find(kCaptionSeparator);
    return separator == std::string_view::npos ? name
                                               : name.substr(separator + kCaptionSeparator.size());
}

std::string CaptionPartOf(std::string_view name, size_t limit) {
    const std::string_view caption = CaptionPartOf(name);
    return std::string(FirstCharacters(caption, limit));
}

std::string WithThumbnailCaption(std::string_view box, std::string_view caption) {
    std::string text(box);
    if (!text.empty()) text += ", ";
    return text.append(caption);
}

// The click that comes before a double click appended the caption: the last whole item that is
// the caption is the one to take out.
std::string WithoutThumbnailCaption(std::string_view box, std::string_view caption) {
    constexpr std::string_view separator = ", ";
    if (caption.empty()) return std::string(box);
    for (size_t at = box.rfind(caption); at != std::string_view::npos;
         at = at == 0 ? std::string_view::npos : box.rfind(caption, at - 1)) {
        const size_t end = at + caption.size();
        if (at > 0 && !box.substr(0, at).ends_with(separator)) continue;
        if (end < box.size() && !box.substr(end).starts_with(separator)) continue;
        if (at > 0)
            return std::string(box.substr(0, at - separator.size())).append(box.substr(end));
        return std::string(box.substr(std::min(box.size(), end + separator.size())));
    }
    return std::string(box);
}

SnapkeepLoadStart StartSnapkeepLoad(const std::string& defaultFolder) {
    if (IsListableFolder(defaultFolder)) return {false, defaultFolder};
    // Not listable: either missing, and made now, or unusable (a file in its place, a folder
    // that cannot be read or made), which must not keep the user from every other folder.
    if (CreateFolder(defaultFolder) == 0 && IsListableFolder(defaultFolder))
        return {true, defaultFolder};
    return {false, HomeFolder()};
}

std::optional<std::vector<SnapkeepPicture>> SnapkeepSetIn(const std::string& folder) {
    const auto files = ListRegularFiles(folder);
    if (!files) return std::nullopt;
    std::vector<SnapkeepPicture> set;
    for (const std::string& name : *files) {
        if (set.size() == kSnapkeepCount) break;
        if (isSetPicture(name)) set.push_back({name, std::string(CaptionPartOf(BaseNameOf(name)))});
    }
    return set;
}

SnapkeepSavePlan PlanSnapkeepSave(const std::vector<PictureEntry>& pictures,
                                  const std::string& pictureFolder,
                                  const std::string& chosenFolder) {
    using Outcome = SnapkeepSavePlan::Outcome;
    SnapkeepSavePlan plan;
    plan.folder = WithTrailingSeparator(chosenFolder);
    // Checked before and after the folder is made: a path that climbs back through a new
    // folder ("new/../") may still end in the picture folder.
    if (IsSameFolder(plan.folder, pictureFolder)) {
        plan.outcome = Outcome::PictureFolder;
    } else if (CreateFolder(plan.folder) != 0) {
        plan.outcome = Outcome::CannotCreate;
    } else if (IsSameFolder(plan.folder, pictureFolder)) {
        plan.outcome = Outcome::PictureFolder;
    }
    if (plan.outcome != Outcome::Ready) return plan;

    const size_t count = std::min<size_t>(pictures.size(), kSnapkeepCount);
    plan.moreThanTwelve = pictures.size() > kSnapkeepCount;
    const TakenNames onDisk(plan.folder, NameMatchOfFolder(plan.folder));
    const std::vector<std::string> bases = copyBasesOf(pictures, count, onDisk.match());
    for (size_t i = 0; i < count; ++i) {
        const PictureEntry& entry = pictures[i];
        SnapkeepCopy copy{static_cast<int>(i), pictureFolder + entry.fileName(),
                          plan.folder + bases[i], bases[i] + ".jpg",
                          std::string(CaptionPartOf(entry.base))};
        if (onDisk.taken(copy.copyName)) plan.existing.push_back(copy.copyName);
        plan.copies.push_back(std::move(copy));
    }
    return plan;
}

}  // namespace lumaro
