// Videos of the ISO base media family built box by box: the movie header, the phone's
// creation date in the metadata (keys and item list), media data before or after the movie.
#pragma once

#include <cstdint>
#include <string>

#include "jpegbytes.h"

namespace lumaro::moviebytes {

inline std::string Be32(uint32_t value) {
    std::string out;
    jpegbytes::put32(out, value, true);
    return out;
}

inline std::string Box(const std::string& type, const std::string& content) {
    return Be32(static_cast<uint32_t>(8 + content.size())) + type + content;
}
// A box whose size is written in the 64-bit field after its type.
inline std::string LargeBox(const std::string& type, const std::string& content) {
    return Be32(1) + type + Be32(0) + Be32(static_cast<uint32_t>(16 + content.size())) + content;
}

// The movie header, version 0 (32-bit times) or 1 (64-bit), created `created` seconds after
// 1904-01-01 in UTC.
inline std::string MovieHeader(uint64_t created, int version = 0) {
    std::string times = version == 0 ? Be32(static_cast<uint32_t>(created)) + Be32(0)
                                     : Be32(static_cast<uint32_t>(created >> 32)) +
                                           Be32(static_cast<uint32_t>(created)) + Be32(0) + Be32(0);
    return Box("mvhd", std::string(1, static_cast<char>(version)) + std::string(3, '\0') + times +
                           Be32(1000) + std::string(88, '\0'));
}

// A metadata box with the keys `key` (first) and "com.apple.quicktime.make", and the value
// `text` for the first key; `versioned`: with the version field of the ISO family's meta box.
inline std::string CreationMetadata(const std::string& text, bool versioned = false,
                                    const std::string& key = "com.apple.quicktime.creationdate") {
    const std::string other = "com.apple.quicktime.make";
    const std::string keys = Box("keys", Be32(0) + Be32(2) + Be32(8 + key.size()) + "mdta" + key +
                                             Be32(8 + other.size()) + "mdta" + other);
    const std::string items = Box("ilst", Box(Be32(2), Box("data", Be32(1) + Be32(0) + "Phone")) +
                                              Box(Be32(1), Box("data", Be32(1) + Be32(0) + text)));
    return Box("meta", (versioned ? Be32(0) : "") +
                           Box("hdlr", Be32(0) + Be32(0) + "mdta" + std::string(13, '\0')) + keys +
                           items);
}

// A video: its type box, then the movie box after or before `mediaBytes` of media data.
inline std::string Movie(const std::string& movieContent, size_t mediaBytes = 1000,
                         bool movieFirst = false) {
    const std::string type = Box("ftyp", "qt  " + Be32(0) + "qt  ");
    const std::string movie = Box("moov", movieContent);
    const std::string media = Box("mdat", std::string(mediaBytes, '\x11'));
    return type + (movieFirst ? movie + media : media + movie);
}

}  // namespace lumaro::moviebytes
