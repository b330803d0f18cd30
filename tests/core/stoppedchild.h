// Crash tests of renaming operations: an operation run in a child process that stops itself
// after a given number of renames, leaving its journal behind as a power cut would.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace lumaro {

// Runs `operation` in a child process that stops itself after `renames` renames; true when it
// did stop there.
inline bool RunStoppedAfter(long long renames, const std::function<void()>& operation) {
    const pid_t child = fork();
    if (child == 0) {
        setenv("LUMARO_STOP_AFTER_RENAMES", std::to_string(renames).c_str(), 1);
        operation();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 86;
}

}  // namespace lumaro
