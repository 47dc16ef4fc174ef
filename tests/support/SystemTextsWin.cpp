#include "support/SystemTexts.h"

#include "common/platform/WinApi.h"

namespace testing_support {

std::string systemText(Failure failure)
{
    switch (failure) {
    case Failure::MissingFile:
        return common::win::systemErrorText(ERROR_FILE_NOT_FOUND);
    case Failure::MissingFolder:
        return common::win::systemErrorText(ERROR_PATH_NOT_FOUND);
    case Failure::Exists:
        return common::win::systemErrorText(ERROR_ALREADY_EXISTS);
    case Failure::InvalidName:
        return common::win::systemErrorText(ERROR_INVALID_NAME);
    case Failure::Folder:
    case Failure::AccessDenied:
        break;
    }
    return common::win::systemErrorText(ERROR_ACCESS_DENIED);
}

} // namespace testing_support
