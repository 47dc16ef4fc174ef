// Turning a worksheet into a table: the used range (the rows and columns that
// hold values), its first row as the field names, the rest as data rows.
#pragma once

#include "common/RegionalSettings.h"
#include "table/Table.h"
#include "xls/SheetReader.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace xls {

// Reads the sheet at `offset` in two passes (the first measures every row
// without decoding texts, the second fills the cells in place), so the sheet
// is never held twice. Field names: the header cells' texts, "F" and the
// field's number (from 1) for an empty one; duplicates are kept. A sheet
// without values gives one Text field "F1" and no rows.
// `cellBudget` is what the workbook's tables may still take (cells, and a
// quarter cell per row); a sheet that needs more throws common::Error, so a
// small damaged file cannot make the reader take gigabytes.
std::unique_ptr<table::Table> loadSheetTable(const SheetContext& context, std::uint32_t offset,
                                             std::vector<std::string>& texts,
                                             const common::RegionalSettings& settings,
                                             std::size_t& cellBudget);

} // namespace xls
