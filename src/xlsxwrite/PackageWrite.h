// Storing posted cells into an .xlsx or .xlsm package: the worksheet part
// rewritten (SheetPartWrite.h), new texts appended to the shared strings
// (or written inline where the workbook keeps none), and every other entry
// of the zip copied with its compressed bytes unchanged.
#pragma once

#include "common/CodePage.h"
#include "table/CellWrite.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xlsxwrite {

// The package `original` with `cells` stored in its `sheetIndex`-th
// worksheet, which must still be named `sheetName` (system code page).
// Throws common::Error with the reason when the package cannot take them.
std::string writeCellsToPackage(std::string_view original, std::size_t sheetIndex,
                                const std::string& sheetName, const std::vector<table::CellWrite>& cells,
                                const common::CodePage& codePage);

// Nothing when the package `written` holds `original` with `cells` stored
// in worksheet `sheetIndex`; otherwise what differs first. Throws
// common::Error when `written` cannot be read.
std::optional<std::string> differenceAfterWrite(std::string_view original, std::string_view written,
                                                std::size_t sheetIndex,
                                                const std::vector<table::CellWrite>& cells,
                                                const common::CodePage& codePage);

} // namespace xlsxwrite
