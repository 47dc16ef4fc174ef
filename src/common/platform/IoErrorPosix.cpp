// The Windows codes for errno values, so that messages read as on Windows.
#include "common/IoError.h"

#include "common/platform/PosixError.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace common {

namespace {

// Windows codes for errno values that have no entry in io:: (the message is
// "I/O error %d" for all of them).
constexpr int kErrorGenFailure = 31;
constexpr int kErrorNotSameDevice = 17;
constexpr int kErrorBrokenPipe = 109;
constexpr int kErrorDirNotEmpty = 145;
constexpr int kErrorFilenameTooLong = 206;
constexpr int kErrorFileTooLarge = 223;
constexpr int kErrorIoDevice = 1117;
constexpr int kErrorCantResolveFilename = 1921;

struct ErrnoCode {
    int errnoValue;
    int windowsCode;
};

// ENOENT is not here: it needs the path (see windowsCodeFromErrno).
constexpr ErrnoCode kErrnoCodes[] = {
    {ENOTDIR, io::kPathNotFound},
    {EEXIST, io::kAlreadyExists},
    {EACCES, io::kAccessDenied},
    {EPERM, io::kAccessDenied},
    {EROFS, io::kAccessDenied},
    {EISDIR, io::kAccessDenied},
    {EMFILE, io::kTooManyOpenFiles},
    {ENFILE, io::kTooManyOpenFiles},
    {ENOSPC, io::kDiskFull},
    {EDQUOT, io::kDiskFull},
    {EINVAL, io::kInvalidName},
    {EILSEQ, io::kInvalidName},
    {EBUSY, io::kSharingViolation},
    {ETXTBSY, io::kSharingViolation},
    {ENAMETOOLONG, kErrorFilenameTooLong},
    {ELOOP, kErrorCantResolveFilename},
    {EXDEV, kErrorNotSameDevice},
    {ENOTEMPTY, kErrorDirNotEmpty},
    {EPIPE, kErrorBrokenPipe},
    {EFBIG, kErrorFileTooLarge},
    {EIO, kErrorIoDevice},
};

// The folder part of `path` exists (a name without a folder lives in the
// current folder, which does; the empty name has no folder to live in).
bool parentFolderExists(const std::string& path)
{
    if (path.empty())
        return false;
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return true;
    const std::string folder = slash == 0 ? std::string("/") : path.substr(0, slash);
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

namespace posix {

int windowsCodeFromErrno(int errnoValue, const std::string& path)
{
    if (errnoValue == ENOENT)
        return parentFolderExists(path) ? io::kFileNotFound : io::kPathNotFound;
    for (const ErrnoCode& entry : kErrnoCodes) {
        if (entry.errnoValue == errnoValue)
            return entry.windowsCode;
    }
    return kErrorGenFailure;
}

} // namespace posix

std::string invalidNameText()
{
    // As the file errors quote every description: without its final period.
    return "The filename, directory name, or volume label syntax is incorrect";
}

void throwLastIoError(const std::string& path)
{
    const int errnoValue = errno;
    throw posix::errnoError(errnoValue, path);
}

namespace posix {

std::string systemErrorText(int errnoValue)
{
    std::string text = std::strerror(errnoValue);
    while (!text.empty() &&
           (text.back() == ' ' || text.back() == '\r' || text.back() == '\n' || text.back() == '.'))
        text.pop_back();
    return text;
}

Error errnoError(int errnoValue, const std::string& path)
{
    return ioError(windowsCodeFromErrno(errnoValue, path), systemErrorText(errnoValue));
}

} // namespace posix

} // namespace common
