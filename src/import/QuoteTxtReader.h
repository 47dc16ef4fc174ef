// What the import accepts from one line of a QuoteTxtFile: CODE TAB DATE TAB VALUE.
// Texts are bytes in the system code page.
#pragma once

#include "common/RegionalSettings.h"
#include "import/CustomDataRecord.h"

#include <optional>
#include <string>
#include <string_view>

namespace importer {

struct QuoteLineFields {
    std::string_view code;  // before the first tab; empty when the line has none
    std::string_view date;  // between the first and second tab, as written
    std::string_view value; // after the second tab, further tabs included
};

// Splits a line. Without a first tab the code is empty and the rest is the
// whole line; without a second tab the date is empty and the value is the
// whole rest. The views point into `line`.
QuoteLineFields splitQuoteLine(std::string_view line);

// The date field as the date parse gets it: every "-" made "/". Written into
// `out`, which a caller reuses from line to line.
void normalizeDateField(std::string_view date, std::string& out);

// The record of a normalised date field and a value field, or nothing when the date or the value does not
// parse (the line is then skipped). The date is parsed first, so a line with
// a bad date never raises. Throws Error("Floating point overflow") for a
// value beyond single precision.
std::optional<CustomDataRecord> parseQuoteRecord(std::string_view normalizedDate, std::string_view value,
                                                 const common::RegionalSettings& settings, int currentYear);

} // namespace importer
