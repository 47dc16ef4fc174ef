// Messages of the workbook writer (English, like the rest of the data
// layer's). A post that cannot be written fails with kCannotWriteWorkbook:
// the path, then one of the reasons below.
#pragma once

namespace xlswrite {

constexpr const char* kCannotWriteWorkbook = "Cannot write the posted row into the workbook \"%s\": %s";

constexpr const char* kWriteReasonReadOnly = "the file is read-only";
constexpr const char* kWriteReasonInUse = "the file is open in another program";
constexpr const char* kWriteReasonUnwritable = "the file cannot be written (%s)";
constexpr const char* kWriteReasonNoTemporary = "no file can be created beside it (%s)";
constexpr const char* kWriteReasonBiff5 =
    "it is an Excel 5.0/95 workbook, and only Excel 97-2003 workbooks can be written";
constexpr const char* kWriteReasonChanged = "the file was changed by another program after it was opened";
constexpr const char* kWriteReasonSheetLayout =
    "its sheets do not lie one after another in the workbook stream";
constexpr const char* kWriteReasonScattered = "the cells of sheet '%s' are not kept in one block";
constexpr const char* kWriteReasonNoDimension = "sheet '%s' has no DIMENSION record";
constexpr const char* kWriteReasonFormula = "cell %s of sheet '%s' holds a shared, array or table formula";
constexpr const char* kWriteReasonNoDateFormat = "it has no date format for the date in cell %s";
constexpr const char* kWriteReasonNoSharedStrings = "it has no shared-string table for the text in cell %s";
constexpr const char* kWriteReasonTooFar = "cell %s lies beyond the last row or column a sheet can hold";
constexpr const char* kWriteReasonNotFinite = "the number for cell %s is not a finite number";
constexpr const char* kWriteReasonTextTooLong =
    "the text for cell %s is longer than the 32767 characters a cell can hold";
constexpr const char* kWriteReasonCheckFailed = "the written copy does not read back as posted (%s)";

} // namespace xlswrite
