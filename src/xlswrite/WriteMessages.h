// Messages of the .xls writer (English, like the rest of the data layer's).
// A post that cannot be written fails with common::kCannotWriteWorkbook:
// the path, then one of the reasons below, or one that every writer shares
// (common/WorkbookWriteBack.h, table/CellWriteMessages.h).
#pragma once

#include "table/CellWriteMessages.h"

namespace xlswrite {

using table::kWriteReasonChanged;
using table::kWriteReasonFormula;
using table::kWriteReasonNoDateFormat;
using table::kWriteReasonNotFinite;
using table::kWriteReasonTextTooLong;
using table::kWriteReasonTooFar;

constexpr const char* kWriteReasonBiff5 =
    "it is an Excel 5.0/95 workbook, and only Excel 97-2003 workbooks can be written";
constexpr const char* kWriteReasonSheetLayout =
    "its sheets do not lie one after another in the workbook stream";
constexpr const char* kWriteReasonScattered = "the cells of sheet '%s' are not kept in one block";
constexpr const char* kWriteReasonNoDimension = "sheet '%s' has no DIMENSION record";
constexpr const char* kWriteReasonNoSharedStrings = "it has no shared-string table for the text in cell %s";

} // namespace xlswrite
