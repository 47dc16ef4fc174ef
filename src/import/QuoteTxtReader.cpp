#include "import/QuoteTxtReader.h"

#include "common/DateTimeParse.h"
#include "common/NumberParse.h"

#include <algorithm>

namespace importer {
namespace {

constexpr char kFieldSeparator = '\t';

} // namespace

QuoteLineFields splitQuoteLine(std::string_view line)
{
    QuoteLineFields fields;
    std::string_view rest = line;
    // A tab is below 0x40 and so never a GBK trail byte: a plain byte search
    // finds exactly the separators.
    if (std::size_t tab = line.find(kFieldSeparator); tab != std::string_view::npos) {
        fields.code = line.substr(0, tab);
        rest = line.substr(tab + 1);
    }
    fields.value = rest;
    if (std::size_t tab = rest.find(kFieldSeparator); tab != std::string_view::npos) {
        fields.date = rest.substr(0, tab);
        fields.value = rest.substr(tab + 1);
        fields.hasSecondTab = true;
    }
    return fields;
}

void normalizeDateField(std::string_view date, std::string& out)
{
    // The writer puts dates as yyyy-mm-dd; the parse wants the locale's
    // separator, which on the systems this is made for is "/". Both bytes are
    // below 0x40, never trail bytes, so a byte-wise replace is the text
    // replace of the double-byte rules.
    // One pass, into the string's own storage.
    out.resize(date.size());
    std::transform(date.begin(), date.end(), out.begin(), [](char c) { return c == '-' ? '/' : c; });
}

QuoteRecord parseQuoteRecord(std::string_view normalizedDate, std::string_view value,
                             const common::RegionalSettings& settings, int currentYear)
{
    std::optional<common::DateTime> dateTime = common::parseDateTime(normalizedDate, settings, currentYear);
    if (!dateTime)
        return {{}, SkipReason::DateNotParsed};
    std::optional<std::int32_t> time = recordTime(*dateTime);
    if (!time)
        return {{}, SkipReason::DateOutOfRange};
    std::optional<float> number = common::parseNumber(value, settings);
    if (!number)
        return {{}, SkipReason::ValueNotNumber};
    return {{*time, *number}, std::nullopt};
}

} // namespace importer
