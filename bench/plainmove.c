/* The baseline of the transfer benchmark as a C program of its own: moves each file named from
   the folder FROM to the folder TO (both ending with '/') as a careful program must: copies it,
   syncs the copy, drops the copy's cached pages, reads it back from the disk and compares it with
   the source, then deletes the source. Stops with exit code 1 at the first file it cannot move. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

enum { kBufferSize = 1 << 20 };

static int copyAll(int in, int out, char* buffer) {
    ssize_t n;
    while ((n = read(in, buffer, kBufferSize)) > 0) {
        if (write(out, buffer, (size_t)n) != n) return 0;
    }
    return n == 0;
}

/* Both files read from their start: whether they hold the same bytes. */
static int sameBytes(int in, int out, char* source, char* copy) {
    for (off_t at = 0;; at += kBufferSize) {
        const ssize_t n = pread(in, source, kBufferSize, at);
        const ssize_t m = pread(out, copy, kBufferSize, at);
        if (n < 0 || n != m || memcmp(source, copy, (size_t)n) != 0) return 0;
        if (n == 0) return 1;
    }
}

static int moveOne(const char* from, const char* to, const char* name, char* source, char* copy) {
    char sourcePath[4096], targetPath[4096];
    snprintf(sourcePath, sizeof sourcePath, "%s%s", from, name);
    snprintf(targetPath, sizeof targetPath, "%s%s", to, name);
    const int in = open(sourcePath, O_RDONLY | O_CLOEXEC);
    const int out = open(targetPath, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    int moved = in >= 0 && out >= 0 && copyAll(in, out, source) && fsync(out) == 0;
    /* The copy as the disk holds it, not as memory does. */
    if (moved) posix_fadvise(out, 0, 0, POSIX_FADV_DONTNEED);
    moved = moved && sameBytes(in, out, source, copy);
    if (in >= 0) close(in);
    if (out >= 0) close(out);
    return moved && unlink(sourcePath) == 0;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fputs("usage: plainmove FROM/ TO/ NAME...\n", stderr);
        return 2;
    }
    char* source = malloc(kBufferSize);
    char* copy = malloc(kBufferSize);
    int status = source && copy ? 0 : 1;
    for (int i = 3; i < argc && status == 0; ++i) {
        if (!moveOne(argv[1], argv[2], argv[i], source, copy)) {
            fprintf(stderr, "plainmove: cannot move %s\n", argv[i]);
            status = 1;
        }
    }
    free(source);
    free(copy);
    return status;
}
