// Record times as people read them: the date and time of day the seconds
// since 1970 stand for, as written in the text files (no time zone).
#pragma once

#include <cstdint>
#include <string>

namespace importer {

// "YYYY-MM-DD HH:MM:SS".
std::string secondsText(std::int64_t seconds);

// "YYYY-MM-DD" for a date alone (midnight, as a line without a time of day
// gives), otherwise as secondsText.
std::string secondsDateText(std::int64_t seconds);

} // namespace importer
