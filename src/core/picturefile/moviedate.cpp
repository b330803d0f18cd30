// Finding the moment of taking in the boxes of an ISO base media video, box by box.
#include "core/picturefile/moviedate.h"

#include <array>
#include <cctype>
#include <cstring>
#include <ctime>

#include "core/picturefile/picturedate.h"

namespace lumaro {

namespace {

constexpr int64_t kSecondsFrom1904To1970 = 2082844800;
// More boxes than this side by side in one box: no video writes that many, the walk stops.
constexpr int kMostBoxes = 4096;
constexpr std::string_view kCreationKey = "com.apple.quicktime.creationdate";
constexpr size_t kLongestCreationText = 40;
constexpr uint32_t kUtf8Text = 1;

uint32_t bigEndian32(const uint8_t* b) {
    return uint32_t{b[0]} << 24 | uint32_t{b[1]} << 16 | uint32_t{b[2]} << 8 | b[3];
}
uint64_t bigEndian64(const uint8_t* b) {
    return uint64_t{bigEndian32(b)} << 32 | bigEndian32(b + 4);
}

struct Box {
    uint64_t content = 0;  // where its content starts, after its header
    uint64_t end = 0;      // where the box ends
    std::array<uint8_t, 4> type{};

    bool is(const char* name) const { return std::memcmp(type.data(), name, 4) == 0; }
};

// The box at `at` inside a parent ending at `end`; nothing when its header is not in the file
// or its size does not fit the parent. A size of 0 runs to the parent's end.
std::optional<Box> boxAt(PictureBytes& bytes, uint64_t at, uint64_t end) {
    uint8_t b[16];
    if (at >= end || end - at < 8 || !bytes.read(at, 8, b)) return std::nullopt;
    uint64_t size = bigEndian32(b);
    uint64_t header = 8;
    if (size == 1) {
        if (end - at < 16 || !bytes.read(at + 8, 8, b + 8)) return std::nullopt;
        size = bigEndian64(b + 8);
        header = 16;
    } else if (size == 0) {
        size = end - at;
    }
    if (size < header || size > end - at) return std::nullopt;
    Box box{at + header, at + size, {}};
    std::memcpy(box.type.data(), b + 4, 4);
    return box;
}

// Calls `visit` with each child box of the span from `at` to `end` until it returns true.
template <typename Visit>
void forEachBox(PictureBytes& bytes, uint64_t at, uint64_t end, Visit visit) {
    for (int i = 0; i < kMostBoxes; ++i) {
        const std::optional<Box> box = boxAt(bytes, at, end);
        if (!box || visit(*box)) return;
        at = box->end;
    }
}

// The 1-based index of the creation-date key in a keys box; 0 when it holds none.
uint32_t creationKeyIndex(PictureBytes& bytes, const Box& keys) {
    uint8_t b[8 + kCreationKey.size()];
    if (!bytes.read(keys.content, 8, b)) return 0;
    const uint32_t count = bigEndian32(b + 4);
    uint64_t at = keys.content + 8;
    for (uint32_t index = 1; index <= count && index <= kMostBoxes; ++index) {
        if (at >= keys.end || keys.end - at < 8 || !bytes.read(at, 8, b)) return 0;
        const uint32_t size = bigEndian32(b);
        if (size < 8 || size > keys.end - at) return 0;
        if (size == sizeof b && bytes.read(at, sizeof b, b) &&
            std::memcmp(b + 8, kCreationKey.data(), kCreationKey.size()) == 0) {
            return index;
        }
        at += size;
    }
    return 0;
}

// The text of the first data box of the item list entry numbered `index`.
std::optional<TakenDate> itemDate(PictureBytes& bytes, const Box& items, uint32_t index) {
    std::optional<TakenDate> date;
    forEachBox(bytes, items.content, items.end, [&](const Box& item) {
        if (bigEndian32(item.type.data()) != index) return false;
        forEachBox(bytes, item.content, item.end, [&](const Box& data) {
            if (!data.is("data")) return false;
            uint8_t b[8 + kLongestCreationText];
            const uint64_t length = data.end - data.content;
            if (length < 8 || length > sizeof b || !bytes.read(data.content, length, b) ||
                (bigEndian32(b) & 0xFFFFFF) != kUtf8Text) {
                return true;
            }
            date = CreationDateText(
                std::string_view(reinterpret_cast<const char*>(b + 8), length - 8));
            return true;
        });
        return true;
    });
    return date;
}

// The creation date of the metadata box: the movie box's own meta has no version field, the
// one of the ISO family has one, so the first child is looked for at both places.
std::optional<TakenDate> metadataDate(PictureBytes& bytes, const Box& meta) {
    uint8_t b[8];
    uint64_t children = meta.content;
    if (bytes.read(meta.content, 8, b) && std::memcmp(b + 4, "hdlr", 4) != 0) children += 4;
    uint32_t index = 0;
    std::optional<TakenDate> date;
    forEachBox(bytes, children, meta.end, [&](const Box& box) {
        if (box.is("keys")) index = creationKeyIndex(bytes, box);
        if (box.is("ilst") && index != 0) date = itemDate(bytes, box, index);
        return date.has_value();
    });
    return date;
}

// The movie header's creation time as a date in UTC; nothing for 0 or a time out of range.
std::optional<TakenDate> headerDate(PictureBytes& bytes, const Box& header) {
    uint8_t b[12];
    if (header.end - header.content < 12 || !bytes.read(header.content, 12, b)) {
        return std::nullopt;
    }
    uint64_t created = bigEndian32(b + 4);
    if (b[0] == 1) {
        if (header.end - header.content < 16 || !bytes.read(header.content + 4, 8, b + 4)) {
            return std::nullopt;
        }
        created = bigEndian64(b + 4);
    }
    if (created == 0 || created > uint64_t{1} << 40) return std::nullopt;
    TakenDate date;
    date.text = UtcDateText(static_cast<std::time_t>(created) - kSecondsFrom1904To1970);
    if (date.text.empty()) return std::nullopt;
    date.offsetMinutes = 0;
    date.inUtc = true;
    return date;
}

std::optional<TakenDate> movieDate(PictureBytes& bytes, const Box& movie) {
    std::optional<Box> header, meta;
    forEachBox(bytes, movie.content, movie.end, [&](const Box& box) {
        if (box.is("mvhd") && !header) header = box;
        if (box.is("meta") && !meta) meta = box;
        return false;
    });
    if (meta) {
        if (std::optional<TakenDate> date = metadataDate(bytes, *meta)) return date;
    }
    return header ? headerDate(bytes, *header) : std::nullopt;
}

bool twoDigits(std::string_view text, size_t at) {
    return at + 2 <= text.size() && std::isdigit(static_cast<unsigned char>(text[at])) &&
           std::isdigit(static_cast<unsigned char>(text[at + 1]));
}

// The offset at the end of a creation-date text: "Z", "+hh:mm" or "+hhmm".
std::optional<int> offsetSuffix(std::string_view rest) {
    if (rest == "Z") return 0;
    if (rest.size() == 5 && twoDigits(rest, 1) && twoDigits(rest, 3)) {
        return OffsetMinutes(std::string(rest.substr(0, 3)) + ":" + std::string(rest.substr(3)));
    }
    return OffsetMinutes(rest);
}

}  // namespace

bool IsIsoMovieName(std::string_view fileName) {
    const size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return false;
    std::string ending(fileName.substr(dot + 1));
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ending == "mp4" || ending == "mov" || ending == "m4v" || ending == "3gp";
}

std::optional<TakenDate> ReadMovieDate(PictureBytes& bytes) {
    std::optional<TakenDate> date;
    forEachBox(bytes, 0, UINT64_MAX, [&](const Box& box) {
        if (box.is("moov")) date = movieDate(bytes, box);
        return box.is("moov");
    });
    return date;
}

std::optional<TakenDate> CreationDateText(std::string_view text) {
    if (text.size() < kDateTextLength || (text[10] != 'T' && text[10] != ' ')) return std::nullopt;
    std::string date(text.substr(0, kDateTextLength));
    for (size_t at : {4, 7}) {
        if (date[at] == '-') date[at] = ':';
    }
    date[10] = ' ';
    if (!IsValidDateText(reinterpret_cast<const uint8_t*>(date.data()))) return std::nullopt;
    TakenDate taken;
    taken.text = std::move(date);
    std::string_view rest = text.substr(kDateTextLength);
    if (!rest.empty() && rest[0] == '.') {
        size_t digits = 1;
        while (digits < rest.size() && std::isdigit(static_cast<unsigned char>(rest[digits])))
            ++digits;
        taken.subSeconds = SubSecondDigits(rest.substr(1, digits - 1));
        rest = rest.substr(digits);
    }
    if (!rest.empty()) {
        taken.offsetMinutes = offsetSuffix(rest);
        if (!taken.offsetMinutes) return std::nullopt;
    }
    return taken;
}

}  // namespace lumaro
