// The local clock on POSIX: the calendar year of the local time zone.
#include "common/Clock.h"

#include <ctime>

namespace common {

namespace {

// Only a clock set beyond what the C library can break down lands here.
constexpr int kEpochYear = 1970;

} // namespace

int currentLocalYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local))
        return kEpochYear;
    return local.tm_year + 1900;
}

} // namespace common
