// Fuzz target: the video date reader on any bytes, written as a video file, and the reader of
// the creation-date text on the same bytes.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

#include "core/picturefile/moviedate.h"
#include "core/picturefile/picturedate.h"
#include "scratch.h"

namespace {

using namespace lumaro;

bool isTakenDate(const std::optional<TakenDate>& date) {
    if (!date) return true;
    for (char c : date->subSeconds)
        if (c < '0' || c > '9') return false;
    return date->text.size() == kDateTextLength &&
           IsValidDateText(reinterpret_cast<const uint8_t*>(date->text.data())) &&
           date->subSeconds.size() <= 9 &&
           (!date->offsetMinutes ||
            (*date->offsetMinutes > -24 * 60 && *date->offsetMinutes < 24 * 60)) &&
           (!date->inUtc || date->offsetMinutes == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!isTakenDate(CreationDateText(std::string_view(reinterpret_cast<const char*>(data), size))))
        std::abort();
    const std::string path = fuzz::ScratchFolder() + "clip.mov";
    fuzz::WriteWholeFile(path, data, size);
    const std::optional<TakenDate> date = ReadTakenDate(path);
    if (!isTakenDate(date)) std::abort();

    // The listing's road gives the same date from its one open of the file.
    const int folderFd = open(fuzz::ScratchFolder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const PictureHead head = ReadPictureHeadAt(folderFd, "clip.mov");
    close(folderFd);
    if (!head.opened || head.empty != (size == 0) || head.date != date) std::abort();
    return 0;
}
