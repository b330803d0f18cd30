// The known picture and video types, the groups of files that share a name, the live-picture rule.
#include "core/listing/picturegroups.h"

#include <algorithm>
#include <ctime>
#include <unordered_map>

#include "core/listing/instantorder.h"
#include "core/names/namecompare.h"

namespace lumaro {

namespace {

struct KnownType {
    std::string_view extension;
    FileClass fileClass;
};
constexpr KnownType kKnownTypes[] = {
    {"jpg", FileClass::Jpeg},      {"jpeg", FileClass::Jpeg},     {"heic", FileClass::Heif},
    {"heif", FileClass::Heif},     {"hif", FileClass::Heif},      {"avif", FileClass::Heif},
    {"png", FileClass::Rendered},  {"webp", FileClass::Rendered}, {"tif", FileClass::Rendered},
    {"tiff", FileClass::Rendered}, {"gif", FileClass::Rendered},  {"bmp", FileClass::Rendered},
    {"dng", FileClass::Raw},       {"nef", FileClass::Raw},       {"nrw", FileClass::Raw},
    {"cr2", FileClass::Raw},       {"cr3", FileClass::Raw},       {"arw", FileClass::Raw},
    {"srf", FileClass::Raw},       {"sr2", FileClass::Raw},       {"pef", FileClass::Raw},
    {"srw", FileClass::Raw},       {"orf", FileClass::Raw},       {"rw2", FileClass::Raw},
    {"raf", FileClass::Raw},       {"erf", FileClass::Raw},       {"3fr", FileClass::Raw},
    {"iiq", FileClass::Raw},       {"mp4", FileClass::Video},     {"mov", FileClass::Video},
    {"m4v", FileClass::Video},     {"3gp", FileClass::Video},     {"mts", FileClass::Video},
    {"m2ts", FileClass::Video},    {"avi", FileClass::Video},     {"mkv", FileClass::Video},
};
constexpr std::string_view kHevcSuffix = "_hevc";

std::string_view baseOf(std::string_view fileName) {
    return fileName.substr(0, fileName.rfind('.'));
}

// The offset to compare a date without one by: the other file's, else, beside a time known
// only in UTC, the computer's at that time.
int offsetFor(const TakenDate& date, const TakenDate& other) {
    if (date.offsetMinutes) return *date.offsetMinutes;
    if (!other.inUtc) return other.offsetMinutes.value_or(0);
    const std::time_t time = static_cast<std::time_t>(UtcSecondsOf(other, 0));
    std::tm local{};
    return localtime_r(&time, &local) ? static_cast<int>(local.tm_gmtoff / 60) : 0;
}

// The groups by name without extension, in the order of their first file.
std::vector<std::vector<size_t>> groupsByName(const std::vector<std::string>& files) {
    std::vector<std::vector<size_t>> groups;
    std::unordered_map<std::string_view, size_t> byBase;
    for (size_t i = 0; i < files.size(); ++i) {
        const auto [at, added] = byBase.try_emplace(baseOf(files[i]), groups.size());
        if (added) groups.emplace_back();
        groups[at->second].push_back(i);
    }
    // A group of videos named after a still's name with "_HEVC" joins that still's group.
    for (std::vector<size_t>& group : groups) {
        const std::optional<std::string_view> owner = HevcVideoOwner(files[group.front()]);
        const auto target = owner ? byBase.find(*owner) : byBase.end();
        if (target == byBase.end()) continue;
        std::vector<size_t>& stills = groups[target->second];
        const bool allVideos = std::all_of(group.begin(), group.end(), [&](size_t i) {
            return ClassOfFile(files[i]) == FileClass::Video;
        });
        const bool ownerHasStill = std::any_of(
            stills.begin(), stills.end(), [&](size_t i) { return IsStill(ClassOfFile(files[i])); });
        if (!allVideos || !ownerHasStill) continue;
        stills.insert(stills.end(), group.begin(), group.end());
        group.clear();
    }
    return groups;
}

// Whether the rest of a companion's name is a still or video of the entry's own name: an
// extension alone, or "_HEVC" and a video extension.
bool isSameNameFile(std::string_view rest) {
    if (rest.empty() || rest.find('.') != rest.rfind('.')) return false;
    if (rest[0] == '.') return true;
    return rest.size() > kHevcSuffix.size() &&
           ToLowerAscii(rest.substr(0, kHevcSuffix.size())) == kHevcSuffix &&
           rest[kHevcSuffix.size()] == '.' && ClassOfFile(rest) == FileClass::Video;
}

}  // namespace

FileClass ClassOfFile(std::string_view fileName) {
    const size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return FileClass::Other;
    const std::string extension = ToLowerAscii(fileName.substr(dot + 1));
    for (const KnownType& type : kKnownTypes) {
        if (type.extension == extension) return type.fileClass;
    }
    return FileClass::Other;
}

std::optional<std::string_view> HevcVideoOwner(std::string_view fileName) {
    if (ClassOfFile(fileName) != FileClass::Video) return std::nullopt;
    const std::string_view base = baseOf(fileName);
    if (base.size() <= kHevcSuffix.size() ||
        ToLowerAscii(base.substr(base.size() - kHevcSuffix.size())) != kHevcSuffix) {
        return std::nullopt;
    }
    return base.substr(0, base.size() - kHevcSuffix.size());
}

bool TakenTogether(const std::optional<TakenDate>& still, const std::optional<TakenDate>& video) {
    if (!still || !video) return true;
    const long long apart = UtcSecondsOf(*still, offsetFor(*still, *video)) -
                            UtcSecondsOf(*video, offsetFor(*video, *still));
    return apart <= kLivePictureSeconds && -apart <= kLivePictureSeconds;
}

std::vector<size_t> GroupFiles(const std::vector<std::string>& files,
                               std::vector<PictureEntry>& entries) {
    std::vector<size_t> pictures;
    for (const std::vector<size_t>& group : groupsByName(files)) {
        if (group.empty()) continue;
        const size_t picture =
            *std::min_element(group.begin(), group.end(), [&](size_t a, size_t b) {
                const FileClass ca = ClassOfFile(files[a]), cb = ClassOfFile(files[b]);
                return ca != cb ? ca < cb : a < b;
            });
        const std::string& name = files[picture];
        const size_t dot = name.rfind('.');
        PictureEntry entry{name.substr(0, dot), name.substr(dot)};
        std::vector<size_t> others = group;
        std::sort(others.begin(), others.end());
        for (size_t i : others) {
            if (i != picture) entry.companions.push_back(files[i].substr(dot));
        }
        entries.push_back(std::move(entry));
        pictures.push_back(picture);
    }
    return pictures;
}

std::vector<std::string> SeparateLaterVideos(std::vector<PictureEntry>& entries,
                                             const TakenDateOf& takenDateOf) {
    std::vector<std::string> separated;
    for (PictureEntry& entry : entries) {
        const FileClass own = ClassOfFile(entry.extension);
        if (own == FileClass::Other) continue;
        std::erase_if(entry.companions, [&](const std::string& rest) {
            if (!isSameNameFile(rest)) return false;
            const FileClass other = ClassOfFile(rest);
            const bool stillFirst = IsStill(own) && other == FileClass::Video;
            const bool videoFirst = own == FileClass::Video && IsStill(other) && rest[0] == '.';
            if (!stillFirst && !videoFirst) return false;
            const std::string companion = entry.base + rest;
            const std::optional<TakenDate> ownDate = takenDateOf(entry.fileName());
            const std::optional<TakenDate> otherDate = takenDateOf(companion);
            if (stillFirst ? TakenTogether(ownDate, otherDate) : TakenTogether(otherDate, ownDate))
                return false;
            separated.push_back(companion);
            return true;
        });
    }
    return separated;
}

}  // namespace lumaro
