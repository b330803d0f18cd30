// Telling a HEIF picture by the brands of its first box.
#include "core/picturefile/heifcontent.h"

#include <algorithm>
#include <array>

namespace lumaro {

namespace {

// Still pictures and sequences of pictures in HEVC (phones and cameras), AV1, and the brands of
// the container itself.
constexpr std::array<std::string_view, 13> kHeifBrands = {"heic", "heix", "heim", "heis", "hevc",
                                                          "hevx", "hevm", "hevs", "mif1", "mif2",
                                                          "msf1", "avif", "avis"};

bool isHeifBrand(std::string_view brand) {
    return std::find(kHeifBrands.begin(), kHeifBrands.end(), brand) != kHeifBrands.end();
}

}  // namespace

bool LooksLikeHeif(std::string_view head) {
    if (head.size() < 12 || head.substr(4, 4) != "ftyp") return false;
    if (isHeifBrand(head.substr(8, 4))) return true;
    // The box: its size, "ftyp", the main brand, a minor version, then the compatible brands.
    const auto byte = [&](size_t at) { return size_t(static_cast<unsigned char>(head[at])); };
    const size_t boxSize = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
    const size_t end = std::min(head.size(), boxSize);
    for (size_t at = 16; at + 4 <= end; at += 4) {
        if (isHeifBrand(head.substr(at, 4))) return true;
    }
    return false;
}

}  // namespace lumaro
