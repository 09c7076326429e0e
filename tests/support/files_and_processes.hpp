#pragma once

// What the file tests share: a file's bytes, to see that nothing was changed, and work run in a
// child process, as another program using the same file at once would run it.

#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace astrodesk::testing {

inline std::string FileBytes(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// Runs `work` in a child process that ends with status 0, or 2 when `work` throws (`work` may
// end the child with a status of its own); returns the child's pid.
template <typename Work> pid_t Child(Work work) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        try {
            work();
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(0);
    }
    return pid;
}

// The exit status of a child, or -1 when it did not exit (it was killed).
inline int ExitStatusOf(pid_t pid) {
    int status = 0;
    if (pid <= 0 || ::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace astrodesk::testing
