// Runs a check as a user without privileges, so that permission failures are
// real even when the tests run as root (root reads and writes everything).
#pragma once

#include <filesystem>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

constexpr uid_t kNobody = 65534;

// Runs `check` in a child process (as "nobody" when the tests run as root)
// and returns its result; -1 when the child could not run or drop its rights.
// `check` must not use gtest assertions: its value is the verdict.
inline int runUnprivileged(const std::function<int()>& check)
{
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(255);
        ::_exit(check() & 0x7F);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    const int code = WEXITSTATUS(status);
    return code == 255 ? -1 : code;
}

// Lets the unprivileged user into a test's temporary folder.
inline void openToEveryone(const std::filesystem::path& folder)
{
    std::filesystem::permissions(folder, std::filesystem::perms::all);
}

} // namespace testing_support
