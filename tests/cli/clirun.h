// Runs the built lumaro-cli as a separate program and collects what it wrote and its exit.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace lumaro::clitest {

struct CliRun {
    int code = -1;  // exit code; -signal when a signal ended it
    std::string out, err;
};

inline std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// `env` holds NAME=value settings for the child; `killAfterMicroseconds` > 0 sends SIGKILL
// after that long unless the program ended first.
inline CliRun RunCli(const std::vector<std::string>& args,
                     const std::vector<std::pair<std::string, std::string>>& env = {},
                     long killAfterMicroseconds = 0) {
    char outPattern[] = "/tmp/lumaro_cli_out_XXXXXX";
    char errPattern[] = "/tmp/lumaro_cli_err_XXXXXX";
    const int outFd = mkstemp(outPattern);
    const int errFd = mkstemp(errPattern);
    const pid_t child = fork();
    if (child == 0) {
        dup2(outFd, 1);
        dup2(errFd, 2);
        for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(LUMARO_CLI)};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(LUMARO_CLI, argv.data());
        _exit(127);
    }
    if (killAfterMicroseconds > 0) {
        usleep(static_cast<useconds_t>(killAfterMicroseconds));
        kill(child, SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    close(outFd);
    close(errFd);
    CliRun run;
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    run.out = readWhole(outPattern);
    run.err = readWhole(errPattern);
    unlink(outPattern);
    unlink(errPattern);
    return run;
}

}  // namespace lumaro::clitest
