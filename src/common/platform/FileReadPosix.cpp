// Files open for reading on POSIX.
#include "common/FileRead.h"

#include "common/IoError.h"
#include "common/platform/PosixError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

// Owns the descriptor, so that it is closed also when the constructor throws.
struct InputFile::Handle {
    int fd = -1;
    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

InputFile::InputFile(const std::string& path) : m_handle(std::make_unique<Handle>()), m_path(path)
{
    int fd;
    do
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw posix::errnoError(errno, path);
    m_handle->fd = fd;
    // open() lets a folder be read on POSIX; Windows refuses it.
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode))
        throw posix::errnoError(EISDIR, path);
}

InputFile::~InputFile() = default;

std::size_t InputFile::sizeHint()
{
    struct stat info {};
    return ::fstat(m_handle->fd, &info) == 0 && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
}

std::size_t InputFile::readSome(char* buffer, std::size_t size)
{
    if (m_handle->fd < 0)
        throw ioError(io::kFileNotOpen);
    for (;;) {
        const ssize_t got = ::read(m_handle->fd, buffer, size);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno == EPIPE)
            return 0;
        if (errno != EINTR)
            throw posix::errnoError(errno, m_path);
    }
}

void InputFile::close()
{
    if (m_handle->fd >= 0)
        ::close(m_handle->fd);
    m_handle->fd = -1;
}

} // namespace common
