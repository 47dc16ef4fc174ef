// Rewriting the cell table of one worksheet substream: the ROW records, the
// cell records and the DBCELL blocks, with the INDEX and DIMENSION records
// in front of them made to match. Rows that are not edited keep their
// records byte for byte; only stream positions are recomputed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xlswrite {

// One cell as it is to be stored.
struct StoredCell {
    enum class Kind { Empty, Number, Date, SharedString, Boolean };
    std::uint32_t row = 0;
    std::uint16_t column = 0;
    Kind kind = Kind::Empty;
    double number = 0.0;      // Number; Date: the workbook's own serial
    std::uint32_t string = 0; // SharedString: index in the SST
    bool boolean = false;
};

// What a sheet's cells may be formatted with: per XF index, whether it is
// a cell format (not a style) and whether it shows a date.
struct CellFormats {
    std::vector<char> isCellXf;
    std::vector<char> isDate;
};

struct SheetRewrite {
    std::string bytes;                 // the new substream (and whatever followed it up to the next one)
    std::int64_t sharedStringRefs = 0; // LABELSST records added minus those removed
};

// `segment` is the sheet substream as it lay at stream offset `oldStart`;
// the result is placed at `newStart`. `sheetName` (system code page) names
// the sheet in messages. Throws common::Error (kCannotWrite
// reasons) for a sheet this writer does not take: cells scattered outside
// one cell table, a shared or array formula in an edited cell, no date
// format for a date.
SheetRewrite rewriteSheet(std::string_view segment, std::size_t oldStart, std::size_t newStart,
                          const std::vector<StoredCell>& cells, const CellFormats& formats,
                          const std::string& sheetName);

// A substream that is only moved: its INDEX, which holds stream offsets,
// is shifted by `newStart - oldStart`.
std::string moveSheet(std::string_view segment, std::size_t oldStart, std::size_t newStart);

} // namespace xlswrite
