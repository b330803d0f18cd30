#include "pictures/transfer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "pictures/fileoperations.h"

namespace lumaro {

namespace {

// Copies go by 1 MiB: one write of a whole camera picture was measured to cost several times
// as much as the same bytes written in pieces of this size.
constexpr size_t kChunk = size_t{1} << 20;
constexpr int kMostNameTries = 10000;

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void reset(int fd = -1) {
        if (fd_ >= 0) close(fd_);
        fd_ = fd;
    }
    // Closes now, reporting the error a delayed write may only show here.
    int closeNow() {
        const int result = close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// Reads up to `count` bytes at `offset`; fewer only at the end of the file. -1 on error.
ssize_t readFully(int fd, char* buffer, size_t count, off_t offset) {
    size_t done = 0;
    while (done < count) {
        const ssize_t n = pread(fd, buffer + done, count - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

// The copy of one picture, with the buffers reused from picture to picture.
class Mover {
public:
    Mover(const std::string& destination)
        : destination_(destination),
          folderFd_(open(destination.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

    TransferOutcome move(const std::string& source, const PictureEntry& picture) {
        TransferOutcome outcome{TransferOutcome::Status::CopyFailed, source, {}, 0};
        Descriptor in(open(source.c_str(), O_RDONLY | O_CLOEXEC));
        struct stat st;
        if (in.get() < 0 || fstat(in.get(), &st) != 0) {
            outcome.error = errno;
            if (errno == ENOENT) outcome.status = TransferOutcome::Status::SourceMissing;
            return outcome;
        }
        Descriptor out(createFree(picture, outcome.target));
        if (out.get() < 0) {
            outcome.error = errno;
            return outcome;
        }
        outcome.error = copyAndVerify(in.get(), out, st);
        if (outcome.error != 0) {
            unlink(outcome.target.c_str());
            outcome.target.clear();
            return outcome;
        }
        // Closed first, so that the file system frees the source at once.
        in.closeNow();
        if (unlink(source.c_str()) != 0) {
            // The picture stays where it was, and only there.
            outcome.error = errno;
            outcome.status = TransferOutcome::Status::SourceKept;
            unlink(outcome.target.c_str());
            outcome.target.clear();
            return outcome;
        }
        outcome.status = TransferOutcome::Status::Moved;
        return outcome;
    }

private:
    // A new file under the picture's name, or "name (2)", "name (3)"...: never an existing one.
    int createFree(const PictureEntry& picture, std::string& path) {
        for (int n = 1; n <= kMostNameTries; ++n) {
            path = destination_ + picture.base + (n == 1 ? "" : " (" + std::to_string(n) + ")") +
                   picture.extension;
            const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd >= 0 || errno != EEXIST) {
                if (fd < 0) path.clear();
                return fd;
            }
        }
        path.clear();
        errno = EEXIST;
        return -1;
    }

    // Copies, gives the copy the source's permissions and date, syncs it, then reads it back
    // and compares it with the source. 0, or the errno of the failure (EIO when they differ).
    int copyAndVerify(int in, Descriptor& out, const struct stat& st) {
        source_.resize(kChunk);
        off_t offset = 0;
        for (;;) {
            const ssize_t n = readFully(in, source_.data(), kChunk, offset);
            if (n < 0) return errno;
            if (n == 0) break;
            if (!WriteAllBytes(out.get(), std::string_view(source_.data(), static_cast<size_t>(n))))
                return errno ? errno : EIO;
            offset += n;
            if (static_cast<size_t>(n) < kChunk) break;
        }
        const timespec times[2] = {st.st_atim, st.st_mtim};
        if (fchmod(out.get(), st.st_mode & 0777) != 0 || futimens(out.get(), times) != 0) return errno;
        if (fsync(out.get()) != 0) return errno;
        // The copy's name must be on disk before the source goes.
        if (folderFd_.get() >= 0 && fsync(folderFd_.get()) != 0) return errno;
        const int error = sameBytes(in, out.get(), offset);
        if (out.closeNow() != 0 && error == 0) return errno;
        return error;
    }

    // Compares `size` bytes of both files, and that the copy has no more. A source of one
    // chunk is still in the buffer and is not read again.
    int sameBytes(int in, int out, off_t size) {
        const bool sourceInBuffer = size <= static_cast<off_t>(kChunk);
        copy_.resize(kChunk + 1);
        off_t offset = 0;
        do {
            const size_t want = static_cast<size_t>(std::min<off_t>(kChunk, size - offset));
            const bool final = offset + static_cast<off_t>(want) == size;
            if (!sourceInBuffer && readFully(in, source_.data(), want, offset) != static_cast<ssize_t>(want))
                return EIO;
            const ssize_t got = readFully(out, copy_.data(), want + (final ? 1 : 0), offset);
            if (got < 0) return errno;
            if (static_cast<size_t>(got) != want || std::memcmp(source_.data(), copy_.data(), want) != 0)
                return EIO;
            offset += static_cast<off_t>(want);
        } while (offset < size);
        return 0;
    }

    std::string destination_;
    Descriptor folderFd_;
    std::string source_;
    std::string copy_;
};

}  // namespace

std::string CopyToFolderAfter(const std::string& destination) {
    const size_t last = destination.find_last_of('/');
    if (last == std::string::npos || last == 0) return destination;
    const size_t secondToLast = destination.find_last_of('/', last - 1);
    if (secondToLast == std::string::npos) return destination;
    return destination.substr(0, secondToLast + 1);
}

bool CreateDestinationFolder(const std::string& destination) {
    return mkdir(destination.c_str(), 0777) == 0 || errno == EEXIST;
}

std::vector<TransferOutcome> TransferPictures(const std::string& folder,
                                              const std::vector<PictureEntry>& pictures,
                                              const std::string& destination,
                                              const std::function<void(int)>& beforeEach) {
    std::vector<TransferOutcome> outcomes;
    outcomes.reserve(pictures.size());
    Mover mover(destination);
    for (size_t k = 0; k < pictures.size(); ++k) {
        if (beforeEach) beforeEach(static_cast<int>(k));
        outcomes.push_back(mover.move(folder + pictures[k].fileName(), pictures[k]));
    }
    return outcomes;
}

}  // namespace lumaro
