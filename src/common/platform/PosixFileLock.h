// An exclusive lock on an open file (flock: it belongs to the open file
// description, so two opens of one file contend even within one process,
// and the system drops it when the holder dies). Only the files of this
// folder include it.
#pragma once

namespace common::posix {

class ExclusiveFileLock {
  public:
    // Waits for the lock on `fd`, at most `timeoutMilliseconds` (a negative
    // value: as long as it takes). locked() says whether it was taken; errno
    // then tells why not.
    ExclusiveFileLock(int fd, int timeoutMilliseconds);
    ~ExclusiveFileLock();
    ExclusiveFileLock(const ExclusiveFileLock&) = delete;
    ExclusiveFileLock& operator=(const ExclusiveFileLock&) = delete;

    bool locked() const { return m_fd >= 0; }

  private:
    int m_fd = -1;
};

} // namespace common::posix
