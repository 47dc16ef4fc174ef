// The user's regional settings on Windows, from the user's default locale.
#include "common/RegionalSettings.h"

#include "common/platform/WinApi.h"

#include <cstdlib>

namespace common {

namespace {

// The item's value in the ANSI code page; empty when the locale has none.
std::string localeItem(LCTYPE item)
{
    char buffer[128];
    const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length - 1)) : std::string();
}

} // namespace

RegionalSettings loadUserRegionalSettings()
{
    WindowsLocaleItems items;
    items.dateSeparator = localeItem(LOCALE_SDATE);
    items.shortDateFormat = localeItem(LOCALE_SSHORTDATE);
    items.timeSeparator = localeItem(LOCALE_STIME);
    items.decimalSeparator = localeItem(LOCALE_SDECIMAL);
    items.amDesignator = localeItem(LOCALE_S1159);
    items.pmDesignator = localeItem(LOCALE_S2359);
    const WORD language = PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID()));
    items.chineseJapaneseOrKorean =
        language == LANG_CHINESE || language == LANG_JAPANESE || language == LANG_KOREAN;
    const std::string calendar = localeItem(LOCALE_ICALENDARTYPE);
    if (!calendar.empty())
        items.calendarType = std::atoi(calendar.c_str());
    return regionalSettingsFromWindows(items);
}

} // namespace common
