#include "common/IoError.h"

namespace common {

std::string ioErrorMessage(int code)
{
    switch (code) {
    case io::kFileNotFound:
        return "File not found";
    case io::kPathNotFound:
        return "Invalid filename";
    case io::kTooManyOpenFiles:
        return "Too many open files";
    case io::kAccessDenied:
        return "File access denied";
    case io::kReadBeyondEnd:
        return "Read beyond end of file";
    case io::kShortWrite:
        return "Disk full";
    case io::kInvalidNumericInput:
        return "Invalid numeric input";
    default:
        return "I/O error " + std::to_string(code);
    }
}

Error ioError(int code, std::string systemText)
{
    return Error(ioErrorMessage(code), Error::Kind::Io, code, std::move(systemText));
}

} // namespace common
