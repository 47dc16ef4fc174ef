#include "import/RecordTimeText.h"

#include <chrono>
#include <cstdio>

namespace importer {

std::string secondsText(std::int64_t seconds)
{
    using namespace std::chrono;
    const sys_seconds when{std::chrono::seconds{seconds}};
    const sys_days day = floor<days>(when);
    const year_month_day date{day};
    const hh_mm_ss<std::chrono::seconds> clock{when - day};
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return text;
}

std::string secondsDateText(std::int64_t seconds)
{
    std::string text = secondsText(seconds);
    if (text.ends_with(" 00:00:00"))
        text.resize(text.size() - 9);
    return text;
}

} // namespace importer
