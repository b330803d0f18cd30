// Fuzz target: the picture date reader on any bytes, written as a picture file.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

#include "core/picturefile/picturedate.h"
#include "scratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lumaro;
    static const std::string path = fuzz::ScratchFolder() + "picture.jpg";
    fuzz::WriteWholeFile(path, data, size);
    const std::optional<std::string> date = ReadInternalPictureDate(path);
    if (date && date->size() > kDateTextLength) std::abort();

    // The listing's road: one open relative to the folder, the emptiness from the same read.
    const int folderFd = open(fuzz::ScratchFolder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const PictureHead head = ReadPictureHeadAt(folderFd, "picture.jpg");
    close(folderFd);
    if (!head.opened || head.empty != (size == 0) || head.date != date) std::abort();
    return 0;
}
