#pragma once

// Runs the astrodesk-cli built beside the running benchmark as a child process, its standard
// output to /dev/null, and measures it: the wall-clock time from fork to exit, and the CPU time
// the system counted for the child (user plus system, from wait4).

#include "shell/platform.hpp"

#include <chrono>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace astrodesk::bench {

struct ChildTimes {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    bool succeeded = false; // exit status 0
};

inline ChildTimes RunProgramBesideThis(const std::vector<std::string>& arguments) {
    const std::string program = (RunningProgramDirectory() / "astrodesk-cli").string();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (!std::freopen("/dev/null", "w", stdout)) _exit(126);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return {};
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec * 1e-6; };
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            seconds(usage.ru_utime) + seconds(usage.ru_stime),
            WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

} // namespace astrodesk::bench
