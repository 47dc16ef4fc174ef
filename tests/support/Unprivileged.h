// Runs a check as a user without privileges, so that permission failures are
// real even when the tests run as root (root reads and writes everything).
#pragma once

#include <filesystem>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

constexpr uid_t kNobody = 65534;
constexpr int kNotRun = -1;

// Runs `check` in a child process (as "nobody" when the tests run as root)
// and returns its result; kNotRun when the child could not run or drop its
// rights (a container without a "nobody" user, say).
// `check` must not use gtest assertions: its value is the verdict.
inline int runUnprivileged(const std::function<int()>& check)
{
    const pid_t child = ::fork();
    if (child < 0)
        return kNotRun;
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(255);
        ::_exit(check() & 0x7F);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return kNotRun;
    const int code = WEXITSTATUS(status);
    return code == 255 ? kNotRun : code;
}

// Lets the unprivileged user into a test's temporary folder.
inline void openToEveryone(const std::filesystem::path& folder)
{
    std::filesystem::permissions(folder, std::filesystem::perms::all);
}

} // namespace testing_support

// Skips the running test when runUnprivileged could not run its check.
#define SKIP_IF_NOT_RUN(result)                                                                              \
    do {                                                                                                     \
        if ((result) == testing_support::kNotRun)                                                            \
            GTEST_SKIP() << "cannot run a check without privileges here";                                    \
    } while (0)
