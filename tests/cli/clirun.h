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

using CliEnv = std::vector<std::pair<std::string, std::string>>;

// A program started and not yet waited for, with the files its output goes to.
struct StartedCli {
    pid_t pid = -1;
    std::string outPath, errPath;
};

// Starts `program` with `args`; `env` holds NAME=value settings for the child.
inline StartedCli StartCli(const char* program, const std::vector<std::string>& args,
                           const CliEnv& env = {}) {
    char outPattern[] = "/tmp/lumaro_cli_out_XXXXXX";
    char errPattern[] = "/tmp/lumaro_cli_err_XXXXXX";
    const int outFd = mkstemp(outPattern);
    const int errFd = mkstemp(errPattern);
    const pid_t child = fork();
    if (child == 0) {
        dup2(outFd, 1);
        dup2(errFd, 2);
        for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(program)};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program, argv.data());
        _exit(127);
    }
    close(outFd);
    close(errFd);
    return {child, outPattern, errPattern};
}

// Waits for a started program's end and collects what it wrote.
inline CliRun FinishCli(const StartedCli& started) {
    int status = 0;
    waitpid(started.pid, &status, 0);
    CliRun run;
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    run.out = readWhole(started.outPath);
    run.err = readWhole(started.errPath);
    unlink(started.outPath.c_str());
    unlink(started.errPath.c_str());
    return run;
}

// Runs `program`; `killAfterMicroseconds` > 0 sends SIGKILL after that long unless the
// program ended first.
inline CliRun RunProgram(const char* program, const std::vector<std::string>& args,
                         const CliEnv& env, long killAfterMicroseconds) {
    const StartedCli started = StartCli(program, args, env);
    if (killAfterMicroseconds > 0) {
        usleep(static_cast<useconds_t>(killAfterMicroseconds));
        kill(started.pid, SIGKILL);
    }
    return FinishCli(started);
}

// The lumaro-cli that is installed.
inline CliRun RunCli(const std::vector<std::string>& args, const CliEnv& env = {},
                     long killAfterMicroseconds = 0) {
    return RunProgram(LUMARO_CLI, args, env, killAfterMicroseconds);
}

// The test build's lumaro-cli, which LUMARO_STOP_AFTER_RENAMES=N in `env` stops after N renames.
inline CliRun RunStoppableCli(const std::vector<std::string>& args, const CliEnv& env = {},
                              long killAfterMicroseconds = 0) {
    return RunProgram(LUMARO_CLI_STOPPABLE, args, env, killAfterMicroseconds);
}

}  // namespace lumaro::clitest
