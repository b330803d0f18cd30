// Correcting the clock of 1,000 camera pictures of 5 MB in place, against the floor of any
// rewrite that never leaves a cut file: `cp` of each picture into the same folder, the copy
// synced, and renamed over the picture. LUMARO_SHIFT_BENCH_FILES sets another count.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "benchsupport.h"
#include "core/clockshift/shiftfile.h"

namespace {

using namespace lumaro::bench;

constexpr size_t kPictureBytes = 5 * 1000 * 1000;
constexpr int kRounds = 3;

// A camera's JPEG file: its Exif segment with the camera and the three dates, then coded data
// that looks compressed.
std::string cameraPicture(Random& random) {
    std::string tiff("MM\0\x2a\0\0\0\x08\0\x03", 10);
    const auto entry = [&](uint16_t tag, uint32_t count, uint32_t value) {
        const char bytes[12] = {char(tag >> 8),
                                char(tag),
                                0,
                                2,
                                char(count >> 24),
                                char(count >> 16),
                                char(count >> 8),
                                char(count),
                                char(value >> 24),
                                char(value >> 16),
                                char(value >> 8),
                                char(value)};
        tiff.append(bytes, 12);
    };
    entry(0x010F, 6, 0x34);   // Make
    entry(0x0110, 13, 0x3A);  // Model
    entry(0x0132, 20, 0x47);  // DateTime
    tiff += std::string(4, '\0');
    tiff.resize(0x34, '\0');
    tiff += std::string(
        "Canon\0Canon EOS R5\0"
        "2024:07:14 10:21:33\0",
        39);
    tiff += std::string(30000, '\0');  // maker notes
    std::string segment("\xFF\xE1", 2);
    const size_t length = tiff.size() + 8;
    segment += static_cast<char>(length >> 8);
    segment += static_cast<char>(length & 0xFF);
    segment += std::string("Exif\0\0", 6) + tiff;
    std::string scan("\xFF\xDA\0\x08\x01\x01\0\0", 8);
    return "\xFF\xD8" + segment + scan + random.bytes(kPictureBytes - segment.size() - 12) +
           "\xFF\xD9";
}

void copySyncedAndRenamed(const std::string& path) {
    const std::string copy = path + ".copy";
    if (!RunProgram({"/bin/cp", "--preserve=mode,timestamps", path, copy}))
        throw std::runtime_error("cp failed");
    const int fd = open(copy.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || fsync(fd) != 0) throw std::runtime_error("cannot sync " + copy);
    close(fd);
    if (std::rename(copy.c_str(), path.c_str()) != 0) throw std::runtime_error("rename failed");
}

}  // namespace

int main() {
    const char* count = std::getenv("LUMARO_SHIFT_BENCH_FILES");
    const int files = count ? std::atoi(count) : 1000;
    TempFolder folder("shift");
    Random random(33);
    std::vector<std::string> paths;
    for (int i = 0; i < files; ++i) {
        const std::string name = "IMG_" + std::to_string(1000 + i) + ".JPG";
        WriteFile(folder.path(), name, cameraPicture(random));
        paths.push_back(folder.path() + "/" + name);
    }
    std::printf("shift: %d camera pictures of %.1f MB\n", files, kPictureBytes / 1e6);
    int sign = 1;  // forth and back, so the dates stay where they were
    const Timings t = TimeAlternately(
        [&] {
            for (const std::string& path : paths) copySyncedAndRenamed(path);
        },
        [&] {
            sign = -sign;
            for (const std::string& path : paths) {
                if (!lumaro::ShiftFileDates(path, sign * 3600, true).ok())
                    throw std::runtime_error("shift failed: " + path);
            }
        },
        kRounds);
    PrintBench("shift", t, 1.3);
    return 0;
}
