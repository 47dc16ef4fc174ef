// Replacing a file through a temporary on POSIX.
//
// The temporary is unnamed where the file system can make one (Linux
// O_TMPFILE): a process killed while it writes leaves nothing behind. It
// gets a name only once it is whole, checked and about to take the file's
// place; a kill between that link and the rename leaves a named temporary,
// as does every kill on a file system without unnamed files. Named
// temporaries carry the name of their target (hashed) and the writer's
// process id, and the next replace of that target removes those whose
// writer is gone.
#include "common/FileReplace.h"

#include "common/IoError.h"
#include "common/platform/PosixError.h"
#include "common/platform/PosixFileLock.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

using Step = ReplaceFailure::Step;

ReplaceFailure failure(Step step, int errnoValue, const std::string& path)
{
    return {step, posix::windowsCodeFromErrno(errnoValue, path), posix::systemErrorText(errnoValue)};
}

// Where the rename must land: the file a symbolic link points to, so that
// replacing through a link updates the file rather than replacing the link.
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

std::string folderOf(const std::string& target)
{
    const std::size_t slash = target.find_last_of('/');
    return slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
}

// The state of the file before the replace.
struct Existing {
    bool exists = false;
    struct stat info {};
};

std::optional<ReplaceFailure> targetFailure(const std::string& target, Existing& existing)
{
    if (::stat(target.c_str(), &existing.info) != 0)
        return std::nullopt; // a new file: the folder decides at the next step
    // A file that could not be opened for writing in place must not be
    // replaced by the rename either: a folder, or a file without write access.
    if (S_ISDIR(existing.info.st_mode))
        return failure(Step::Target, EISDIR, target);
    if (::access(target.c_str(), W_OK) != 0)
        return failure(Step::Target, errno, target);
    existing.exists = true;
    return std::nullopt;
}

bool writeAll(int fd, std::string_view bytes, off_t offset)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (wrote > 0)
            done += static_cast<std::size_t>(wrote);
        else if (wrote == 0)
            errno = EIO;
        if (wrote <= 0 && errno != EINTR)
            return false;
    }
    return true;
}

// Every byte of the open file, from its start.
bool readAll(int fd, std::string& bytes)
{
    bytes.clear();
    char buffer[1 << 16];
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
        offset += got;
    }
}

std::string_view nameOf(const std::string& target)
{
    return std::string_view(target).substr(target.find_last_of('/') + 1);
}

bool processIsGone(unsigned long pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Removes the named temporaries of `target` that earlier replaces left
// behind when they were killed: those whose writer no longer runs. A
// writer that still runs may be in the middle of its replace.
void removeStaleTemporaries(const std::string& target)
{
    const std::string folder = folderOf(target);
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        const std::optional<unsigned long> pid = detail::temporaryWriter(name, nameOf(target));
        if (pid && *pid != static_cast<unsigned long>(::getpid()) && processIsGone(*pid))
            ::unlink((folder + std::string(name)).c_str());
    }
    ::closedir(dir);
}

// The new file while it is written: unnamed where the system can, else
// named; removed unless it took the target's place.
class Temporary {
  public:
    Temporary() = default;
    ~Temporary()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_name.empty())
            ::unlink(m_name.c_str());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    // Opens a new file in the folder of `target`; false (errno set) when the
    // folder takes none.
    bool create(const std::string& target, mode_t mode, bool unnamed)
    {
        m_target = target;
#ifdef O_TMPFILE
        if (unnamed) {
            const std::string folder = folderOf(target);
            m_fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
            // Refused for a reason of the folder: the named file fares no better.
            if (m_fd >= 0 || errno == EACCES || errno == EPERM || errno == EROFS || errno == ENOSPC ||
                errno == EDQUOT || errno == ENOENT || errno == ENOTDIR)
                return m_fd >= 0;
        }
#else
        (void)unnamed;
#endif
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = freshName();
            m_fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            if (m_fd >= 0) {
                m_name = name;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    int fd() const
    {
        return m_fd;
    }

    // Gives an unnamed temporary a name in the target's folder, so that it
    // can be renamed over the target (a link cannot replace a file). False
    // (errno set) when the system allows no link.
    bool giveName()
    {
        if (!m_name.empty())
            return true;
#ifdef O_TMPFILE
        // Through /proc, which needs no privilege; AT_EMPTY_PATH needs
        // CAP_DAC_READ_SEARCH, but no /proc.
        const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = freshName();
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
                (errno != EEXIST && ::linkat(m_fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0)) {
                m_name = name;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
#else
        errno = EOPNOTSUPP;
#endif
        return false;
    }

    bool renameOverTarget()
    {
        if (::rename(m_name.c_str(), m_target.c_str()) != 0)
            return false;
        m_name.clear();
        return true;
    }

  private:
    std::string freshName() const
    {
        static std::atomic<unsigned> counter{0};
        return folderOf(m_target) +
               detail::temporaryName(nameOf(m_target), static_cast<unsigned long>(::getpid()), counter++);
    }

    std::string m_target;
    std::string m_name;
    int m_fd = -1;
};

// The largest file this process may write (a file-size limit), if any.
std::optional<std::uint64_t> fileSizeLimit()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::nullopt;
    return static_cast<std::uint64_t>(limit.rlim_cur);
}

// Makes sure that `size` bytes fit the file before any of its bytes is
// overwritten. Space past the end is reserved without changing the file's
// length where the system can (so a failure, or a kill, leaves it as it
// was); elsewhere the file grows and a failure cuts it back.
bool reserve(int fd, off_t oldSize, std::size_t size)
{
    if (static_cast<off_t>(size) <= oldSize)
        return true;
    if (const std::optional<std::uint64_t> limit = fileSizeLimit(); limit && size > *limit) {
        errno = EFBIG;
        return false;
    }
#ifdef FALLOC_FL_KEEP_SIZE
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0)
        return true;
    if (errno != EOPNOTSUPP && errno != ENOSYS)
        return false;
#endif
    const int error = ::posix_fallocate(fd, oldSize, static_cast<off_t>(size) - oldSize);
    if (error == 0)
        return true;
    if (::ftruncate(fd, oldSize) != 0) {
    }
    errno = error;
    return false;
}

