// Pictures as real programs write them: made by the picture tools (convert, cwebp, heif-enc)
// and dated by exiftool, so the date readers meet the layouts of the files people keep.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "core/picturefile/jpegsegments.h"

namespace lumaro::realpictures {

inline bool Run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
inline void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Moves the eXIf chunk of a PNG to just before its end chunk, after the image data.
inline std::string ExifChunkLast(const std::string& png) {
    std::string chunks, exif;
    size_t at = 8;
    while (at + 12 <= png.size()) {
        const uint32_t length = uint32_t(uint8_t(png[at])) << 24 |
                                uint32_t(uint8_t(png[at + 1])) << 16 |
                                uint32_t(uint8_t(png[at + 2])) << 8 | uint8_t(png[at + 3]);
        const std::string chunk = png.substr(at, 12 + length);
        (chunk.compare(4, 4, "eXIf") == 0 ? exif : chunks) += chunk;
        at += 12 + length;
    }
    const size_t end = chunks.size() - 12;  // IEND, the last chunk
    return png.substr(0, 8) + chunks.substr(0, end) + exif + chunks.substr(end);
}

// Puts an ICC profile segment in front of the Exif segment of a JPEG.
inline std::string ProfileBeforeExif(const std::string& jpeg) {
    const ExifTurnFields exif = FindExifTurnFields(jpeg);
    if (exif.segment.size == 0) return jpeg;
    const std::string payload = std::string("ICC_PROFILE\0\x01\x01", 14) + std::string(600, '\x42');
    std::string profile("\xFF\xE2", 2);
    profile += char((payload.size() + 2) >> 8);
    profile += char((payload.size() + 2) & 0xFF);
    return jpeg.substr(0, exif.segment.offset) + profile + payload +
           jpeg.substr(exif.segment.offset);
}

enum class Layout { AsWritten, ExifAfterProfile, ExifAfterImageData };

// Writes `folder/name` (its type from the ending: jpg, tif, nef, png, webp, heic), a small
// picture carrying DateTimeOriginal `original` and DateTime `modified` where not empty.
inline void MakePicture(const std::string& folder, const std::string& name,
                        const std::string& original, const std::string& modified,
                        Layout layout = Layout::AsWritten) {
    const std::string type = name.substr(name.rfind('.') + 1);
    const std::string path = folder + name, png = folder + name + ".source.png";
    ASSERT_TRUE(Run("convert -size 48x32 gradient:red-blue '" + png + "'")) << "convert";
    std::string made;
    if (type == "webp") {
        made = "cwebp -quiet '" + png + "' -o '" + path + "'";
    } else if (type == "heic") {
        made = "heif-enc -q 60 '" + png + "' -o '" + path + "'";
    } else if (type == "nef") {  // a raw file is a TIFF block from its first byte: big-endian here
        made = "convert '" + png + "' -define tiff:endian=msb 'tiff:" + path + "'";
    } else {
        made = "convert '" + png + "' '" + path + "'";
    }
    ASSERT_TRUE(Run(made)) << made;
    std::remove(png.c_str());
    std::string dates;
    if (!original.empty()) dates += " '-DateTimeOriginal=" + original + "'";
    if (!modified.empty()) dates += " '-ModifyDate=" + modified + "'";
    // exiftool checks a raw file's own structure; the TIFF inside is written under its own name.
    const std::string written = type == "nef" ? path + ".tif" : path;
    if (written != path) std::rename(path.c_str(), written.c_str());
    if (!dates.empty()) {
        ASSERT_TRUE(Run("exiftool -q -overwrite_original" + dates + " '" + written + "'"));
    }
    if (written != path) std::rename(written.c_str(), path.c_str());
    if (layout == Layout::ExifAfterProfile) WriteAll(path, ProfileBeforeExif(ReadAll(path)));
    if (layout == Layout::ExifAfterImageData) WriteAll(path, ExifChunkLast(ReadAll(path)));
}

}  // namespace lumaro::realpictures
