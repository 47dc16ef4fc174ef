// Saving and loading line-list files on POSIX.
#include "common/LineList.h"

#include "common/Error.h"
#include "common/FileSystem.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

// The path as the messages show it: a relative name completed against the
// current folder.
std::string fullPath(const std::string& path)
{
    if (!path.empty() && path.front() == '/')
        return path;
    try {
        return currentFolder() + "/" + path;
    } catch (const Error&) {
        return path;
    }
}

// The system's description of an errno value, without the trailing spaces,
// line breaks and periods that would clash with the message around it.
std::string systemErrorText(int errnoValue)
{
    std::string text = std::strerror(errnoValue);
    while (!text.empty() &&
           (text.back() == ' ' || text.back() == '\r' || text.back() == '\n' || text.back() == '.'))
        text.pop_back();
    return text;
}

[[noreturn]] void throwCreateError(const std::string& path, int errnoValue)
{
    throw Error("Cannot create file \"" + fullPath(path) + "\". " + systemErrorText(errnoValue));
}

[[noreturn]] void throwOpenError(const std::string& path, int errnoValue)
{
    throw Error("Cannot open file \"" + fullPath(path) + "\". " + systemErrorText(errnoValue));
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote > 0)
            done += static_cast<std::size_t>(wrote);
        else if (wrote == 0 || errno != EINTR)
            return false;
    }
    return true;
}

// A new file in the folder of `path`, named so that no two saves collide
// (and short, so that a long target name still leaves room for it).
int createTempBeside(const std::string& path, std::string& tempPath, mode_t mode)
{
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath =
            folder + ".tarnvale-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The last resort when the folder takes no new file but the target may be
// written: overwrite it in place, as a plain save would.
void saveInPlace(const std::string& path, const std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        throwCreateError(path, errno);
    const bool written = writeAll(fd, bytes);
    if (::close(fd) != 0 || !written)
        throw Error(kStreamWriteError);
}

// Where the rename must land: the file a symbolic link points to, so that
// saving through a link updates the file rather than replacing the link.
std::string renameTarget(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return path;
    std::string target = resolved;
    std::free(resolved);
    return target;
}

std::string joinLines(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

void saveLineList(const std::string& path, const std::vector<std::string>& lines)
{
    const std::string target = renameTarget(path);
    // A file that could not be opened for writing in place must not be
    // replaced by the rename either: a folder, or a file without write access.
    bool existed = false;
    mode_t mode = 0666;
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            throwCreateError(path, EISDIR);
        if (::access(target.c_str(), W_OK) != 0)
            throwCreateError(path, errno);
        existed = true;
        mode = info.st_mode & 07777;
    }
    const std::string bytes = joinLines(lines);
    std::string tempPath;
    const int fd = createTempBeside(target, tempPath, mode);
    if (fd < 0) {
        if (existed && errno == EACCES)
            return saveInPlace(target, bytes);
        throwCreateError(path, errno);
    }
    if (existed)
        ::fchmod(fd, mode);
    const bool written = writeAll(fd, bytes);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(tempPath.c_str());
        throw Error(kStreamWriteError);
    }
    // The old file stays whole until this rename replaces it in one step.
    if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        const int errnoValue = errno;
        ::unlink(tempPath.c_str());
        throwCreateError(path, errnoValue);
    }
}

std::vector<std::string> loadLineList(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throwOpenError(path, errno);
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        throwOpenError(path, EISDIR);
    }
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            bytes.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            ::close(fd);
            throw Error(kStreamReadError);
        }
    }
    ::close(fd);
    return splitLineList(bytes);
}

} // namespace common
