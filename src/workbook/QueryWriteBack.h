// The link from a posted query row to the workbook file: the row's cells
// are found at their place in the sheet (header row, then the data rows in
// sheet order, whatever the query's sort) and written into the file.
#pragma once

#include "workbook/QueryImpl.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace workbook {

class Connection;

// Writes the set cells of `buffer` as table row `row` (nothing: a new row
// after the last) of the query's table into the connection's workbook file.
// Does nothing when no cell is set. Throws common::Error (the writer's
// kCannotWriteWorkbook) when the file cannot take the row; the file is then
// as it was.
void writePostedRow(const Connection& connection, const table::Table& table, std::optional<std::size_t> row,
                    const std::vector<PendingCell>& buffer);

} // namespace workbook
