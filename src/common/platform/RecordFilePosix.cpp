// Record files on POSIX. A record goes out with two system calls: lseek for
// the length and one pwrite. lseek rather than fstat: on Linux an fstat
// before a write makes the write renew the file's timestamps, which more
// than doubles the cost of a run of records to one file.
#include "common/RecordFile.h"

#include "common/IoError.h"
#include "common/platform/PosixError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

namespace common {

namespace {

// Read and write for everyone, narrowed by the user's umask: the "normal
// attributes" of a file that other programs must also be able to write.
constexpr mode_t kNewFileMode = 0666;

} // namespace

struct RecordFile::Handle {
    int fd = -1;
};

RecordFile::RecordFile() : m_handle(std::make_unique<Handle>()) {}

RecordFile::~RecordFile()
{
    if (m_handle->fd >= 0)
        ::close(m_handle->fd);
}

void RecordFile::openExisting(const std::string& path)
{
    open(path, false);
}

void RecordFile::openOrCreate(const std::string& path)
{
    // Without O_TRUNC a create on an existing file opens it as it is, so one
    // call does both jobs and spares a stat per file.
    open(path, true);
}

void RecordFile::open(const std::string& path, bool create)
{
    close();
    const int flags = O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0);
    int fd;
    do
        fd = ::open(path.c_str(), flags, kNewFileMode);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw posix::errnoError(errno, path);
    m_handle->fd = fd;
    m_path = path;
}

bool RecordFile::isOpen() const
{
    return m_handle->fd >= 0;
}

std::uint64_t RecordFile::length()
{
    if (m_handle->fd < 0)
        throw ioError(io::kFileNotOpen);
    const off_t end = ::lseek(m_handle->fd, 0, SEEK_END);
    if (end < 0)
        throw posix::errnoError(errno, m_path);
    return static_cast<std::uint64_t>(end);
}

void RecordFile::writeAt(std::uint64_t offset, std::string_view bytes)
{
    if (m_handle->fd < 0)
        throw ioError(io::kFileNotOpen);
    ssize_t written;
    do
        written = ::pwrite(m_handle->fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    while (written < 0 && errno == EINTR);
    if (written < 0)
        throw posix::errnoError(errno, m_path);
    if (static_cast<std::size_t>(written) != bytes.size())
        throw ioError(io::kShortWrite);
}

void RecordFile::close()
{
    if (m_handle->fd < 0)
        return;
    const int fd = m_handle->fd;
    m_handle->fd = -1;
    // The descriptor is gone whatever close() returns; a failure there is
    // still reported.
    if (::close(fd) != 0 && errno != EINTR)
        throw posix::errnoError(errno, m_path);
}

} // namespace common
