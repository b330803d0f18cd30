/* The least a listing by date of pictures and videos must do, the baseline of the mixed
   listing benchmark: read the folder; of every still, open, read the first 4 KiB and close; of
   every video (".mp4"), open, read its top-level box headers up to the movie box, the headers
   inside it up to the movie header, and that header, then close. Plain C, like readheads.h. */
#ifndef LUMARO_BENCH_READMOVIEHEADS_H
#define LUMARO_BENCH_READMOVIEHEADS_H

#include <dirent.h>
#include <fcntl.h>
#include <stdint.h>
#include <string.h>
#include <unistd.h>

static inline uint64_t MovieBoxSize(const unsigned char* b) {
    return (uint64_t)b[0] << 24 | (uint64_t)b[1] << 16 | (uint64_t)b[2] << 8 | b[3];
}

/* The creation time field of the movie header of the open video, 0 when none is found. */
static inline uint64_t ReadMovieHeaderTime(int fd) {
    unsigned char b[32];
    uint64_t at = 0, end = UINT64_MAX;
    for (int depth = 0; depth < 2;) {
        if (pread(fd, b, 8, (off_t)at) != 8) return 0;
        uint64_t size = MovieBoxSize(b), header = 8;
        if (size == 1) {
            if (pread(fd, b + 8, 8, (off_t)(at + 8)) != 8) return 0;
            size = MovieBoxSize(b + 8) << 32 | MovieBoxSize(b + 12);
            header = 16;
        }
        if (size < header || size > end - at) return 0;
        if (depth == 0 && memcmp(b + 4, "moov", 4) == 0) {
            end = at + size;
            at += header;
            depth = 1;
            continue;
        }
        if (depth == 1 && memcmp(b + 4, "mvhd", 4) == 0) {
            if (pread(fd, b, 32, (off_t)(at + header)) != 32) return 0;
            return MovieBoxSize(b + 4);
        }
        at += size;
    }
    return 0;
}

/* Returns a sum of what was read, so that no read can be left out. */
static inline size_t ReadMovieAndPictureHeads(const char* folder) {
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
        const size_t length = strlen(entry->d_name);
        if (length > 4 && strcmp(entry->d_name + length - 4, ".mp4") == 0) {
            total += (size_t)ReadMovieHeaderTime(fd);
        } else {
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got > 0) total += (size_t)got + (unsigned char)buffer[0];
        }
        close(fd);
    }
    closedir(dir);
    return total;
}

#endif
