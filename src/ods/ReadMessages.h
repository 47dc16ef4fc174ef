// The .ods reader's reasons for refusing a file (English, as the rest of the
// data layer's messages). The data layer puts them after the path in its
// "Cannot open the workbook" message. "%s" marks where details go.
#pragma once

namespace ods {

constexpr const char* kReasonNotSpreadsheet = "it is an OpenDocument file, but not a spreadsheet (%s)";
constexpr const char* kReasonNoContent =
    "it is not an OpenDocument spreadsheet (it has no part \"content.xml\")";
constexpr const char* kReasonBadCell = "sheet \"%s\", cell %s: %s";
constexpr const char* kReasonNotNumber = "its value \"%s\" is not a number";
constexpr const char* kReasonNotBoolean = "its value \"%s\" is not a boolean";
constexpr const char* kReasonNotDate = "its date \"%s\" cannot be read";
constexpr const char* kReasonNotTime = "its time \"%s\" cannot be read";
constexpr const char* kReasonBadRepeat = "its repeat count \"%s\" cannot be read";
constexpr const char* kReasonTextTooLong = "a text in it is longer than 1 MiB";
constexpr const char* kReasonOutOfMemory = "it asks for more memory than there is";
constexpr const char* kReasonTooManyCells = "its sheets repeat far more cells than it holds";

} // namespace ods
