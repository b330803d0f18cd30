/* The baseline of the command-line benchmark as a process of its own: ReadHeads on the folder
   given, the total on stdout. */
#include "readheads.h"

#include <stdio.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fputs("usage: readheads FOLDER\n", stderr);
        return 1;
    }
    printf("%zu\n", ReadHeads(argv[1]));
    return 0;
}
