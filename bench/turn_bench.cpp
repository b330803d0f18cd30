// Turning a 24-megapixel camera picture by 90 degrees in place, against the command-line tool of
// libjpeg-turbo (jpegtran -rotate 90 -copy all) on the same file writing a new file.
#include <spawn.h>
#include <sys/wait.h>
#include <turbojpeg.h>

#include <cstdio>
#include <string>
#include <vector>

#include "benchsupport.h"
#include "core/turning/turnpicture.h"

extern char** environ;

namespace {

using namespace lumaro::bench;

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kRounds = 9;

// A picture with the fine detail of a camera's: soft colour gradients under grain, so that it
// compresses to a camera-like size.
std::string cameraPicture() {
    Random random(24);
    std::vector<unsigned char> pixels(size_t(kWidth) * kHeight * 3);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const uint64_t grain = random.next();
            unsigned char* p = &pixels[(size_t(y) * kWidth + x) * 3];
            p[0] = static_cast<unsigned char>(x * 200 / kWidth + (grain & 31));
            p[1] = static_cast<unsigned char>(y * 200 / kHeight + ((grain >> 8) & 31));
            p[2] = static_cast<unsigned char>((x + y) * 100 / (kWidth + kHeight) +
                                              ((grain >> 16) & 31));
        }
    }
    tjhandle handle = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, pixels.data(), kWidth, 0, kHeight, TJPF_RGB, &out, &size, TJSAMP_420, 92,
                0);
    std::string jpeg(reinterpret_cast<const char*>(out), size);
    tjFree(out);
    tjDestroy(handle);
    // A camera's Exif block with its date, after the start of the picture.
    std::string tiff("MM\0\x2a\0\0\0\x08\0\x01\x01\x32\0\x02\0\0\0\x14\0\0\0\x1a\0\0\0\0", 26);
    tiff += std::string("2024:07:14 10:21:33\0", 20) + std::string(30000, '\0');  // maker notes
    std::string segment("\xFF\xE1", 2);
    const size_t length = tiff.size() + 8;
    segment += static_cast<char>(length >> 8);
    segment += static_cast<char>(length & 0xFF);
    segment += std::string("Exif\0\0", 6) + tiff;
    return jpeg.substr(0, 2) + segment + jpeg.substr(2);
}

void runJpegtran(const std::string& from, const std::string& to) {
    const char* argv[] = {"jpegtran", "-rotate",  "90",         "-copy", "all",
                          "-outfile", to.c_str(), from.c_str(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, "jpegtran", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        throw std::runtime_error("jpegtran is missing (Debian package libjpeg-turbo-progs)");
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("jpegtran failed");
}

}  // namespace

int main() {
    TempFolder folder("turn");
    const std::string picture = cameraPicture();
    WriteFile(folder.path(), "camera.jpg", picture);
    WriteFile(folder.path(), "copy.jpg", picture);
    std::printf("turn-jpeg: a %d x %d picture of %.1f MB\n", kWidth, kHeight, picture.size() / 1e6);
    const std::string source = folder.path() + "/camera.jpg";
    const std::string turned = folder.path() + "/turned.jpg";
    const std::string ours = folder.path() + "/copy.jpg";
    const Timings t = TimeAlternately([&] { runJpegtran(source, turned); },
                                      [&] {
                                          if (!lumaro::TurnPicture(ours, 90).ok())
                                              throw std::runtime_error("turn failed");
                                      },
                                      kRounds);
    PrintBench("turn-jpeg", t, 1.2);
    return 0;
}
