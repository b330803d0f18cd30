// The command line as whole processes: `lumaro-cli list DIR --by date --dates` on 10,000 small
// pictures in the page cache, against a C program that reads the folder and opens, reads the
// first 4 KiB of and closes every file (readheads.c), started the same way.
#include <cstdio>

#include "benchpictures.h"
#include "benchsupport.h"

namespace {
constexpr int kPictures = 10000;
constexpr int kRounds = 15;
}  // namespace

int main() {
    using namespace lumaro;
    bench::TempFolder folder("cli-list-by-date");
    bench::MakeCameraPictures(folder.path(), kPictures);
    const std::vector<std::string> cli = {LUMARO_CLI, "list", folder.path(),
                                          "--by",     "date", "--dates"};
    const std::vector<std::string> readHeads = {READHEADS, folder.path()};
    bool allRan = true;
    const bench::Timings t =
        bench::TimeAlternately([&] { allRan = bench::RunProgram(readHeads) && allRan; },
                               [&] { allRan = bench::RunProgram(cli) && allRan; }, kRounds);
    if (!allRan) std::printf("cli-list-by-date: a program failed\n");
    bench::PrintBench("cli-list-by-date", t, 1.3);
    return allRan ? 0 : 1;
}
