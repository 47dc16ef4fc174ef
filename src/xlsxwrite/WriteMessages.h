// The .xlsx writer's own reasons for refusing posted cells (English, like
// the rest of the data layer's); those every writer shares are in
// table/CellWriteMessages.h. "%s" marks where details go.
#pragma once

namespace xlsxwrite {

constexpr const char* kWriteReasonFormulaInChain =
    "cell %s of sheet '%s' holds a formula that the workbook's calculation chain lists";
constexpr const char* kWriteReasonNoSheetData = "sheet '%s' has no cell table (sheetData)";

} // namespace xlsxwrite
