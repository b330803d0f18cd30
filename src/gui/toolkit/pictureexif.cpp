// Carrying a picture's Exif block over to its new JPEG bytes: upright, new sizes, no thumbnail.
#include "gui/toolkit/pictureexif.h"

#include <libexif/exif-data.h>
#include <libexif/exif-loader.h>
#include <libexif/exif-utils.h>

#include <cstdlib>
#include <memory>

#include "gui/toolkit/filebytes.h"

namespace lumaro {

namespace {

struct ExifDataRelease {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};
using ExifDataPtr = std::unique_ptr<ExifData, ExifDataRelease>;

ExifDataPtr loadExif(const QString& path) {
    ExifLoader* loader = exif_loader_new();
    exif_loader_write_file(loader, PathBytes(path).c_str());
    const unsigned char* buffer = nullptr;
    unsigned int size = 0;
    exif_loader_get_buf(loader, &buffer, &size);
    ExifDataPtr data;
    if (buffer != nullptr && size > 0) {
        data.reset(exif_data_new());
        // Read the block as it is stored: the repairs of the library would invent a date.
        exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
        exif_data_load_data(data.get(), buffer, size);
    }
    exif_loader_unref(loader);
    return data;
}

void setNumber(ExifData* data, ExifIfd ifd, ExifTag tag, int value) {
    ExifEntry* entry = exif_content_get_entry(data->ifd[ifd], tag);
    if (entry == nullptr || entry->data == nullptr || entry->components < 1) {
        return;
    }
    const ExifByteOrder order = exif_data_get_byte_order(data);
    if (entry->format == EXIF_FORMAT_SHORT && entry->size >= 2) {
        exif_set_short(entry->data, order, ExifShort(value));
    } else if (entry->format == EXIF_FORMAT_LONG && entry->size >= 4) {
        exif_set_long(entry->data, order, ExifLong(value));
    }
}

// The old thumbnail shows the picture as it was; a turned copy goes without one.
void dropThumbnail(ExifData* data) {
    std::free(data->data);  // exif_data_new allocates with the C allocator
    data->data = nullptr;
    data->size = 0;
    ExifContent* thumbnailIfd = data->ifd[EXIF_IFD_1];
    while (thumbnailIfd->count > 0) {
        exif_content_remove_entry(thumbnailIfd, thumbnailIfd->entries[0]);
    }
}

}  // namespace

QByteArray exifBlockForRewrite(const QString& path, int width, int height) {
    ExifDataPtr data = loadExif(path);
    if (!data) {
        return {};
    }
    setNumber(data.get(), EXIF_IFD_0, EXIF_TAG_ORIENTATION, 1);
    setNumber(data.get(), EXIF_IFD_EXIF, EXIF_TAG_PIXEL_X_DIMENSION, width);
    setNumber(data.get(), EXIF_IFD_EXIF, EXIF_TAG_PIXEL_Y_DIMENSION, height);
    dropThumbnail(data.get());
    unsigned char* buffer = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data.get(), &buffer, &size);
    QByteArray block;
    // A segment holds at most 65533 bytes after its length field.
    if (buffer != nullptr && size > 0 && size <= 65533) {
        block = QByteArray(reinterpret_cast<const char*>(buffer), qsizetype(size));
    }
    std::free(buffer);
    return block;
}

QByteArray jpegWithExif(const QByteArray& jpeg, const QByteArray& exifBlock) {
    if (exifBlock.isEmpty() || !jpeg.startsWith("\xFF\xD8")) {
        return jpeg;
    }
    // After the start marker, and after a JFIF segment when there is one: both readers then
    // find what they look for.
    qsizetype at = 2;
    if (jpeg.size() >= 6 && uchar(jpeg[2]) == 0xFF && uchar(jpeg[3]) == 0xE0) {
        at = 4 + ((uchar(jpeg[4]) << 8) | uchar(jpeg[5]));
    }
    if (at > jpeg.size()) {
        return jpeg;
    }
    const qsizetype length = exifBlock.size() + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char((length >> 8) & 0xFF)).append(char(length & 0xFF)).append(exifBlock);
    return QByteArray(jpeg).insert(at, segment);
}

}  // namespace lumaro
