// Writing posted cells into an .xlsx or .xlsm file on disk, through the
// write-back path every format shares (common/WorkbookWriteBack.h): the new
// package goes to a temporary file beside the original, is read back with
// the reader and checked, and only then renamed over the original.
#pragma once

#include "common/CodePage.h"
#include "table/CellWrite.h"

#include <cstddef>
#include <string>
#include <vector>

namespace xlsxwrite {

// Stores `cells` in the `sheetIndex`-th worksheet (named `sheetName`) of the
// workbook at `path`. Throws common::Error common::kCannotWriteWorkbook
// with the reason (read-only, open in another program, a formula cell this
// writer may not change, the check failed); the file is then unchanged and
// no temporary file is left behind.
void writeCellsToFile(const std::string& path, std::size_t sheetIndex, const std::string& sheetName,
                      const std::vector<table::CellWrite>& cells, const common::CodePage& codePage);

} // namespace xlsxwrite
