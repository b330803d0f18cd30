// Moving 2,000 pictures of 3 MB to another folder of the same disk, against a C program
// (plainmove.c) that copies each file, syncs the copy, drops its cached pages, reads it back from
// the disk and compares it with the source, then deletes the source. Each run moves every
// picture to the other folder, so the next run finds them there.
#include <sys/stat.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "benchsupport.h"
#include "core/files/transfer.h"

namespace {

using namespace lumaro::bench;

constexpr int kPictures = 2000;
constexpr size_t kPictureSize = size_t{3} << 20;
constexpr int kRounds = 3;

// The baseline's command line: every picture from `from` to `to`.
std::vector<std::string> plainMove(const std::string& from, const std::string& to,
                                   const std::vector<lumaro::PictureEntry>& pictures) {
    std::vector<std::string> arguments = {PLAINMOVE, from, to};
    for (const lumaro::PictureEntry& picture : pictures) arguments.push_back(picture.fileName());
    return arguments;
}

}  // namespace

int main() {
    TempFolder root("transfer");
    const std::string a = root.path() + "/a/", b = root.path() + "/b/";
    mkdir(a.c_str(), 0755);
    mkdir(b.c_str(), 0755);
    Random random(3);
    const std::string content = random.bytes(kPictureSize);
    std::vector<lumaro::PictureEntry> pictures;
    for (int i = 1; i <= kPictures; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "%04d  Vacances", i);
        pictures.push_back({name, ".jpg"});
        // Each picture its own bytes: the first ones differ.
        WriteFile(a, pictures.back().fileName(), std::to_string(i) + content);
    }
    const std::vector<std::string> aToB = plainMove(a, b, pictures);
    const std::vector<std::string> bToA = plainMove(b, a, pictures);
    // The baseline moves the pictures between a/ and b/, the measured code too: each finds
    // them where the other left them, so both always have the whole set.
    bool inA = true;
    const Timings t = TimeAlternately(
        [&] {
            if (!RunProgram(inA ? aToB : bToA)) throw std::runtime_error("plainmove failed");
            inA = !inA;
        },
        [&] {
            for (const lumaro::TransferOutcome& o :
                 lumaro::TransferPictures(inA ? a : b, pictures, inA ? b : a)) {
                if (!o.moved()) throw std::runtime_error("not moved: " + o.source);
            }
            inA = !inA;
        },
        kRounds);
    PrintBench("transfer", t, 1.3);
    return 0;
}
