// The date parse: a date in the locale's order and separator, optionally
// followed by a time of day, or a time alone. Never throws.
#pragma once

#include "common/RegionalSettings.h"

#include <optional>
#include <string_view>

namespace common {

// A date-time value: days since 1899-12-30, the fraction being the time of day.
using DateTime = double;

constexpr double kUnixEpochDay = 25569.0; // 1970-01-01

// The parsed value, or nothing when the text is not a date (with optional
// time) or a time. `currentYear` places two-digit years and dates without a year.
std::optional<DateTime> parseDateTime(std::string_view text, const RegionalSettings& settings,
                                      int currentYear);

// Day number (days since 1899-12-30) of a Gregorian date; nothing when the
// date does not exist (year 1..9999).
std::optional<long> dayNumber(int year, int month, int day);

} // namespace common
