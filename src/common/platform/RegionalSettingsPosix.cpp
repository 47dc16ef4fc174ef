// The user's regional settings on POSIX, read from the locale the user chose.
#include "common/RegionalSettings.h"

#include <clocale>
#include <langinfo.h>

namespace common {

RegionalSettings loadUserRegionalSettings()
{
    // Re-select the user's locale first, so that a changed environment is
    // seen; nl_langinfo then answers from LC_TIME and LC_NUMERIC.
    std::setlocale(LC_ALL, "");
    const std::string dFmt = nl_langinfo(D_FMT);
    const std::string tFmt = nl_langinfo(T_FMT);
    const std::string radix = nl_langinfo(RADIXCHAR);
    const std::string am = nl_langinfo(AM_STR);
    const std::string pm = nl_langinfo(PM_STR);
    // The system's own number rules live in these settings; the C library's
    // number formatting (printf, strtod) keeps the "." it was written for.
    std::setlocale(LC_NUMERIC, "C");
    return regionalSettingsFromPosix(dFmt, tFmt, radix, am, pm);
}

} // namespace common
