// Finding the Exif item of a HEIF picture in its metadata box, every length checked.
#include "core/datefields/heifdatefields.h"

#include <cstdint>
#include <optional>

#include "core/datefields/boxes.h"
#include "core/datefields/tiffdatefields.h"

namespace lumaro {

namespace {

// Where an item's bytes lie: in the file, or in the item data box.
struct ItemPlace {
    bool inItemData = false;
    uint64_t offset = 0;
    uint64_t length = 0;
};

// Reads the fields of the item locations box one after the other, within the box.
class FieldReader {
public:
    FieldReader(std::string_view file, size_t at, size_t end) : file_(file), at_(at), end_(end) {}
    uint64_t next(int width) {
        if (width == 0) return 0;
        if (failed_ || width > 8 || end_ - at_ < static_cast<size_t>(width)) {
            failed_ = true;
            return 0;
        }
        const uint64_t value = bytes::Read(file_, at_, width, true);
        at_ += static_cast<size_t>(width);
        return value;
    }
    bool failed() const { return failed_; }

private:
    std::string_view file_;
    size_t at_;
    size_t end_;
    bool failed_ = false;
};

// The id of the first item of type "Exif" in the item information box.
std::optional<uint32_t> exifItemId(std::string_view file, const Box& info) {
    if (info.end - info.payload < 6) return std::nullopt;
    const size_t first = info.payload + (bytes::Byte(file, info.payload) == 0 ? 6 : 8);
    std::optional<uint32_t> found;
    ForEachBox(file, first, info.end, [&](const Box& entry) {
        if (found || entry.type != "infe" || entry.end - entry.payload < 4) return;
        const int version = bytes::Byte(file, entry.payload);
        if (version < 2) return;
        const int idWidth = version == 2 ? 2 : 4;
        const size_t type = entry.payload + 4 + static_cast<size_t>(idWidth) + 2;
        if (type + 4 > entry.end || file.substr(type, 4) != "Exif") return;
        found = static_cast<uint32_t>(bytes::Read(file, entry.payload + 4, idWidth, true));
    });
    return found;
}

// The place of item `id` in the item locations box, when it lies in one extent.
std::optional<ItemPlace> placeOf(std::string_view file, const Box& locations, uint32_t id) {
    FieldReader r(file, locations.payload, locations.end);
    const int version = static_cast<int>(r.next(1));
    r.next(3);
    const uint64_t sizes = r.next(2);
    const int offsetSize = static_cast<int>(sizes >> 12),
              lengthSize = static_cast<int>(sizes >> 8 & 15);
    const int baseSize = static_cast<int>(sizes >> 4 & 15);
    const int indexSize = version == 1 || version == 2 ? static_cast<int>(sizes & 15) : 0;
    const uint64_t count = r.next(version < 2 ? 2 : 4);
    for (uint64_t i = 0; i < count && !r.failed(); ++i) {
        const uint64_t itemId = r.next(version < 2 ? 2 : 4);
        const uint64_t method = version == 1 || version == 2 ? r.next(2) & 15 : 0;
        r.next(2);  // data reference
        const uint64_t base = r.next(baseSize);
        const uint64_t extents = r.next(2);
        ItemPlace place{method == 1, 0, 0};
        for (uint64_t e = 0; e < extents && !r.failed(); ++e) {
            r.next(indexSize);
            place.offset = base + r.next(offsetSize);
            place.length = r.next(lengthSize);
        }
        if (r.failed()) return std::nullopt;
        if (itemId == id) {
            if (extents != 1 || method > 1 || place.length == 0) return std::nullopt;
            return place;
        }
    }
    return std::nullopt;
}

}  // namespace

void FindHeifDateFields(std::string_view file, FileDates& found) {
    ForEachBox(file, 0, file.size(), [&](const Box& meta) {
        if (meta.type != "meta" || meta.end - meta.payload < 4) return;
        std::optional<Box> info, locations, data;
        ForEachBox(file, meta.payload + 4, meta.end, [&](const Box& box) {
            if (box.type == "iinf" && !info) info = box;
            if (box.type == "iloc" && !locations) locations = box;
            if (box.type == "idat" && !data) data = box;
        });
        if (!info || !locations) return;
        const std::optional<uint32_t> id = exifItemId(file, *info);
        const std::optional<ItemPlace> place = id ? placeOf(file, *locations, *id) : std::nullopt;
        if (!place || (place->inItemData && !data)) return;
        const uint64_t start = place->inItemData ? data->payload + place->offset : place->offset;
        const uint64_t limit = place->inItemData ? data->end : file.size();
        if (start > limit || place->length > limit - start || place->length < 4) return;
        // The item begins with the distance from its fifth byte to the TIFF block.
        const uint64_t tiff = start + 4 + bytes::Big32(file, start);
        if (tiff >= start + place->length) return;
        FindTiffDateFields(file, static_cast<size_t>(tiff),
                           static_cast<size_t>(start + place->length), found);
    });
}

}  // namespace lumaro
