// Reading the heads of many pictures with several reads in flight, neighbouring names together.
#include "core/listing/pictureheads.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace lumaro {

namespace {

// Reads in flight: enough for a disk to sort them into one sweep; on a warm cache the same
// threads only share out the system calls.
constexpr size_t kReaders = 8;
// Below this many pictures the threads would cost more than they save.
constexpr size_t kFewPictures = 64;
// Consecutive names go to one reader: neighbouring files mostly lie near each other on disk.
constexpr size_t kBatch = 16;
constexpr auto kProgressInterval = std::chrono::milliseconds(20);

struct SharedWork {
    SharedWork(int fd, const std::vector<const std::string*>& n, std::vector<PictureHead>& h)
        : folderFd(fd), names(n), heads(h) {}

    int folderFd;
    const std::vector<const std::string*>& names;
    std::vector<PictureHead>& heads;
    std::atomic<size_t> next{0};
    std::mutex mutex;
    std::condition_variable changed;
    size_t done = 0;  // under mutex

    void readBatches() {
        for (;;) {
            const size_t first = next.fetch_add(kBatch);
            if (first >= names.size()) return;
            const size_t end = std::min(first + kBatch, names.size());
            for (size_t i = first; i < end; ++i)
                heads[i] = ReadPictureHeadAt(folderFd, names[i]->c_str());
            bool all = false;
            {
                const std::lock_guard<std::mutex> lock(mutex);
                done += end - first;
                all = done == names.size();
            }
            // The calling thread looks at the count on its own every few milliseconds.
            if (all) changed.notify_one();
        }
    }
};

}  // namespace

std::vector<PictureHead> ReadPictureHeads(int folderFd,
                                          const std::vector<const std::string*>& names,
                                          const std::function<void(size_t done)>& progress) {
    std::vector<PictureHead> heads(names.size());
    SharedWork work(folderFd, names, heads);
    std::vector<std::thread> readers;
    if (names.size() >= kFewPictures) {
        try {
            for (size_t i = 0; i < kReaders; ++i)
                readers.emplace_back([&work] { work.readBatches(); });
        } catch (const std::system_error&) {
            // No more threads to be had: the calling thread reads what the others leave.
        }
    }
    if (readers.empty()) {
        work.readBatches();
    } else {
        std::unique_lock<std::mutex> lock(work.mutex);
        while (work.done < names.size()) {
            work.changed.wait_for(lock, kProgressInterval);
            const size_t done = work.done;
            lock.unlock();
            if (progress) progress(done);
            lock.lock();
        }
    }
    for (std::thread& reader : readers) reader.join();
    if (progress) progress(names.size());
    return heads;
}

}  // namespace lumaro
