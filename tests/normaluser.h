#pragma once
// Running a piece of a test as a normal user: root passes permission checks and the kernel's
// link rules that stop everyone else, so what holds for the user must be seen as one.

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace testuser {

inline constexpr uid_t Nobody = 65534;

// Runs check in a child process as the user nobody (when root) or as the current user (when
// not root) and returns what it returned; false when the child could not become nobody.
inline bool AsNormalUser(const std::function<bool()>& check) {
    if (::geteuid() != 0) return check();
    const pid_t child = ::fork();
    if (child == 0) {
        const bool switched = ::setgroups(0, nullptr) == 0 && ::setgid(Nobody) == 0 && ::setuid(Nobody) == 0;
        ::_exit(switched && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

}  // namespace testuser
