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

// The Windows locale items that the settings come from, as GetLocaleInfo
// gives them (empty when it gives nothing).
struct WindowsLocaleItems {
    std::string dateSeparator;            // LOCALE_SDATE
    std::string shortDateFormat;          // LOCALE_SSHORTDATE
    std::string timeSeparator;            // LOCALE_STIME
    std::string decimalSeparator;         // LOCALE_SDECIMAL
    std::string amDesignator;             // LOCALE_S1159
    std::string pmDesignator;             // LOCALE_S2359
    bool chineseJapaneseOrKorean = false; // the locale's primary language
    int calendarType = 1;                 // LOCALE_ICALENDARTYPE (CAL_GREGORIAN)
};

// Settings from Windows locale items. A one-character setting takes a value
// of exactly one byte, and the default otherwise; the short date format is
// the locale's, except that for Chinese, Japanese and Korean locales whose
// calendar counts no eras (any but CAL_JAPAN, CAL_TAIWAN and CAL_KOREA) every
// era marker "g" or "G" is removed from it.
RegionalSettings regionalSettingsFromWindows(const WindowsLocaleItems& items);

// The settings of the user's locale (platform implementation). On POSIX this
// selects the user's locale for the whole process (setlocale(LC_ALL, "")) and
// then puts LC_NUMERIC back to "C", so that the C library keeps writing and
// reading numbers with "."; on Windows it asks GetLocaleInfo and leaves the
// C library's locale alone.
RegionalSettings loadUserRegionalSettings();

} // namespace common
