// Reading any bytes as a .csv file, then writing a posted cell back into
// them: the reader must give a table or throw common::Error, never crash,
// hang or run out of memory; and whenever it gives one, the rewritten file
// must pass the writer's own read-back check (the writer quotes every
// field so that the reader gets it back). Seeds: fuzz/corpus/CsvFuzz.
#include "common/Error.h"
#include "csv/CsvTable.h"
#include "csv/CsvWriter.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const common::CodePage codePage(936);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> texts;
    try {
        const auto table = csv::readCsvTable(bytes, codePage, common::RegionalSettings{}, texts);
        // A place in or just past the table, picked by the input's first bytes.
        const std::size_t rows = table->headerRow() + table->rowCount() + 2;
        const std::size_t columns = table->firstColumn() + table->fieldCount() + 1;
        const auto pick = [&](std::size_t at, std::size_t count) { return size > at ? data[at] % count : 0; };
        std::vector<table::CellWrite> cells(2);
        cells[0].row = static_cast<std::uint32_t>(pick(0, rows));
        cells[0].column = static_cast<std::uint16_t>(pick(1, columns));
        cells[0].value.kind = table::CellKind::Text;
        cells[0].text = " a\"b,\r\nc\r";
        cells[1].row = static_cast<std::uint32_t>(pick(2, rows));
        cells[1].column = static_cast<std::uint16_t>(pick(3, columns));
        if (cells[1].row == cells[0].row && cells[1].column == cells[0].column)
            cells.pop_back();
        const std::string written = csv::rewriteCsv(bytes, cells, codePage);
        if (csv::differenceAfterWrite(bytes, written, cells, codePage))
            __builtin_trap();
    } catch (const common::Error&) {
    }
    return 0;
}
