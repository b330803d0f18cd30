// Moving pictures to another folder: a free name, a copy read back and compared, then no source.
#include "core/files/transfer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/disks/filesystem.h"
#include "core/disks/namecase.h"
#include "core/files/fileoperations.h"
#include "core/locking/folderlock.h"
#include "core/names/freename.h"
#include "core/names/refusedcharacters.h"

namespace lumaro {

namespace {

// Copies go by 1 MiB: one write of a whole camera picture was measured to cost several times
// as much as the same bytes written in pieces of this size.
constexpr size_t kChunk = size_t{1} << 20;
constexpr size_t kPage = 4096;

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

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Whether the open source is still the file it was when its copy began: same size and times,
// and its name still leads to it (an editor that saves by renaming a new file over the old
// one leaves the name to another file).
bool unchangedSince(int in, const std::string& source, const struct stat& before) {
    struct stat now, named;
    return fstat(in, &now) == 0 && now.st_size == before.st_size &&
           sameTime(now.st_mtim, before.st_mtim) && sameTime(now.st_ctim, before.st_ctim) &&
           stat(source.c_str(), &named) == 0 && named.st_dev == before.st_dev &&
           named.st_ino == before.st_ino;
}

// The copy of one picture, with the buffers reused from picture to picture.
class Mover {
public:
    Mover(const std::string& destination, const TransferOptions& options)
        : destination_(destination),
          options_(options),
          destinationNames_(destination, NameMatchOfFolder(destination)),
          folderFd_(open(destination.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)),
          windowsNames_(folderFd_.get() >= 0 && HoldsWindowsNames(folderFd_.get())) {}

    // Moves the picture `folder` + its name with its companions: every copy is written and
    // verified before any source is deleted, and a failure leaves every source where it was.
    TransferOutcome move(const std::string& folder, const PictureEntry& picture,
                         const std::string& targetBase) {
        const std::string source = folder + picture.fileName();
        TransferOutcome outcome{TransferOutcome::Status::CopyFailed, source, {}, 0};
        if (const std::string refused = refusedName(picture, targetBase); !refused.empty()) {
            outcome = {TransferOutcome::Status::NameRefused, source, destination_ + refused,
                       EINVAL};
            return outcome;
        }
        std::vector<Piece> pieces(1 + picture.companions.size());
        pieces[0].rest = &picture.extension;
        for (size_t k = 1; k < pieces.size(); ++k) pieces[k].rest = &picture.companions[k - 1];
        for (size_t k = 0; k < pieces.size(); ++k) {
            Piece& piece = pieces[k];
            piece.source = folder + picture.base + *piece.rest;
            piece.in.reset(open(piece.source.c_str(), O_RDONLY | O_CLOEXEC));
            if (piece.in.get() < 0 || fstat(piece.in.get(), &piece.st) != 0) {
                outcome.error = errno;
                if (errno == ENOENT && k == 0)
                    outcome.status = TransferOutcome::Status::SourceMissing;
                return outcome;
            }
        }
        if (!createFree(targetBase, pieces)) {
            outcome.error = errno;
            return outcome;
        }
        outcome.target = pieces[0].target;
        for (Piece& piece : pieces) {
            if (outcome.error == 0)
                outcome.error = copyAndSync(piece.in.get(), piece.out.get(), piece.st);
        }
        if (outcome.error == 0) {
            if (options_.beforeDelete) options_.beforeDelete(source);
            for (Piece& piece : pieces) {
                // Both read now: the source as it is, the copy as the device holds it.
                const int differs = sameBytes(piece.in.get(), storedCopy(piece));
                if (piece.out.closeNow() != 0 && outcome.error == 0) outcome.error = errno;
                if (outcome.error == 0) outcome.error = differs;
                if (!unchangedSince(piece.in.get(), piece.source, piece.st)) {
                    outcome.status = TransferOutcome::Status::SourceChanged;
                }
            }
            if (outcome.status == TransferOutcome::Status::SourceChanged) outcome.error = 0;
        }
        if (outcome.error != 0 || outcome.status == TransferOutcome::Status::SourceChanged) {
            for (Piece& piece : pieces) unlink(piece.target.c_str());
            outcome.target.clear();
            return outcome;
        }
        // The companions go first and the picture last: a picture that leaves the folder left
        // nothing of its own behind. Closed first, so that the file system frees them at once.
        for (size_t k = pieces.size(); k-- > 0;) {
            pieces[k].in.closeNow();
            if (unlink(pieces[k].source.c_str()) != 0) {
                // The copy is good and stays: the file is in both folders rather than in none.
                outcome.error = errno;
                outcome.status = TransferOutcome::Status::SourceKept;
                return outcome;
            }
        }
        outcome.status = TransferOutcome::Status::Moved;
        return outcome;
    }

private:
    // One file of a picture's move: the picture itself or one of its companions.
    struct Piece {
        const std::string* rest = nullptr;  // the name after the picture's base
        std::string source;
        std::string target;
        Descriptor in;
        Descriptor out;
        Descriptor direct;  // the copy opened past the cache, where its pages could not go
        struct stat st {};
    };

