// Fuzz target: the date fields of any bytes taken as a picture or video, shifted in memory and
// back. The fields lie inside the file and apart, a shift changes no byte outside them and
// their check sum, and shifting back gives the bytes that were there.
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/clockshift/shiftdates.h"
#include "core/datefields/datefields.h"

namespace {

using namespace lumaro;

// The bytes a shift may change: the fields and the check sum.
std::string changeable(const FileDates& dates, size_t size) {
    std::string mask(size, '\0');
    size_t end = 0;
    for (const DateField& field : dates.fields) {
        const size_t fieldSize = DateFieldSize(field.kind);
        if (field.offset < end || field.offset > size || fieldSize > size - field.offset)
            std::abort();  // overlapping or outside the file
        end = field.offset + fieldSize;
        mask.replace(field.offset, fieldSize, fieldSize, '\1');
    }
    if (dates.checksum) {
        const ChecksumSpan& sum = *dates.checksum;
        if (sum.at > size || size - sum.at < 4 || sum.start > size || sum.length > size - sum.start)
            std::abort();
        mask.replace(sum.at, 4, 4, '\1');
    }
    return mask;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    constexpr int64_t kAmounts[] = {3723, -400 * 86400, kLongestShift, -kLongestShift, 1, -1};
    const int64_t seconds = kAmounts[data[0] % 6];
    const std::string original(reinterpret_cast<const char*>(data) + 1, size - 1);
    // The name only decides for a TIFF byte-order mark of no known magic number.
    for (const char* name : {"file.jpg", "file.nef"}) {
        const FileDates dates = FindDateFields(original, name);
        const std::string mask = changeable(dates, original.size());
        std::string shifted = original;
        if (!ShiftDatesInBytes(shifted, dates, seconds)) {
            if (shifted != original) std::abort();  // a refused shift leaves the bytes
            continue;
        }
        if (shifted.size() != original.size()) std::abort();
        for (size_t i = 0; i < original.size(); ++i)
            if (!mask[i] && shifted[i] != original[i]) std::abort();
        if (!ShiftDatesInBytes(shifted, dates, -seconds) || shifted != original) std::abort();
    }
    return 0;
}
