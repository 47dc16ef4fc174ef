// Dates and times as XML workbook formats write them (ISO 8601), as the
// system's date-time values (days since 1899-12-30, the fraction the time
// of day): absolute, whatever date system the workbook counts serials in.
#pragma once

#include <string_view>

namespace table {

// The value of a date or date-time ("2024-01-05", "2024-01-05T10:30:00.5",
// a trailing "Z" allowed), or false when the text is none.
bool parseIsoDateTime(std::string_view text, double& value);

// The days of a duration ("PT10H30M00S", "-P1DT2H", "PT010H00M00.5S"), as
// OpenDocument writes a time of day, or false when the text is none. Years
// and months, whose length in days is not fixed, are refused unless zero.
bool parseIsoDuration(std::string_view text, double& days);

} // namespace table
