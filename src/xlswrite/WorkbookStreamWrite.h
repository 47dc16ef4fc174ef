// Writing cells into a BIFF8 workbook stream: the sheet's cell table is
// rebuilt, new texts go into the shared-string table, and every stream
// offset that the change moves (BOUNDSHEET, INDEX, EXTSST) is made right.
#pragma once

#include "common/CodePage.h"
#include "table/CellWrite.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xlswrite {

// The stream with `cells` stored in its `sheetIndex`-th worksheet (counted
// as Workbook::sheets counts them), whose name must still be `sheetName`.
// Throws common::Error whose text is the reason the stream cannot be
// written (an Excel 5.0/95 stream, encryption, a form this writer does not
// take, damage).
std::string writeCellsToStream(std::string_view stream, std::size_t sheetIndex, const std::string& sheetName,
                               const std::vector<table::CellWrite>& cells, const common::CodePage& codePage);

} // namespace xlswrite
