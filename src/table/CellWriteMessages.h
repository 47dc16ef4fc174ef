// Why a workbook writer refuses posted cells, in the words every format's
// writer shares (English, like the rest of the data layer's). They follow
// the path in common::kCannotWriteWorkbook. "%s" marks where details go.
#pragma once

namespace table {

constexpr const char* kWriteReasonChanged = "the file was changed by another program after it was opened";
constexpr const char* kWriteReasonFormula = "cell %s of sheet '%s' holds a shared, array or table formula";
constexpr const char* kWriteReasonNoDateFormat = "it has no date format for the date in cell %s";
constexpr const char* kWriteReasonTooFar = "cell %s lies beyond the last row or column a sheet can hold";
constexpr const char* kWriteReasonNotFinite = "the number for cell %s is not a finite number";
constexpr const char* kWriteReasonTextTooLong =
    "the text for cell %s is longer than the 32767 characters a cell can hold";

} // namespace table
