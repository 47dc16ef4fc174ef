// Replacing a file through a temporary on POSIX.
#include "common/FileReplace.h"

#include "common/Error.h"
#include "common/IoError.h"
#include "common/platform/PosixError.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
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

bool writeAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote > 0)
            done += static_cast<std::size_t>(wrote);
        else if (wrote == 0)
            errno = EIO;
        if (wrote <= 0 && errno != EINTR)
            return false;
    }
    return true;
}

// A new file in the folder of `target`, named so that no two replaces
// collide (and short, so that a long target name still leaves room for it).
int createTemporary(const std::string& target, std::string& temporary, mode_t mode)
{
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary =
            folder + ".tarnvale-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The last resort where the folder takes no new file: the file written in
// place, as a plain save would.
std::optional<ReplaceFailure> overwriteInPlace(const std::string& target, std::string_view bytes)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return failure(Step::Target, errno, target);
    const bool written = writeAll(fd, bytes);
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

// Removes the temporary when the replace does not get as far as the rename.
class Temporary {
  public:
    explicit Temporary(std::string path) : m_path(std::move(path)) {}
    ~Temporary()
    {
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    const std::string& path() const { return m_path; }
    void renamed() { m_path.clear(); }

  private:
    std::string m_path;
};

// Writes, flushes and closes the new file; the failure of the first step
// that fails.
std::optional<ReplaceFailure> fill(int fd, std::string_view bytes, const Existing& existing,
                                   const std::string& temporary)
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
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written)
        return failure(Step::Write, written ? errno : writeError, temporary);
    return std::nullopt;
}

} // namespace

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
    std::string name;
    const mode_t mode = existing.exists ? existing.info.st_mode & 07777 : 0666;
    const int fd = createTemporary(target, name, mode);
    if (fd < 0) {
        const int createError = errno;
        if (existing.exists && createError == EACCES && options.overwriteWhenFolderIsClosed)
            return overwriteInPlace(target, bytes);
        return failure(Step::Temporary, createError, target);
    }
    Temporary temporary(name);
    if (std::optional<ReplaceFailure> failed = fill(fd, bytes, existing, name))
        return failed;
    if (std::optional<ReplaceFailure> failed = detail::readBackAndCheck(name, bytes, options))
        return failed;
    // The old file stays whole until this rename replaces it in one step.
    if (::rename(name.c_str(), target.c_str()) != 0)
        return failure(Step::Rename, errno, target);
    temporary.renamed();
    flushFolderOf(target);
    return std::nullopt;
}

} // namespace common
