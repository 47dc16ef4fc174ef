// The link from a posted query row to the workbook file: the row's cells
// are found at their place in the sheet (header row, then the data rows in
// sheet order, whatever the query's sort) and written into the file.
#pragma once

#include "workbook/QueryImpl.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace workbook {

class Connection;

// Writes the set cells of `buffer` as row `row` (nothing: a new row after
// the last) of `table`, the table at `tableIndex` of `file`, into that file,
// which must still be the connection's. Does nothing when no cell is set.
// Holds the file's replace lock (common/FileReplace.h) while the format
// reads, writes and replaces it, and first checks that the file on the disk
// is still the one the connection read (its stamp); every format gets this.
// Throws common::Error when the file has changed (kWorkbookChanged), when
// another write-back holds it too long (kWorkbookBusy), or with the format's
// message when the file cannot take the row; the file is then as it was.
void writePostedRow(Connection& connection, const std::shared_ptr<WorkbookFile>& file, std::size_t tableIndex,
                    const table::Table& table, std::optional<std::size_t> row,
                    const std::vector<PendingCell>& buffer);

} // namespace workbook
