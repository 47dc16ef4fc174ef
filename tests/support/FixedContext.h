// The context the pages and windows are tested with: year-month-day order
// with "/" (or the given separator), ":" for times, "." for decimals, the
// UTF-8 code page and the year 2026.
#pragma once

#include "pages/AppContext.h"

#include <string>

namespace testing_support {

inline pages::AppContext fixedContext(char dateSeparator = '/')
{
    common::RegionalSettings settings;
    settings.dateSeparator = dateSeparator;
    settings.shortDateFormat = std::string("yyyy") + dateSeparator + "MM" + dateSeparator + "dd";
    settings.timeSeparator = ':';
    settings.decimalSeparator = '.';
    return pages::AppContext{common::CodePage(65001), settings, [] { return 2026; }};
}

} // namespace testing_support
