// Walking the two directories of a TIFF block that hold dates and the device, bounded by it.
#include "core/datefields/tiffdatefields.h"

#include <cstdint>
#include <optional>
#include <string>

#include "core/datefields/bytereads.h"
#include "core/picturefile/picturedate.h"
#include "core/picturefile/tiffdate.h"

namespace lumaro {

namespace {

constexpr size_t kEntrySize = 12;
constexpr uint16_t kTagMake = 0x010F;
constexpr uint16_t kTagModel = 0x0110;
constexpr uint16_t kTagDateTime = 0x0132;
constexpr uint16_t kTagExifDirectory = 0x8769;
constexpr uint16_t kTagOriginal = 0x9003;
constexpr uint16_t kTagDigitized = 0x9004;
constexpr uint16_t kTagSerial = 0xA431;
constexpr uint16_t kTypeAscii = 2;
constexpr uint32_t kLongestText = 256;

// The block: its bytes only, and its byte order.
struct Block {
    std::string_view bytes;
    size_t start;  // in the file
    bool bigEndian = false;

    uint32_t u16(size_t at) const {
        return static_cast<uint32_t>(bytes::Read(bytes, at, 2, bigEndian));
    }
    uint32_t u32(size_t at) const {
        return static_cast<uint32_t>(bytes::Read(bytes, at, 4, bigEndian));
    }
};

// One directory entry: its tag and where its value lies inside the block.
struct Entry {
    uint32_t tag = 0;
    uint32_t type = 0;
    uint32_t count = 0;
    size_t field = 0;  // its value field: the value itself, or where the value lies
    size_t value = 0;  // the value of a text: in the field up to 4 bytes, else where it points
};

// The entries of the directory at `offset`, up to its count or its last whole entry.
template <typename Visit>
void forEachEntry(const Block& block, uint64_t offset, Visit visit) {
    if (!bytes::Fits(block.bytes, offset, 2)) return;
    const uint32_t count = block.u16(offset);
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t at = offset + 2 + uint64_t{kEntrySize} * i;
        if (!bytes::Fits(block.bytes, at, kEntrySize)) return;
        Entry entry{block.u16(at), block.u16(at + 2), block.u32(at + 4), at + 8, at + 8};
        if (entry.type == kTypeAscii && entry.count > 4) entry.value = block.u32(at + 8);
        visit(entry);
    }
}

// The text of an ASCII entry, without its closing zeros and blanks; empty when it lies outside.
std::string textOf(const Block& block, const Entry& entry) {
    if (entry.type != kTypeAscii || entry.count > kLongestText ||
        !bytes::Fits(block.bytes, entry.value, entry.count)) {
        return {};
    }
    std::string text(block.bytes.substr(entry.value, entry.count));
    while (!text.empty() && (text.back() == '\0' || text.back() == ' ')) text.pop_back();
    return text.substr(0, text.find('\0'));
}

// Whether the entry holds a valid date text: its place in the file, or nothing.
std::optional<size_t> dateOf(const Block& block, const Entry& entry) {
    if (entry.type != kTypeAscii || entry.count < kDateTextLength ||
        !bytes::Fits(block.bytes, entry.value, kDateTextLength) ||
        !IsValidDateText(reinterpret_cast<const uint8_t*>(block.bytes.data() + entry.value))) {
        return std::nullopt;
    }
    return entry.value;
}

// The dates found, by tag, as the listing ranks them.
struct Dates {
    std::optional<size_t> exifOriginal, exifDigitized, firstOriginal, firstDigitized, modified;
};

void takeDate(const Block& block, const Entry& entry, std::optional<size_t>& slot,
              FileDates& found) {
    const std::optional<size_t> at = dateOf(block, entry);
    if (!at || slot) return;
    slot = at;
    found.fields.push_back({DateFieldKind::ExifText, block.start + *at});
}

std::string dateTextAt(const Block& block, const Dates& dates) {
    for (const std::optional<size_t>& at :
         {dates.exifOriginal, dates.exifDigitized, dates.firstOriginal, dates.modified}) {
        if (at) return std::string(block.bytes.substr(*at, kDateTextLength));
    }
    return {};
}

}  // namespace

void FindTiffDateFields(std::string_view file, size_t start, size_t end, FileDates& found) {
    if (start > end || end > file.size() || end - start < 8) return;
    Block block{file.substr(start, end - start), start};
    const std::string_view order = block.bytes.substr(0, 2);
    if (order != "II" && order != "MM") return;
    block.bigEndian = order == "MM";
    const uint32_t first = block.u32(4);
    if (first < 8) return;
    Dates dates;
    std::optional<uint32_t> exif;
    forEachEntry(block, first, [&](const Entry& entry) {
        if (entry.tag == kTagDateTime) takeDate(block, entry, dates.modified, found);
        if (entry.tag == kTagOriginal) takeDate(block, entry, dates.firstOriginal, found);
        if (entry.tag == kTagDigitized) takeDate(block, entry, dates.firstDigitized, found);
        if (entry.tag == kTagMake && found.device.make.empty())
            found.device.make = textOf(block, entry);
        if (entry.tag == kTagModel && found.device.model.empty())
            found.device.model = textOf(block, entry);
        if (entry.tag == kTagExifDirectory && !exif) exif = block.u32(entry.field);
    });
    if (exif && *exif != first) {
        forEachEntry(block, *exif, [&](const Entry& entry) {
            if (entry.tag == kTagOriginal) takeDate(block, entry, dates.exifOriginal, found);
            if (entry.tag == kTagDigitized) takeDate(block, entry, dates.exifDigitized, found);
            if (entry.tag == kTagSerial && found.device.serial.empty())
                found.device.serial = textOf(block, entry);
        });
    }
    if (found.date.empty()) found.date = dateTextAt(block, dates);
}

}  // namespace lumaro
