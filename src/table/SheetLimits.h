// The size of a sheet in the XML workbook formats (.xlsx, .xlsm, .ods), as
// Excel from 2007 on and LibreOffice have it, and what a reader says of a
// cell beyond it.
#pragma once

#include <cstdint>

namespace table {

constexpr std::uint32_t kSheetRows = 1048576;
constexpr std::uint32_t kSheetColumns = 16384;

constexpr const char* kReasonBeyondSheet =
    "it reaches beyond the last row or column a sheet can hold (1048576 rows, 16384 columns, up to XFD)";

} // namespace table
