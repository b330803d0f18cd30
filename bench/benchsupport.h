// What every benchmark needs: a scratch folder that removes itself, files written in bulk, a
// timer that runs the baseline and the measured code alternately and keeps the medians, and
// the one line that scripts read: BENCH <name> ratio=<measured/baseline> target=<limit>.
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
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
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

struct Timings {
    double baseline = 0;        // best seconds of the baseline
    double measured = 0;        // best seconds of the measured code
    double baselineMedian = 0;  // medians, for the detail lines
    double measuredMedian = 0;
    int rounds = 0;
};

inline double secondsOf(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Runs both once to warm the caches, then `rounds` times each, alternating, so that a busy
// moment of the machine falls on both sides. The ratio is taken from the best round of each:
// other work on the machine only ever adds time, so the best rounds agree from run to run.
// `prepare`, when given, runs untimed before every timed run (to empty the page cache).
inline Timings TimeAlternately(const std::function<void()>& baseline,
                               const std::function<void()>& measured, int rounds,
                               const std::function<void()>& prepare = {}) {
    baseline();
    measured();
    std::vector<double> base, meas;
    for (int i = 0; i < rounds; ++i) {
        if (prepare) prepare();
        base.push_back(secondsOf(baseline));
        if (prepare) prepare();
        meas.push_back(secondsOf(measured));
    }
    return {*std::min_element(base.begin(), base.end()),
            *std::min_element(meas.begin(), meas.end()), medianOf(base), medianOf(meas), rounds};
}

// The medians beside the best rounds, so that a noisy run shows itself.
inline void PrintMedians(std::string_view name, const Timings& t) {
    std::printf("%.*s: medians of %d rounds: measured %.1f ms, baseline %.1f ms\n",
                static_cast<int>(name.size()), name.data(), t.rounds, t.measuredMedian * 1e3,
                t.baselineMedian * 1e3);
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

// Detail lines, then the line the scripts read.
inline void PrintBench(std::string_view name, double measured, double baseline, double target) {
    std::printf("%.*s: best rounds: measured %.1f ms, baseline %.1f ms\n",
                static_cast<int>(name.size()), name.data(), measured * 1e3, baseline * 1e3);
    PrintBenchRatio(name, baseline > 0 ? measured / baseline : 0, target);
}

}  // namespace lumaro::bench
