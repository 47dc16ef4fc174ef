#include "xlswrite/XlsWriter.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "xls/CompoundFile.h"
#include "xlswrite/CompoundFileWriter.h"
#include "xlswrite/WriteCheck.h"
#include "xlswrite/WriteMessages.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace xlswrite {

namespace {

// The reason a write failed; turned into the one user message at the top.
struct Refusal {
    std::string reason;
};

[[noreturn]] void refuse(const std::string& reason)
{
    throw Refusal{reason};
}

std::string systemReason(const char* pattern, int error)
{
    return common::formatMessage(pattern, {std::strerror(error)});
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

std::string nameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file the path names, through any symbolic links, so that the rename
// replaces the workbook and not a link to it.
std::string realPathOf(const std::string& path)
{
    char resolved[PATH_MAX];
    if (!::realpath(path.c_str(), resolved))
        refuse(systemReason(kWriteReasonUnwritable, errno));
    return resolved;
}

// Read-only files are refused even where the rename would get past them
// (a rename needs only the folder's permission, and root may write anything).
std::string readForWriting(const std::string& path, struct stat& info)
{
    if (::stat(path.c_str(), &info) != 0)
        refuse(systemReason(kWriteReasonUnwritable, errno));
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        refuse(kWriteReasonReadOnly);
    // LibreOffice marks a workbook it has open with a lock file beside it.
    if (::access((folderOf(path) + "/.~lock." + nameOf(path) + "#").c_str(), F_OK) == 0)
        refuse(kWriteReasonInUse);
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        refuse(errno == EACCES || errno == EROFS || errno == EPERM
                   ? std::string(kWriteReasonReadOnly)
                   : systemReason(kWriteReasonUnwritable, errno));
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (got <= 0) {
            const int error = got < 0 ? errno : EIO;
            ::close(fd);
            refuse(systemReason(kWriteReasonUnwritable, error));
        }
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return bytes;
}

void writeAll(int fd, const std::string& bytes, const std::string& temporary)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            const int error = put < 0 ? errno : EIO;
            ::close(fd);
            ::unlink(temporary.c_str());
            refuse(systemReason(kWriteReasonNoTemporary, error));
        }
        done += static_cast<std::size_t>(put);
    }
    if (::fsync(fd) != 0 || ::fchmod(fd, 0600) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        refuse(systemReason(kWriteReasonNoTemporary, error));
    }
}

// Writes the bytes to a new file beside `path`; returns its name.
std::string writeTemporary(const std::string& path, const std::string& bytes)
{
    std::string name = temporaryPrefixFor(path) + "XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        refuse(systemReason(kWriteReasonNoTemporary, errno));
    writeAll(fd, bytes, name);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(name.c_str());
        refuse(systemReason(kWriteReasonNoTemporary, error));
    }
    return name;
}

// Reads the temporary file back from the disk and checks it; removes it
// when it fails.
void checkTemporary(const std::string& temporary, const std::string& original, std::size_t sheetIndex,
                    const std::vector<CellWrite>& cells, const common::CodePage& codePage)
{
    struct stat unused {};
    std::optional<std::string> difference;
    try {
        const std::string written = readForWriting(temporary, unused);
        difference = differenceAfterWrite(original, written, sheetIndex, cells, codePage);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    if (difference) {
        ::unlink(temporary.c_str());
        refuse(common::formatMessage(kWriteReasonCheckFailed, {*difference}));
    }
}

// The new file takes the original's permissions and, where allowed, its
// owner, then its name.
void replaceOriginal(const std::string& temporary, const std::string& path, const struct stat& original)
{
    if (::chown(temporary.c_str(), original.st_uid, original.st_gid) != 0) {
        // Only root may give a file away; anyone else's copy stays theirs.
    }
    if (::chmod(temporary.c_str(), original.st_mode & 07777) != 0 ||
        ::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        refuse(systemReason(kWriteReasonUnwritable, error));
    }
    // The rename itself lasts only once the folder is on the disk too.
    const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void write(const std::string& path, std::size_t sheetIndex, const std::string& sheetName,
           const std::vector<CellWrite>& cells, const common::CodePage& codePage)
{
    const std::string target = realPathOf(path);
    struct stat info {};
    const std::string original = readForWriting(target, info);
    std::size_t entry = 0;
    const std::string stream = workbookStreamOf(original, true, &entry);
    const std::string newStream = writeCellsToStream(stream, sheetIndex, sheetName, cells, codePage);
    const xls::CompoundFile file(original);
    const std::string bytes = rewriteCompoundFile(file, original, entry, newStream);
    const std::string temporary = writeTemporary(target, bytes);
    checkTemporary(temporary, original, sheetIndex, cells, codePage);
    replaceOriginal(temporary, target, info);
}

} // namespace

std::string temporaryPrefixFor(const std::string& path)
{
    return folderOf(path) + "/." + nameOf(path) + ".saving-";
}

void writeCellsToFile(const std::string& path, std::size_t sheetIndex, const std::string& sheetName,
                      const std::vector<CellWrite>& cells, const common::CodePage& codePage)
{
    try {
        write(path, sheetIndex, sheetName, cells, codePage);
    } catch (const Refusal& refusal) {
        throw common::Error(common::formatMessage(kCannotWriteWorkbook, {path, refusal.reason}));
    } catch (const common::Error& error) {
        throw common::Error(common::formatMessage(kCannotWriteWorkbook, {path, error.what()}));
    } catch (const std::bad_alloc&) {
        throw common::Error(common::formatMessage(kCannotWriteWorkbook, {path, "there is not enough memory"}));
    }
}

} // namespace xlswrite
