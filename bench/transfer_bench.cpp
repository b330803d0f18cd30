// Moving 2,000 pictures of 3 MB to another folder of the same disk, against a plain loop that
// copies each file, syncs the copy, drops its cached pages, reads it back from the disk and
// compares it with the source, then deletes the source. Each run moves every picture to the
// other folder, so the next run finds them there.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "benchsupport.h"
#include "core/files/transfer.h"

namespace {

using namespace lumaro::bench;

constexpr int kPictures = 2000;
constexpr size_t kPictureSize = size_t{3} << 20;
constexpr int kRounds = 3;

// Reads both files from the start and compares them; throws when they differ.
void compareFromStart(int in, int out, std::vector<char>& buffer, std::vector<char>& copy) {
    for (off_t at = 0;; at += static_cast<off_t>(buffer.size())) {
        const ssize_t n = pread(in, buffer.data(), buffer.size(), at);
        const ssize_t m = pread(out, copy.data(), copy.size(), at);
        if (n != m || std::memcmp(buffer.data(), copy.data(), n > 0 ? n : 0) != 0)
            throw std::runtime_error("copy differs");
        if (n <= 0) return;
    }
}

void plainMove(const std::string& from, const std::string& to,
               const std::vector<lumaro::PictureEntry>& pictures, std::vector<char>& buffer) {
    std::vector<char> copy(buffer.size());
    for (const lumaro::PictureEntry& picture : pictures) {
        const std::string source = from + picture.fileName();
        const std::string target = to + picture.fileName();
        const int in = open(source.c_str(), O_RDONLY);
        const int out = open(target.c_str(), O_RDWR | O_CREAT | O_EXCL, 0644);
        if (in < 0 || out < 0) throw std::runtime_error("cannot open " + source);
        for (ssize_t n; (n = read(in, buffer.data(), buffer.size())) > 0;) {
            if (write(out, buffer.data(), static_cast<size_t>(n)) != n)
                throw std::runtime_error("write");
        }
        if (fsync(out) != 0) throw std::runtime_error("fsync");
        posix_fadvise(out, 0, 0, POSIX_FADV_DONTNEED);  // the copy as the disk holds it
        compareFromStart(in, out, buffer, copy);
        close(out);
        close(in);
        unlink(source.c_str());
    }
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
    std::vector<char> buffer(size_t{1} << 20);
    // The baseline moves the pictures between a/ and b/, the measured code too: each finds
    // them where the other left them, so both always have the whole set.
    bool inA = true;
    const Timings t = TimeAlternately(
        [&] {
            plainMove(inA ? a : b, inA ? b : a, pictures, buffer);
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
