// Reading the cell references of SpreadsheetML ("B7": column letters A to
// XFD, then the row number from 1; table/CellAddress.h writes them), and
// the size of a sheet.
#pragma once

#include "table/SheetLimits.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace xlsx {

using table::kSheetColumns;
using table::kSheetRows;

enum class Reference {
    Valid,
    Malformed,
    BeyondSheet, // well formed, but past row 1048576 or column XFD
};

// Reads "B7" into the 0-based row 6 and column 1 (row and column are set
// only for a valid reference).
Reference parseCellReference(std::string_view text, std::uint32_t& row, std::uint32_t& column);

} // namespace xlsx
