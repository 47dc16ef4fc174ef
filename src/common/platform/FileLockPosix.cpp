#include "common/platform/PosixFileLock.h"

#include <cerrno>
#include <ctime>
#include <sys/file.h>

namespace common::posix {

namespace {

constexpr int kRetryMilliseconds = 5;

bool tryLock(int fd, int operation)
{
    int result;
    do
        result = ::flock(fd, operation);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

} // namespace

ExclusiveFileLock::ExclusiveFileLock(int fd, int timeoutMilliseconds)
{
    if (timeoutMilliseconds < 0) {
        if (tryLock(fd, LOCK_EX))
            m_fd = fd;
        return;
    }
    // Polled rather than waited for with an alarm: a signal handler would be
    // process-wide state that a library must not take over.
    for (int waited = 0;; waited += kRetryMilliseconds) {
        if (tryLock(fd, LOCK_EX | LOCK_NB)) {
            m_fd = fd;
            return;
        }
        if (errno != EWOULDBLOCK || waited >= timeoutMilliseconds)
            return;
        const timespec pause{0, kRetryMilliseconds * 1000000L};
        ::nanosleep(&pause, nullptr);
    }
}

ExclusiveFileLock::~ExclusiveFileLock()
{
    if (m_fd >= 0)
        tryLock(m_fd, LOCK_UN);
}

} // namespace common::posix
