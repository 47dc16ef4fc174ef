// The text form of a cell, as the sheet query shows it.
#pragma once

#include "common/RegionalSettings.h"
#include "table/Cell.h"

#include <string>
#include <string_view>
#include <vector>

namespace table {

// General format with 15 significant digits: "-" for negatives, no thousands
// separators, `decimalSeparator` for the point, trailing zeros dropped; plain
// notation for 1E-4 <= |x| < 1E15, else mantissa, "E", exponent ("1E15",
// "1.5E-5"). Zero is "0"; infinities and NaN, which no spreadsheet stores,
// come out as "INF", "-INF" and "NAN".
std::string numberText(double value, char decimalSeparator);

// A date-time value (days since 1899-12-30) in the short date format of the
// settings (d, dd, m, mm, yy, yyyy; "/" stands for the date separator),
// followed by " h:nn:ss" with the time separator when it has a time of day.
// A value of day 0 with a time shows the time alone.
std::string dateTimeText(double value, const common::RegionalSettings& settings);

// "True" or "False", as the data layer's boolean fields give them.
std::string booleanText(bool value);
// "#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A"; other
// codes "#ERR<code>".
std::string errorText(std::uint8_t code);
// The code of an error value's text ("#DIV/0!"): errorText backwards, and
// #VALUE! for a text that is no error value Excel knows.
std::uint8_t errorCodeOf(std::string_view text);

// cellText's way for the kinds other than numbers (numbers too).
std::string nonNumberCellText(const Cell& cell, const std::vector<std::string>& texts,
                              const common::RegionalSettings& settings);

// Any cell: empty gives "", text its text, the rest as above. Inline, as
// numbers, most of a sheet, go straight to their text.
inline std::string cellText(const Cell& cell, const std::vector<std::string>& texts,
                            const common::RegionalSettings& settings)
{
    if (cell.kind == CellKind::Number)
        return numberText(cell.number, settings.decimalSeparator);
    return nonNumberCellText(cell, texts, settings);
}

} // namespace table
