// What every benchmark needs: a scratch folder that removes itself, files written in bulk, a
// timer that runs the baseline and the measured code in pairs and keeps the median of the
// paired ratios, and the one line that scripts read:
//   BENCH <name> ratio=<measured/baseline> target=<limit>
// Header only: each benchmark is a single source file.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro::bench {

// A fresh folder under the temporary directory, removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(std::string_view tag) {
        const char* base = getenv("TMPDIR");
        std::string pattern =
            std::string(base && *base ? base : "/tmp") + "/lumaro-" + std::string(tag) + "-XXXXXX";
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create " + pattern);
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Writes `bytes` as the whole content of folder/name; throws when the disk refuses.
inline void WriteFile(const std::string& folder, const std::string& name, std::string_view bytes) {
    const std::string path = folder + "/" + name;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written =
        fd >= 0 && write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    if (fd >= 0) close(fd);
    if (!written) throw std::runtime_error("cannot write " + path);
}

// A small, fixed pseudo-random sequence, so that every run builds the same folder.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    // A number in [low, high].
    int between(int low, int high) {
        return low + static_cast<int>(next() % static_cast<uint64_t>(high - low + 1));
    }
    // Bytes that look like compressed data: no byte pattern repeats.
    std::string bytes(size_t count) {
        std::string out(count, '\0');
        for (size_t i = 0; i < count; i += 8) {
            const uint64_t word = next();
            for (size_t k = 0; k < 8 && i + k < count; ++k)
                out[i + k] = static_cast<char>(word >> (8 * k));
        }
        return out;
    }

private:
    uint64_t state_;
};

// Drops the data of every file of the folder from the page cache, so that the next read of
// it comes from the disk as on a first opening: written back first, then let go of. One sync
// of the whole file system writes everything back at once; a sync per file would commit the
// journal 10,000 times, which takes minutes.
inline void EvictFromPageCache(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) throw std::runtime_error("cannot read " + folder);
    syncfs(dirfd(dir));
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        const int fd = openat(dirfd(dir), entry->d_name, O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        fdatasync(fd);  // nothing left to write after the sync: returns at once
        posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        close(fd);
    }
    closedir(dir);
}

// Runs a program to its end with its output thrown away; true when it exits with 0.
inline bool RunProgram(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return failed == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

inline double secondsOf(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double medianOf(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// The runs of both sides, round by round, and the ratio of each round's pair.
struct Timings {
    std::vector<double> baseline;  // seconds of each baseline run
    std::vector<double> measured;  // seconds of each measured run
    std::vector<double> ratios;    // measured / baseline of each round

    double ratio() const { return medianOf(ratios); }
    double lowestRatio() const {
        return ratios.empty() ? 0 : *std::min_element(ratios.begin(), ratios.end());
    }
    double highestRatio() const {
        return ratios.empty() ? 0 : *std::max_element(ratios.begin(), ratios.end());
    }
    double baselineMedian() const { return medianOf(baseline); }
    double measuredMedian() const { return medianOf(measured); }
    int rounds() const { return static_cast<int>(ratios.size()); }
};

// Runs both once to warm the caches, then `rounds` rounds of one baseline run and one measured
// run, next to each other: the baseline first in even rounds, the measured code first in odd
// ones, so that neither side always finds the caches the other left. Each round gives the
// ratio of its pair, two runs a moment apart under the same load of the machine; the median of
// these ratios is the result, since other work on the machine spoils a round or two, not the
// middle one. Code that works on several threads against a one-thread baseline loses part of
// its lead while other work holds the cores, which no pairing undoes: its median then reads
// higher than on a quiet machine, and the lowest paired ratio is the nearer figure. Each side
// returns the seconds to count, so that it can leave setup untimed.
inline Timings TimePairs(const std::function<double()>& baseline,
                         const std::function<double()>& measured, int rounds) {
    baseline();
    measured();
    Timings t;
    for (int i = 0; i < rounds; ++i) {
        double base = 0, meas = 0;
        if (i % 2 == 0) {
            base = baseline();
            meas = measured();
        } else {
            meas = measured();
            base = baseline();
        }
        t.baseline.push_back(base);
        t.measured.push_back(meas);
        t.ratios.push_back(base > 0 ? meas / base : 0);
    }
    return t;
}

// The same for sides timed whole. `prepare`, when given, runs untimed before every run (to
// empty the page cache).
inline Timings TimeAlternately(const std::function<void()>& baseline,
                               const std::function<void()>& measured, int rounds,
                               const std::function<void()>& prepare = {}) {
    const auto timed = [&prepare](const std::function<void()>& run) {
        if (prepare) prepare();
        return secondsOf(run);
    };
    return TimePairs([&] { return timed(baseline); }, [&] { return timed(measured); }, rounds);
}

// Keeps a value alive so that the compiler cannot drop the work that produced it.
template <typename T>
inline void KeepResult(const T& value) {
    asm volatile("" : : "r"(&value) : "memory");
}

// The line the scripts read.
inline void PrintBenchRatio(std::string_view name, double ratio, double target) {
    std::printf("BENCH %.*s ratio=%.2f target=%g\n", static_cast<int>(name.size()), name.data(),
                ratio, target);
    std::fflush(stdout);
}

// The spread of the paired ratios and the median times, then the line the scripts read, with
// the median of the paired ratios.
inline void PrintBench(std::string_view name, const Timings& t, double target) {
    std::printf(
        "%.*s: %d paired rounds, ratios %.2f to %.2f; medians: measured %.1f ms, "
        "baseline %.1f ms\n",
        static_cast<int>(name.size()), name.data(), t.rounds(), t.lowestRatio(), t.highestRatio(),
        t.measuredMedian() * 1e3, t.baselineMedian() * 1e3);
    PrintBenchRatio(name, t.ratio(), target);
}

}  // namespace lumaro::bench
