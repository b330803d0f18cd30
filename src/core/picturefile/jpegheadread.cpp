// Reading the segments in front of the picture data of a JPEG file, and no more of it.
#include "core/picturefile/jpegheadread.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "core/picturefile/jpegsegments.h"

namespace lumaro {

namespace {

// Enough for the header of most camera pictures, Exif block and its small picture included.
constexpr size_t kFirstRead = 64 * 1024;
// The longest segment, with its marker and length, and a few fill bytes in front of it.
constexpr size_t kLongestSegment = 2 + 65535 + 64;

// Reads from `fd` until `head` holds `wanted` bytes or the file ends; false on a read error.
bool readUpTo(int fd, std::string& head, size_t wanted) {
    size_t done = head.size();
    head.resize(wanted);
    bool ok = true;
    while (done < wanted) {
        const ssize_t n = pread(fd, head.data() + done, wanted - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    head.resize(done);
    return ok;
}

}  // namespace

std::string ReadJpegHead(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    std::string head;
    size_t wanted = kFirstRead;
    for (;;) {
        if (!readUpTo(fd, head, wanted)) {
            head.clear();
            break;
        }
        if (head.size() < wanted || !LooksLikeJpeg(head)) break;  // the whole file, or no JPEG
        if (FindExifTurnFields(head).segment.size != 0) break;    // what comes later counts no more
        // The walk ran out of bytes only when a whole segment more would not fit after it.
        const std::vector<JpegSegment> segments = JpegHeaderSegments(head);
        const size_t end = segments.empty() ? 2 : segments.back().offset + segments.back().size;
        if (head.size() - end >= kLongestSegment) break;
        wanted = end + kLongestSegment;
    }
    close(fd);
    return head;
}

}  // namespace lumaro
