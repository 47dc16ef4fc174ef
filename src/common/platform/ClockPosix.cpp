#include "common/Clock.h"

#include <ctime>

namespace common {

int currentLocalYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local))
        return 1970;
    return local.tm_year + 1900;
}

} // namespace common
