// Telling a file's layout by its first bytes and gathering its date fields.
#include "core/datefields/datefields.h"

#include <algorithm>
#include <cstdint>

#include "core/datefields/heifdatefields.h"
#include "core/datefields/moviedatefields.h"
#include "core/datefields/stilldatefields.h"
#include "core/datefields/tiffdatefields.h"
#include "core/picturefile/containerdates.h"
#include "core/picturefile/heifcontent.h"
#include "core/picturefile/picturedate.h"

namespace lumaro {

namespace {

constexpr size_t kAppleDateLength = 19;

// The first boxes a QuickTime movie may begin with, without a file type box.
constexpr std::string_view kMovieFirstBoxes[] = {"moov", "mdat", "wide", "free", "skip", "pnot"};

DateLayout boxLayout(std::string_view file) {
    if (file.size() < 12) return DateLayout::Unknown;
    const std::string_view first = file.substr(4, 4);
    if (first == "ftyp") {
        if (LooksLikeHeif(file.substr(0, 64))) return DateLayout::Heif;
        // A raw file in boxes keeps its Exif in boxes of its own: no movie dates alone.
        return file.substr(8, 4) == "crx " ? DateLayout::Unknown : DateLayout::Movie;
    }
    return std::find(std::begin(kMovieFirstBoxes), std::end(kMovieFirstBoxes), first) !=
                   std::end(kMovieFirstBoxes)
               ? DateLayout::Movie
               : DateLayout::Unknown;
}

DateLayout layoutOf(std::string_view file, std::string_view fileName) {
    const auto* head = reinterpret_cast<const uint8_t*>(file.data());
    switch (KindOfPicture(head, std::min<size_t>(file.size(), 64), fileName)) {
        case PictureKind::Jpeg:
            return DateLayout::Jpeg;
        case PictureKind::Tiff:
            return DateLayout::Tiff;
        case PictureKind::Png:
            return DateLayout::Png;
        case PictureKind::WebP:
            return DateLayout::WebP;
        case PictureKind::Heif:
        case PictureKind::Unknown:
            break;
    }
    return boxLayout(file);
}

// Fields found twice (two entries giving one place) count once; a field overlapping the one
// before it, or the check sum, is dropped, so that no byte is ever rewritten twice.
void keepApart(FileDates& found) {
    std::sort(found.fields.begin(), found.fields.end(),
              [](const DateField& a, const DateField& b) { return a.offset < b.offset; });
    std::vector<DateField> apart;
    for (const DateField& field : found.fields) {
        const size_t size = DateFieldSize(field.kind);
        if (!apart.empty() && apart.back().offset + DateFieldSize(apart.back().kind) > field.offset)
            continue;
        if (found.checksum && field.offset < found.checksum->at + 4 &&
            found.checksum->at < field.offset + size) {
            continue;
        }
        apart.push_back(field);
    }
    found.fields = std::move(apart);
}

}  // namespace

size_t DateFieldSize(DateFieldKind kind) {
    switch (kind) {
        case DateFieldKind::ExifText:
            return kDateTextLength;
        case DateFieldKind::AppleText:
            return kAppleDateLength;
        case DateFieldKind::MovieSeconds32:
            return 4;
        case DateFieldKind::MovieSeconds64:
            return 8;
    }
    return 0;
}

FileDates FindDateFields(std::string_view file, std::string_view fileName) {
    FileDates found;
    found.layout = layoutOf(file, fileName);
    switch (found.layout) {
        case DateLayout::Jpeg:
            FindJpegDateFields(file, found);
            break;
        case DateLayout::Tiff:
            FindTiffDateFields(file, 0, file.size(), found);
            break;
        case DateLayout::Png:
            FindPngDateFields(file, found);
            break;
        case DateLayout::WebP:
            FindWebpDateFields(file, found);
            break;
        case DateLayout::Heif:
            FindHeifDateFields(file, found);
            break;
        case DateLayout::Movie:
            FindMovieDateFields(file, found);
            break;
        case DateLayout::Unknown:
            break;
    }
    keepApart(found);
    return found;
}

std::string DeviceName(const FileDates& dates) {
    const Device& device = dates.device;
    std::string name = device.model;
    // "Canon" and "Canon EOS R5" name one camera: its model alone says it.
    if (!device.make.empty() && device.model.rfind(device.make, 0) != 0)
        name = device.make + (name.empty() ? "" : " " + name);
    if (!device.serial.empty()) name += (name.empty() ? "" : " ") + device.serial;
    if (!name.empty()) return name;
    return dates.layout == DateLayout::Movie ? "video" : "unknown";
}

}  // namespace lumaro
