// Whole-file reads on POSIX: a buffer of the size fstat gives, then reads
// until read() finds the end.
#include "common/FileRead.h"

#include "common/platform/PosixError.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

constexpr std::size_t kMinimumGrowth = 64 * 1024;

} // namespace

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

FileBytes InputFile::readAll()
{
    const int fd = m_handle->fd;
    struct stat info {};
    const std::size_t expected =
        ::fstat(fd, &info) == 0 && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    // One byte more than the size, so that the read that finds the end
    // needs no larger buffer.
    std::size_t capacity = expected + 1;
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t size = 0;
    for (;;) {
        if (size == capacity) {
            const std::size_t larger = std::max(kMinimumGrowth, capacity * 2);
            auto grown = std::make_unique_for_overwrite<char[]>(larger);
            std::copy(data.get(), data.get() + size, grown.get());
            data = std::move(grown);
            capacity = larger;
        }
        const ssize_t got = ::read(fd, data.get() + size, capacity - size);
        if (got > 0)
            size += static_cast<std::size_t>(got);
        else if (got == 0)
            break;
        else if (errno != EINTR)
            throw posix::errnoError(errno, m_path);
    }
    return FileBytes(std::move(data), size);
}

FileBytes readWholeFile(const std::string& path)
{
    InputFile file(path);
    return file.readAll();
}

} // namespace common
