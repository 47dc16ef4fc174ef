#include "import/QuoteTxtReader.h"

#include "common/DateTimeParse.h"
#include "common/NumberParse.h"
#include "common/Text.h"

namespace importer {
namespace {

constexpr char kFieldSeparator = '\t';

} // namespace

QuoteLineFields splitQuoteLine(std::string_view line, const common::CodePage& codePage)
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
        std::string_view date = rest.substr(0, tab);
        fields.value = rest.substr(tab + 1);
        // The writer puts dates as yyyy-mm-dd; the parse wants the locale's
        // separator, which on the systems this is made for is "/".
        fields.date = date.find('-') == std::string_view::npos ? std::string(date)
                                                                : common::replaceAll(date, "-", "/", codePage);
    }
    return fields;
}

std::optional<CustomDataRecord> parseQuoteRecord(const QuoteLineFields& fields,
                                                 const common::RegionalSettings& settings, int currentYear)
{
    std::optional<common::DateTime> dateTime = common::parseDateTime(fields.date, settings, currentYear);
    if (!dateTime)
        return std::nullopt;
    std::optional<float> value = common::parseNumber(fields.value, settings);
    if (!value)
        return std::nullopt;
    return CustomDataRecord{recordTime(*dateTime), *value};
}

} // namespace importer