    // The first name of the group that the destination's disk refuses; empty when none.
    std::string refusedName(const PictureEntry& picture, const std::string& targetBase) const {
        if (!windowsNames_) return {};
        if (RefusedCharacterIn(targetBase + picture.extension))
            return targetBase + picture.extension;
        for (const std::string& rest : picture.companions)
            if (RefusedCharacterIn(targetBase + rest)) return targetBase + rest;
        return {};
    }

    // A descriptor that reads the synced copy from the device rather than from memory: its
    // cached pages are dropped, so that reading it reads the disk (a copy the disk wrote badly is
    // then caught before its source goes). Where pages stay cached (another program maps them,
    // or the file system keeps its files in memory), the copy is read past the cache (O_DIRECT);
    // where that is refused too, what the file system gives is all there is to read.
    int storedCopy(Piece& piece) {
        const int out = piece.out.get();
        posix_fadvise(out, 0, 0, POSIX_FADV_DONTNEED);
        if (!AnyPageCached(out, static_cast<size_t>(piece.st.st_size))) return out;
        piece.direct.reset(open(piece.target.c_str(), O_RDONLY | O_DIRECT | O_CLOEXEC));
        return piece.direct.get() >= 0 ? piece.direct.get() : out;
    }

    // New files under the picture's name, or "name (2)", "name (3)"..., the same for every
    // piece: never an existing one, in any letter case where the destination ignores it. False
    // (errno set) when none could be made.
    bool createFree(const std::string& base, std::vector<Piece>& pieces) {
        std::vector<const std::string*> rests;
        for (const Piece& piece : pieces) rests.push_back(piece.rest);
        const auto taken = [this](const std::string& name) {
            return destinationNames_.taken(name);
        };
        // Each name is tried by the file system itself at last (O_EXCL): another program may
        // have taken it since.
        for (int n = 1; n <= kMostFreeNames; ++n) {
            n = FirstFreeNumber(base, rests, taken, n, kMostFreeNames);
            if (n == 0) break;
            const std::string name = destination_ + NthFreeName(base, n);
            size_t made = 0;
            for (; made < pieces.size(); ++made) {
                Piece& piece = pieces[made];
                piece.target = name + *piece.rest;
                piece.out.reset(
                    open(piece.target.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
                if (piece.out.get() < 0) break;
            }
            if (made == pieces.size()) {
                for (const Piece& piece : pieces)
                    destinationNames_.add(piece.target.substr(destination_.size()));
                return true;
            }
            const int error = errno;
            for (size_t k = 0; k < made; ++k) {
                pieces[k].out.reset();
                unlink(pieces[k].target.c_str());
            }
            for (Piece& piece : pieces) piece.target.clear();
            errno = error;
            if (error != EEXIST) return false;
        }
        errno = EEXIST;
        return false;
    }

    // Copies, gives the copy the source's permissions and date and syncs it with its name.
    // 0, or the errno of the failure.
    int copyAndSync(int in, int out, const struct stat& st) {
        source_.resize(kChunk);
        off_t offset = 0;
        for (;;) {
            const ssize_t n = readFully(in, source_.data(), kChunk, offset);
            if (n < 0) return errno;
            if (n == 0) break;
            if (!WriteAllBytes(out, std::string_view(source_.data(), static_cast<size_t>(n))))
                return errno ? errno : EIO;
            offset += n;
            if (static_cast<size_t>(n) < kChunk) break;
        }
        const timespec times[2] = {st.st_atim, st.st_mtim};
        if (fchmod(out, st.st_mode & 0777) != 0 || futimens(out, times) != 0) return errno;
        if (fsync(out) != 0) return errno;
        // The copy's name must be on disk before the source goes.
        if (folderFd_.get() >= 0 && fsync(folderFd_.get()) != 0) return errno;
        return 0;
    }

    // Reads both files to their ends. 0 when they hold the same bytes, EIO when they differ,
    // or the errno of a read that failed.
    int sameBytes(int in, int out) {
        source_.resize(kChunk);
        for (off_t offset = 0;; offset += static_cast<off_t>(kChunk)) {
            const ssize_t got = readFully(in, source_.data(), kChunk, offset);
            if (got < 0) return errno;
            const ssize_t copied = readFully(out, copy_.get(), kChunk, offset);
            if (copied < 0) return errno;
            if (got != copied ||
                std::memcmp(source_.data(), copy_.get(), static_cast<size_t>(got)) != 0) {
                return EIO;
            }
            if (static_cast<size_t>(got) < kChunk) return 0;
        }
    }

    std::string destination_;
    const TransferOptions& options_;
    TakenNames destinationNames_;
    Descriptor folderFd_;
    const bool windowsNames_;  // the destination's disk refuses some characters in names
    std::string source_;
    // Aligned to the page, as reads past the cache need.
    std::unique_ptr<char, decltype(&std::free)> copy_{
        static_cast<char*>(std::aligned_alloc(kPage, kChunk)), &std::free};
};

}  // namespace

std::string CopyToFolderAfter(const std::string& destination) {
    const size_t last = destination.find_last_of('/');
    if (last == std::string::npos || last == 0) return destination;
    const size_t secondToLast = destination.find_last_of('/', last - 1);
    if (secondToLast == std::string::npos) return destination;
    return destination.substr(0, secondToLast + 1);
}

std::vector<TransferOutcome> TransferPictures(const std::string& folder,
                                              const std::vector<PictureEntry>& pictures,
                                              const std::string& destination,
                                              const TransferOptions& options) {
    std::vector<TransferOutcome> outcomes;
    outcomes.reserve(pictures.size());
    const FolderLock lock(std::vector<std::string>{folder, destination});
    if (lock.busy()) {
        for (const PictureEntry& picture : pictures)
            outcomes.push_back({TransferOutcome::Status::FolderBusy,
                                folder + picture.fileName(),
                                {},
                                EWOULDBLOCK});
        return outcomes;
    }
    // A read-only disk on either side: nothing is written, and no source is left doubled.
    if (CheckFolderWritable(folder) == EROFS || CheckFolderWritable(destination) == EROFS) {
        for (const PictureEntry& picture : pictures)
            outcomes.push_back(
                {TransferOutcome::Status::CopyFailed, folder + picture.fileName(), {}, EROFS});
        return outcomes;
    }
    Mover mover(destination, options);
    for (size_t k = 0; k < pictures.size(); ++k) {
        if (options.beforeEach) options.beforeEach(static_cast<int>(k));
        const bool named = k < options.targetBases.size();
        outcomes.push_back(
            mover.move(folder, pictures[k], named ? options.targetBases[k] : pictures[k].base));
    }
    return outcomes;
}

}  // namespace lumaro
