// The check a written workbook must pass before it replaces the original:
// read back with the reader, every cell of every worksheet is what the
// original held, except the written cells, which hold what was written.
#pragma once

#include "common/CodePage.h"
#include "xlswrite/WorkbookStreamWrite.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xlswrite {

// Nothing when `written` (a whole compound file) holds `original` with
// `cells` stored in worksheet `sheetIndex`; otherwise what differs first
// ("cell B7 of sheet 2"). Throws common::Error when `written` cannot be read.
std::optional<std::string> differenceAfterWrite(std::string_view original, std::string_view written,
                                                std::size_t sheetIndex,
                                                const std::vector<table::CellWrite>& cells,
                                                const common::CodePage& codePage);

// The workbook stream of a compound file: its directory entry and bytes.
// Throws common::Error (no workbook stream; an Excel 5.0/95 "Book" stream
// when `biff8Only`).
std::string workbookStreamOf(std::string_view file, bool biff8Only, std::size_t* entry = nullptr);

} // namespace xlswrite
