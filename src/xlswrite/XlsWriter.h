// Writing posted cells into an .xls file on disk, through the write-back
// path every format shares (common/WorkbookWriteBack.h): a temporary file
// beside the original, read back and checked, then renamed. Supported: BIFF8
// workbooks (Excel 97-2003, as LibreOffice, Gnumeric and Excel write them);
// numbers, dates, texts and booleans stored, or cells emptied, in one row
// of one worksheet at a time, including a row past the last.
#pragma once

#include "common/CodePage.h"
#include "xlswrite/WorkbookStreamWrite.h"

#include <cstddef>
#include <string>
#include <vector>

namespace xlswrite {

// Stores `cells` in the `sheetIndex`-th worksheet (named `sheetName`) of the
// workbook at `path`. Throws common::Error common::kCannotWriteWorkbook with the
// reason (read-only, open in another program, Excel 5.0/95, encrypted, a
// form not supported, the check failed); the file is then unchanged and no
// temporary file is left behind.
void writeCellsToFile(const std::string& path, std::size_t sheetIndex, const std::string& sheetName,
                      const std::vector<table::CellWrite>& cells, const common::CodePage& codePage);

} // namespace xlswrite
