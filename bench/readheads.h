/* The least any listing by picture date must do, the baseline of the listing benchmarks: read
   the folder, and open, read the first 4 KiB of and close every file. Plain C, so that the same
   loop runs inside the benchmarks and as a C program of its own (readheads.c). */
#ifndef LUMARO_BENCH_READHEADS_H
#define LUMARO_BENCH_READHEADS_H

#include <dirent.h>
#include <fcntl.h>
#include <stddef.h>
#include <unistd.h>

/* Returns a sum of the bytes read and their first bytes, so that no read can be left out. */
static inline size_t ReadHeads(const char* folder) {
    DIR* dir = opendir(folder);
    if (!dir) return 0;
    const int dirFd = dirfd(dir);
    size_t total = 0;
    char buffer[4096];
    struct dirent* entry;
    while ((entry = readdir(dir)) != NULL) {
        if (entry->d_name[0] == '.') continue;
        const int fd = openat(dirFd, entry->d_name, O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0) total += (size_t)got + (unsigned char)buffer[0];
        close(fd);
    }
    closedir(dir);
    return total;
}

#endif
