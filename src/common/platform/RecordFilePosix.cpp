// Record files on POSIX. The file is opened with O_APPEND, so that a record
// written with write() lands at the end of the file as it is at that moment,
// whoever else appends: on a local file system the system takes the file's
// lock for the whole write, so two such writes never overlap or interleave.
// A record then costs one system call; the first one after an open also
// asks for the length (lseek rather than fstat: on Linux an fstat before a
// write makes the write renew the file's timestamps, which more than
// doubles the cost of a run of records to one file).
#include "common/RecordFile.h"

#include "common/IoError.h"
#include "common/platform/PosixError.h"
#include "common/platform/PosixFileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

namespace common {

namespace {

// Read and write for everyone, narrowed by the user's umask: the "normal
// attributes" of a file that other programs must also be able to write.
constexpr mode_t kNewFileMode = 0666;

// O_PATH (Linux) asks for no more than the walk to the folder needs: a
// folder that may be searched but not listed still takes files.
#ifdef O_PATH
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

} // namespace

struct RecordFolder::Handle {
    int fd = -1;
    ~Handle()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

RecordFolder::RecordFolder() : m_handle(std::make_unique<Handle>()) {}

RecordFolder::~RecordFolder() = default;

void RecordFolder::open(const std::string& path)
{
    if (m_handle->fd >= 0)
        ::close(m_handle->fd);
    m_handle->fd = -1;
    int fd;
    do
        fd = ::open(path.c_str(), kFolderFlags);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        throw posix::errnoError(errno, path);
    m_handle->fd = fd;
    m_path = path;
}

bool RecordFolder::isOpen() const
{
    return m_handle->fd >= 0;
}

struct RecordFile::Handle {
    int fd = -1;
    // True once the file was seen to end on a record boundary since it was
    // opened: from then on a record is one appending write.
    bool aligned = false;

    void writeAll(std::string_view bytes, const std::string& path, off_t offset = -1) const
    {
        ssize_t written;
        do
            written = offset < 0 ? ::write(fd, bytes.data(), bytes.size())
                                 : ::pwrite(fd, bytes.data(), bytes.size(), offset);
        while (written < 0 && errno == EINTR);
        if (written < 0)
            throw posix::errnoError(errno, path);
        // Never completed by a second write: another process's record may
        // already stand behind the part written.
        if (static_cast<std::size_t>(written) != bytes.size())
            throw ioError(io::kShortWrite);
    }

    off_t length(const std::string& path) const
    {
        const off_t end = ::lseek(fd, 0, SEEK_END);
        if (end < 0)
            throw posix::errnoError(errno, path);
        return end;
    }

    void setFlags(int flags, const std::string& path) const
    {
        if (::fcntl(fd, F_SETFL, flags) != 0)
            throw posix::errnoError(errno, path);
    }

    // Writes `record` over the incomplete record at the end of the file,
    // under the file's lock so that two processes that both found it do not
    // both write there: the second finds the file whole and appends.
    void writeOverIncompleteRecord(std::string_view record, const std::string& path) const
    {
        const posix::ExclusiveFileLock lock(fd, -1);
        if (!lock.locked())
            throw posix::errnoError(errno, path);
        const off_t end = length(path);
        const off_t incomplete = end % static_cast<off_t>(record.size());
        if (incomplete == 0) {
            writeAll(record, path);
            return;
        }
        // Linux puts a pwrite on an O_APPEND file at the end whatever the
        // offset: the flag is off for this one write.
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags < 0)
            throw posix::errnoError(errno, path);
        setFlags(flags & ~O_APPEND, path);
        try {
            writeAll(record, path, end - incomplete);
        } catch (...) {
            ::fcntl(fd, F_SETFL, flags);
            throw;
        }
        setFlags(flags, path);
    }
};

RecordFile::RecordFile(std::size_t recordSize)
    : m_handle(std::make_unique<Handle>()), m_recordSize(recordSize)
{
}

RecordFile::~RecordFile()
{
    if (m_handle->fd >= 0)
        ::close(m_handle->fd);
}

void RecordFile::openExisting(const std::string& path)
{
    close();
    m_path = path;
    open(nullptr, path, false);
}

void RecordFile::openOrCreate(const std::string& path)
{
    // Without O_TRUNC a create on an existing file opens it as it is, so one
    // call does both jobs and spares a stat per file; and two processes that
    // create the same file at once both get that one file.
    close();
    m_path = path;
    open(nullptr, path, true);
}

void RecordFile::openOrCreate(const RecordFolder& folder, const std::string& name)
{
    if (!folder.isOpen())
        throw ioError(io::kFileNotOpen);
    close();
    // Built in the buffer of the path before, so that a run of files costs
    // no allocation for it.
    m_path.assign(folder.path());
    if (!m_path.empty() && m_path.back() != '/')
        m_path += '/';
    m_path += name;
    open(&folder, name, true);
}

namespace {

int openRetrying(int folder, const char* name, int flags)
{
    int fd;
    do
        fd = ::openat(folder, name, flags, kNewFileMode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

void RecordFile::open(const RecordFolder* folder, const std::string& name, bool create)
{
    const int at = folder ? folder->m_handle->fd : AT_FDCWD;
    // The file is opened as it is first and made (O_EXCL) only when it is
    // missing, so that the caller learns whether this open made it; one that
    // another process makes in between is opened as that one made it.
    constexpr int kFlags = O_RDWR | O_APPEND | O_CLOEXEC;
    bool made = false;
    int fd;
    for (;;) {
        fd = openRetrying(at, name.c_str(), kFlags);
        if (fd >= 0 || errno != ENOENT || !create)
            break;
        fd = openRetrying(at, name.c_str(), kFlags | O_CREAT | O_EXCL);
        made = fd >= 0;
        if (made || errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw posix::errnoError(errno, m_path);
    m_handle->fd = fd;
    m_handle->aligned = false;
    m_created = made;
}

void RecordFile::readAll(std::string& bytes)
{
    bytes.clear();
    if (m_handle->fd < 0)
        throw ioError(io::kFileNotOpen);
    // The length from lseek, not fstat (see the top of this file); pread
    // leaves the offset alone, and appends go to the end whatever it is.
    // A length of whole records is what the first append would look at: it
    // need not ask again.
    const off_t length = m_handle->length(m_path);
    if (length % static_cast<off_t>(m_recordSize) == 0)
        m_handle->aligned = true;
    bytes.resize(static_cast<std::size_t>(length));
    std::size_t have = 0;
    while (have < bytes.size()) {
        const ssize_t got =
            ::pread(m_handle->fd, bytes.data() + have, bytes.size() - have, static_cast<off_t>(have));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            bytes.clear();
            throw posix::errnoError(error, m_path);
        }
        if (got == 0)
            break; // cut short by someone else meanwhile
        have += static_cast<std::size_t>(got);
    }
    bytes.resize(have);
}

bool RecordFile::isOpen() const
{
    return m_handle->fd >= 0;
}

void RecordFile::append(std::string_view record)
{
    Handle& h = *m_handle;
    if (h.fd < 0)
        throw ioError(io::kFileNotOpen);
    if (!h.aligned) {
        if (h.length(m_path) % static_cast<off_t>(m_recordSize) != 0)
            h.writeOverIncompleteRecord(record, m_path);
        else
            h.writeAll(record, m_path);
        h.aligned = true;
        return;
    }
    h.writeAll(record, m_path);
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
