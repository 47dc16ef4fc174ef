// What the import accepts from one line of a QuoteTxtFile: CODE TAB DATE TAB VALUE.
// Texts are bytes in the system code page.
#pragma once

#include "common/RegionalSettings.h"
#include "import/CustomDataRecord.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace importer {

// A line's text longer than this (1 MiB) cannot be a record worth reading;
// it is skipped as it is read, so that no input holds more memory than this.
constexpr std::size_t kMaxQuoteLineLength = std::size_t{1} << 20;

// Why a line gives no record.
enum class SkipReason {
    NoSecondTab,    // fewer than two tabs: the line has no date field
    DateNotParsed,  // the date field (empty too) is no date
    DateOutOfRange, // a date whose seconds count a record cannot carry
    ValueNotNumber, // the value field is no number
    LineTooLong,    // longer than kMaxQuoteLineLength; not read
    // Not a fault of the line: its record file holds a record of its time
    // already, and the run was asked to leave such lines out.
    AlreadyInRecordFile,
};
inline constexpr std::size_t kSkipReasonCount = 6;

struct QuoteLineFields {
    std::string_view code;  // before the first tab; empty when the line has none
    std::string_view date;  // between the first and second tab, as written
    std::string_view value; // after the second tab, further tabs included
    bool hasSecondTab = false;
};

// Splits a line. Without a first tab the code is empty and the rest is the
// whole line; without a second tab the date is empty and the value is the
// whole rest. The views point into `line`.
QuoteLineFields splitQuoteLine(std::string_view line);

// The date field as the date parse gets it: every "-" made "/". Written into
// `out`, which a caller reuses from line to line.
void normalizeDateField(std::string_view date, std::string& out);

// The record of a line, or why the line is skipped.
struct QuoteRecord {
    CustomDataRecord record;
    std::optional<SkipReason> skipped; // set: there is no record
};

// The record of a normalised date field and a value field, or the reason
// there is none: a date that does not parse, a date outside what the
// record's time can carry (recordTime), a value that does not parse. The
// date is looked at first, so a line with a bad date never raises. Throws
// Error("Floating point overflow") for a value beyond single precision.
QuoteRecord parseQuoteRecord(std::string_view normalizedDate, std::string_view value,
                             const common::RegionalSettings& settings, int currentYear);

} // namespace importer
