// The regional settings that govern dates and numbers. One set is filled from
// the user's locale at start-up; the core always receives it as a value.
#pragma once

#include <string>
#include <string_view>

namespace common {

struct RegionalSettings {
    char dateSeparator = '/';
    std::string shortDateFormat = "m/d/yy";
    char timeSeparator = ':';
    char decimalSeparator = '.';
    std::string amMarker = "am";
    std::string pmMarker = "pm";
    int twoDigitYearWindow = 50;
};

// Settings from the POSIX locale items D_FMT, T_FMT, RADIXCHAR, AM_STR and
// PM_STR. A one-character setting takes the first character of the value;
// a missing, multi-byte or longer value gives the default. The separators are
// the literal after the first date (time) field of D_FMT (T_FMT); the short
// date format lists D_FMT's fields in order ("%m/%d/%y" gives "m/d/yy").
RegionalSettings regionalSettingsFromPosix(std::string_view dFmt, std::string_view tFmt,
                                           std::string_view radixChar, std::string_view amStr,
                                           std::string_view pmStr);

// The settings of the user's locale (platform implementation). On POSIX this
// selects the user's locale for the whole process (setlocale(LC_ALL, "")) and
// then puts LC_NUMERIC back to "C", so that the C library keeps writing and
// reading numbers with ".".
RegionalSettings loadUserRegionalSettings();

} // namespace common
