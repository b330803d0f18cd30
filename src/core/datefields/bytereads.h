// Bounded reads and writes of numbers inside a file held in memory: every read checks that
// its bytes lie inside the file first, so a length that lies never leads outside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumaro::bytes {

// Whether `count` bytes at `at` lie inside `data`.
inline bool Fits(std::string_view data, uint64_t at, uint64_t count) {
    return at <= data.size() && count <= data.size() - at;
}

inline uint8_t Byte(std::string_view data, size_t at) { return static_cast<uint8_t>(data[at]); }

// A number of `width` bytes (at most 8) at `at`; the caller has checked that it fits.
inline uint64_t Read(std::string_view data, size_t at, int width, bool bigEndian) {
    uint64_t value = 0;
    for (int i = 0; i < width; ++i) {
        const int index = bigEndian ? i : width - 1 - i;
        value = value << 8 | Byte(data, at + static_cast<size_t>(index));
    }
    return value;
}
inline uint32_t Big32(std::string_view data, size_t at) {
    return static_cast<uint32_t>(Read(data, at, 4, true));
}
inline uint32_t Little32(std::string_view data, size_t at) {
    return static_cast<uint32_t>(Read(data, at, 4, false));
}

inline void Write(std::string& data, size_t at, int width, uint64_t value, bool bigEndian) {
    for (int i = 0; i < width; ++i) {
        const int index = bigEndian ? width - 1 - i : i;
        data[at + static_cast<size_t>(index)] = static_cast<char>(value & 0xFF);
        value >>= 8;
    }
}

}  // namespace lumaro::bytes
