// Regional settings from the POSIX locale items of real locales, and their defaults.
#include "common/RegionalSettings.h"

#include <clocale>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

struct PosixCase {
    const char* locale;
    const char* dFmt;
    const char* tFmt;
    const char* radix;
    const char* am;
    const char* pm;
    char dateSeparator;
    const char* shortDateFormat;
    char timeSeparator;
    char decimalSeparator;
    const char* amMarker;
    const char* pmMarker;
};

// D_FMT, T_FMT, RADIXCHAR, AM_STR and PM_STR as glibc gives them.
const PosixCase kCases[] = {
    {"C", "%m/%d/%y", "%H:%M:%S", ".", "AM", "PM", '/', "m/d/yy", ':', '.', "AM", "PM"},
    {"zh_CN.UTF-8", "%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5",
     "%H\xE6\x97\xB6%M\xE5\x88\x86%S\xE7\xA7\x92", ".", "\xE4\xB8\x8A\xE5\x8D\x88",
     "\xE4\xB8\x8B\xE5\x8D\x88", '/', "yyyy/m/d", ':', '.', "\xE4\xB8\x8A\xE5\x8D\x88",
     "\xE4\xB8\x8B\xE5\x8D\x88"},
    {"de_DE", "%d.%m.%Y", "%T", ",", "", "", '.', "d/m/yyyy", ':', ',', "am", "pm"},
    {"en_US", "%m/%d/%Y", "%r", ".", "AM", "PM", '/', "m/d/yyyy", ':', '.', "AM", "PM"},
    {"sv_SE", "%F", "%H.%M.%S", ",", "", "", '-', "yyyy/m/d", '.', ',', "am", "pm"},
    {"hu_HU", "%Y. %m. %d.", "%H:%M:%S", ",", "", "", '/', "yyyy/m/d", ':', ',', "am", "pm"},
    {"ps_AF", "%Y/%m/%d", "%H:%M:%S", "\xD9\xAB", "", "", '/', "yyyy/m/d", ':', '.', "am", "pm"},
    {"bg_BG", "%e.%m.%Y", "%k,%M,%S", ",", "", "", '.', "d/m/yyyy", ',', ',', "am", "pm"},
    {"flags", "%-d/%-m/%Ey", "%OH:%OM", ".", "", "", '/', "d/m/yy", ':', '.', "am", "pm"},
    {"empty", "", "", "", "", "", '/', "m/d/yy", ':', '.', "am", "pm"},
    {"one field", "%Y", "%H", ".", "", "", '/', "yyyy", ':', '.', "am", "pm"},
    {"names", "%a %d %b %Y", "%H:%M", ".", "", "", '/', "d/yyyy", ':', '.', "am", "pm"},
};

TEST(RegionalSettings, FromPosixLocaleItems)
{
    for (const PosixCase& c : kCases) {
        const common::RegionalSettings s =
            common::regionalSettingsFromPosix(c.dFmt, c.tFmt, c.radix, c.am, c.pm);
        EXPECT_EQ(s.dateSeparator, c.dateSeparator) << c.locale;
        EXPECT_EQ(s.shortDateFormat, c.shortDateFormat) << c.locale;
        EXPECT_EQ(s.timeSeparator, c.timeSeparator) << c.locale;
        EXPECT_EQ(s.decimalSeparator, c.decimalSeparator) << c.locale;
        EXPECT_EQ(s.amMarker, c.amMarker) << c.locale;
        EXPECT_EQ(s.pmMarker, c.pmMarker) << c.locale;
        EXPECT_EQ(s.twoDigitYearWindow, 50) << c.locale;
    }
}

TEST(RegionalSettings, DefaultsAreTheDocumentedOnes)
{
    const common::RegionalSettings s;
    EXPECT_EQ(s.dateSeparator, '/');
    EXPECT_EQ(s.shortDateFormat, "m/d/yy");
    EXPECT_EQ(s.timeSeparator, ':');
    EXPECT_EQ(s.decimalSeparator, '.');
    EXPECT_EQ(s.amMarker, "am");
    EXPECT_EQ(s.pmMarker, "pm");
}

TEST(RegionalSettings, LoadingLeavesTheCLibraryNumberFormatAlone)
{
    common::loadUserRegionalSettings();
    const std::string numeric = std::setlocale(LC_NUMERIC, nullptr);
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 2.5);
    // Back to the C locale, so that later tests see English system texts.
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(numeric, "C");
    EXPECT_STREQ(text, "2.5");
}

} // namespace
