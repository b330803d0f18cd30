// The boxes of an ISO base media file (MP4, QuickTime, HEIF): each box's type and bounds,
// walked within its parent and never past it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/datefields/bytereads.h"

namespace lumaro {

struct Box {
    std::string_view type;
    size_t payload = 0;  // where its content starts, after the header
    size_t end = 0;      // one past its last byte
};

// Calls `visit(box)` for each box from `from` to `to` of `data`, in order; stops at a box
// whose header or length does not fit. A length of 0 runs to `to`.
template <typename Visit>
void ForEachBox(std::string_view data, size_t from, size_t to, Visit visit) {
    if (to > data.size()) to = data.size();
    size_t at = from;
    while (at <= to && to - at >= 8) {
        uint64_t size = bytes::Big32(data, at);
        size_t header = 8;
        if (size == 1) {
            if (to - at < 16) return;
            size = bytes::Read(data, at + 8, 8, true);
            header = 16;
        } else if (size == 0) {
            size = to - at;
        }
        if (size < header || size > to - at) return;
        visit(Box{data.substr(at + 4, 4), at + header, at + static_cast<size_t>(size)});
        at += static_cast<size_t>(size);
    }
}

}  // namespace lumaro