// The last resort where the folder takes no new file: the file written in
// place. The space is reserved first, so that a full disk or a size limit
// is met before the old bytes are touched; the old file is then cut to the
// new length. What remains: a kill or an I/O error while the bytes are
// written leaves the file part old, part new.
std::optional<ReplaceFailure> overwriteInPlace(const std::string& target, std::string_view bytes)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return failure(Step::Target, errno, target);
    struct stat info {};
    bool written = ::fstat(fd, &info) == 0 && reserve(fd, info.st_size, bytes.size());
    written = written && writeAll(fd, bytes, 0) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
              ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written)
        return failure(Step::Write, written ? errno : writeError, target);
    return std::nullopt;
}

// The rename lasts only once the folder is on the disk too.
void flushFolderOf(const std::string& target)
{
    const std::size_t slash = target.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes and flushes the new file; the failure of the first step that fails.
std::optional<ReplaceFailure> fill(int fd, std::string_view bytes, const Existing& existing,
                                   const std::string& target)
{
    if (existing.exists) {
        // Best effort both: only root may give a file away, and a file
        // system without permissions has none to keep. The owner first, as a
        // change of owner may clear the set-id bits of the mode.
        if (::fchown(fd, existing.info.st_uid, existing.info.st_gid) != 0) {
        }
        if (::fchmod(fd, existing.info.st_mode & 07777) != 0) {
        }
    }
    if (!writeAll(fd, bytes, 0) || ::fsync(fd) != 0)
        return failure(Step::Write, errno, target);
    return std::nullopt;
}

std::optional<ReplaceFailure> readBackAndCheck(int fd, std::string_view bytes, const std::string& target,
                                               const ReplaceOptions& options)
{
    std::string back;
    if (!readAll(fd, back))
        return failure(Step::Write, errno, target);
    return detail::checkReadBack(back, bytes, options);
}

// One replace through a temporary, unnamed or named. Nothing when done;
// `linkRefused` is set when an unnamed temporary could not be given a name
// (no /proc, say): the caller then goes the named way.
std::optional<ReplaceFailure> replaceThrough(const std::string& target, std::string_view bytes,
                                             const ReplaceOptions& options, const Existing& existing,
                                             bool unnamed, bool& linkRefused)
{
    const mode_t mode = existing.exists ? existing.info.st_mode & 07777 : 0666;
    Temporary temporary;
    if (!temporary.create(target, mode, unnamed)) {
        const int createError = errno;
        if (existing.exists && createError == EACCES && options.overwriteWhenFolderIsClosed)
            return overwriteInPlace(target, bytes);
        return failure(Step::Temporary, createError, target);
    }
    if (std::optional<ReplaceFailure> failed = fill(temporary.fd(), bytes, existing, target))
        return failed;
    if (std::optional<ReplaceFailure> failed = readBackAndCheck(temporary.fd(), bytes, target, options))
        return failed;
    if (!temporary.giveName()) {
        linkRefused = true;
        return failure(Step::Temporary, errno, target);
    }
    // The old file stays whole until this rename replaces it in one step.
    if (!temporary.renameOverTarget())
        return failure(Step::Rename, errno, target);
    flushFolderOf(target);
    return std::nullopt;
}

} // namespace

struct ReplaceLock::Held {
    int fd = -1;
    std::optional<posix::ExclusiveFileLock> lock;

    ~Held()
    {
        lock.reset();
        if (fd >= 0)
            ::close(fd);
    }

    bool take(const std::string& path, int flags, int timeoutMilliseconds)
    {
        fd = ::open(path.c_str(), flags | O_CLOEXEC);
        if (fd < 0)
            return false;
        lock.emplace(fd, timeoutMilliseconds);
        if (lock->locked())
            return true;
        const int error = errno;
        lock.reset();
        ::close(fd);
        fd = -1;
        errno = error;
        return false;
    }
};

ReplaceLock::ReplaceLock(const std::string& path, int timeoutMilliseconds) : m_held(std::make_unique<Held>())
{
    // The folder where the rename of replaceFile happens: that of the file a
    // link points to.
    const std::string target = renameTarget(path);
    const std::string folder = folderOf(target);
    if (m_held->take(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY, timeoutMilliseconds))
        return;
    if (errno == EWOULDBLOCK || !m_held->take(target, O_RDONLY, timeoutMilliseconds))
        m_held.reset();
}

ReplaceLock::~ReplaceLock() = default;

bool ReplaceLock::held() const
{
    return m_held != nullptr;
}

std::optional<ReplaceFailure> checkReplaceable(const std::string& path)
{
    Existing existing;
    return targetFailure(renameTarget(path), existing);
}

std::optional<ReplaceFailure> replaceFile(const std::string& path, std::string_view bytes,
                                          const ReplaceOptions& options)
{
    const std::string target = renameTarget(path);
    Existing existing;
    if (std::optional<ReplaceFailure> refused = targetFailure(target, existing))
        return refused;
    removeStaleTemporaries(target);
    bool linkRefused = false;
    std::optional<ReplaceFailure> failed =
        replaceThrough(target, bytes, options, existing, true, linkRefused);
    if (linkRefused)
        failed = replaceThrough(target, bytes, options, existing, false, linkRefused);
    return failed;
}

} // namespace common
