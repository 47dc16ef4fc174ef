// The .xlsx reader's reasons for refusing a file (English, as the rest of
// the data layer's messages). The data layer puts them after the path in
// its "Cannot open the workbook" message. "%s" marks where details go.
#pragma once

namespace xlsx {

constexpr const char* kReasonNotOpenXml = "it is not an Office Open XML workbook (it has no part \"%s\")";
constexpr const char* kReasonNoWorkbookPart =
    "it is not an Office Open XML workbook (its package names no workbook)";
constexpr const char* kReasonBadCell = "cell %s: %s";
constexpr const char* kReasonNoSharedString = "it names a shared string that does not exist";
constexpr const char* kReasonNotNumber = "its value \"%s\" is not a number";
constexpr const char* kReasonNotBoolean = "its value \"%s\" is not a boolean";
constexpr const char* kReasonNotDate = "its date \"%s\" cannot be read";
constexpr const char* kReasonBadReference = "the cell reference \"%s\" cannot be read";
constexpr const char* kReasonBadRowNumber = "the row number \"%s\" cannot be read";
constexpr const char* kReasonTextTooLong = "a text in it is longer than 1 MiB";
constexpr const char* kReasonOutOfMemory = "it asks for more memory than there is";
constexpr const char* kReasonTooManyCells = "its sheets claim far more cells than it holds";

} // namespace xlsx
