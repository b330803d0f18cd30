// Fuzz target: the picture date reader on any bytes, written as a picture file, and on the
// bytes of a HEIF Exif item.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "core/picturefile/containerdates.h"
#include "core/picturefile/picturedate.h"
#include "scratch.h"

namespace {

using namespace lumaro;

bool isDateText(const std::optional<std::string>& date) {
    return !date || (date->size() == kDateTextLength &&
                     IsValidDateText(reinterpret_cast<const uint8_t*>(date->data())));
}

// A date with sub-seconds of digits only and an offset of less than a day.
bool isTakenDate(const std::optional<TakenDate>& date) {
    if (!date) return true;
    for (char c : date->subSeconds)
        if (c < '0' || c > '9') return false;
    return isDateText(date->text) && date->subSeconds.size() <= 9 &&
           (!date->offsetMinutes ||
            (*date->offsetMinutes > -24 * 60 && *date->offsetMinutes < 24 * 60));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // HEIF containers go to libheif, which is not built for fuzzing here and has its own
    // fuzzers; what this program does with the Exif item it returns is fuzzed below.
    if (size >= 8 && std::memcmp(data + 4, "ftyp", 4) == 0) return 0;
    if (!isTakenDate(HeifExifItemDate(data, size))) std::abort();

    // The type is told by the content; the name only decides for an unknown TIFF magic number.
    for (const char* name : {"picture.jpg", "picture.nef"}) {
        const std::string path = fuzz::ScratchFolder() + name;
        fuzz::WriteWholeFile(path, data, size);
        const std::optional<TakenDate> date = ReadTakenDate(path);
        if (!isTakenDate(date)) std::abort();

        // The listing's road: one open relative to the folder, the emptiness from the same read.
        const int folderFd =
            open(fuzz::ScratchFolder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const PictureHead head = ReadPictureHeadAt(folderFd, name);
        close(folderFd);
        if (!head.opened || head.empty != (size == 0) || head.date != date) std::abort();
    }
    return 0;
}
