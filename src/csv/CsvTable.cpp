#include "csv/CsvTable.h"

#include "common/Error.h"
#include "csv/CsvMessages.h"
#include "csv/CsvRecords.h"
#include "csv/CsvText.h"
#include "table/TableBuilder.h"

#include <cstdint>

namespace csv {

namespace {

// A table's rows and cells are counted in 32 bits. Every field takes at
// least a byte of the file, so only a file of gigabytes comes near.
constexpr std::uint32_t kMaxRecords = UINT32_MAX - 1;
constexpr std::size_t kMaxCells = UINT32_MAX - 1;

} // namespace

std::unique_ptr<table::Table> readCsvTable(std::string_view bytes, const common::CodePage& codePage,
                                           const common::RegionalSettings& settings,
                                           std::vector<std::string>& texts)
{
    std::string converted;
    const std::string_view text = textInCodePage(fileTextOf(bytes), codePage, converted);
    std::size_t cellBudget = kMaxCells;
    // Room for a cell every eight bytes is reserved; more grows as needed.
    table::OrderedRows rows(text.size() / 8, cellBudget, kReasonTooLarge);
    RecordReader records(text);
    for (std::uint32_t record = 0; records.next(); ++record) {
        if (record == kMaxRecords)
            throw common::Error(kReasonTooManyLines);
        for (std::size_t field = 0; field < records.fieldCount(); ++field) {
            const std::string_view value = records.field(field);
            if (value.empty())
                continue;
            texts.emplace_back(value);
            rows.add(record, static_cast<std::uint16_t>(field),
                     table::Cell::ofText(static_cast<std::uint32_t>(texts.size() - 1)));
        }
    }
    return table::tableOfOrderedRows(rows, texts, settings, cellBudget);
}

} // namespace csv
