// The local clock on Windows: the year of the local time.
#include "common/Clock.h"

#include "common/platform/WinApi.h"

namespace common {

int currentLocalYear()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wYear;
}

} // namespace common
