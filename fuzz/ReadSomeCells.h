// Takes the cell texts of a workbook's sheets, so that a fuzz run exercises
// the texts as well as the reading. A sheet may span 1048576 x 16384 cells
// however few hold values; a bounded number per input keeps the runs fast.
#pragma once

#include "common/RegionalSettings.h"
#include "table/Table.h"

#include <cstddef>

template <typename Sheets> void readSomeCells(const Sheets& sheets, const common::RegionalSettings& settings)
{
    constexpr std::size_t kCellsToRead = 200000;
    std::size_t total = 0;
    std::size_t read = 0;
    for (const auto& sheet : sheets) {
        const table::Table& table = *sheet.table;
        for (std::size_t row = 0; row < table.rowCount() && read < kCellsToRead; ++row)
            for (std::size_t field = 0; field < table.fieldCount() && read < kCellsToRead; ++field, ++read)
                total += table.cellText(row, field, settings).size();
    }
    if (total == static_cast<std::size_t>(-1))
        __builtin_trap(); // keeps the reads from being optimised away
}
