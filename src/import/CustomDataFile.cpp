#include "import/CustomDataFile.h"

#include "common/FileSystem.h"
#include "common/IoError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

namespace importer {
namespace {

// Read and write for everyone, narrowed by the user's umask: the "normal
// attributes" of a file the analysis programs must also be able to write.
constexpr mode_t kNewFileMode = 0666;

} // namespace

CustomDataFile::~CustomDataFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CustomDataFile::exists(const std::string& path)
{
    return common::fileExists(path);
}

void CustomDataFile::openForAppending(const std::string& path)
{
    open(path, O_RDWR);
}

void CustomDataFile::create(const std::string& path)
{
    open(path, O_RDWR | O_CREAT);
}

void CustomDataFile::openOrCreate(const std::string& path)
{
    // Without O_TRUNC a create on an existing file opens it as it is, so one
    // call does both jobs and spares the run a stat per target change.
    open(path, O_RDWR | O_CREAT);
}

void CustomDataFile::open(const std::string& path, int flags)
{
    close();
    int fd;
    do
        fd = ::open(path.c_str(), flags | O_CLOEXEC, kNewFileMode);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        common::throwLastIoError(path);
    m_fd = fd;
    m_path = path;
}

void CustomDataFile::append(const CustomDataRecord& record)
{
    if (m_fd < 0)
        throw common::ioError(common::io::kFileNotOpen);
    // lseek rather than fstat: on this platform an fstat before the write
    // makes the write renew the file's timestamps, which more than doubles
    // the cost of a run of records to one file.
    off_t length = ::lseek(m_fd, 0, SEEK_END);
    if (length < 0)
        common::throwLastIoError(m_path);
    off_t position = length - length % static_cast<off_t>(kRecordSize);
    RecordBytes bytes = encodeRecord(record);
    ssize_t written;
    do
        written = ::pwrite(m_fd, bytes.data(), bytes.size(), position);
    while (written < 0 && errno == EINTR);
    if (written < 0)
        common::throwLastIoError(m_path);
    if (static_cast<std::size_t>(written) != bytes.size())
        throw common::ioError(common::io::kShortWrite);
}

void CustomDataFile::close()
{
    if (m_fd < 0)
        return;
    int fd = m_fd;
    m_fd = -1;
    // The descriptor is gone whatever close() returns; a failure there (a
    // delayed write error on a network file system) is still reported.
    if (::close(fd) != 0 && errno != EINTR)
        common::throwLastIoError(m_path);
}

} // namespace importer
