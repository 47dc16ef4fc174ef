#include "support/SystemTexts.h"

#include "common/platform/PosixError.h"

#include <cerrno>

namespace testing_support {

std::string systemText(Failure failure)
{
    switch (failure) {
    case Failure::MissingFile:
    case Failure::MissingFolder:
        return common::posix::systemErrorText(ENOENT);
    case Failure::Folder:
        return common::posix::systemErrorText(EISDIR);
    case Failure::Exists:
        return common::posix::systemErrorText(EEXIST);
    case Failure::InvalidName:
        return "The filename, directory name, or volume label syntax is incorrect";
    case Failure::AccessDenied:
        break;
    }
    return common::posix::systemErrorText(EACCES);
}

} // namespace testing_support
