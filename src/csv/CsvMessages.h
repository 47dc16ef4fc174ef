// Why a .csv file cannot be read or written (English, as the rest of the
// data layer's messages). They follow the path in the data layer's "Cannot
// open the workbook" and "Cannot write the posted row" messages. "%s" marks
// where details go.
#pragma once

namespace csv {

constexpr const char* kReasonOpenQuote =
    "the quoted field that begins on line %s has no closing quote before the end of the file";
constexpr const char* kReasonTooManyFields = "line %s has more than %s fields";
constexpr const char* kReasonTooManyLines = "it has more lines than a table can hold";
constexpr const char* kReasonTooLarge = "it holds more fields than a table can hold";
constexpr const char* kWriteReasonNotText = "cell %s of a .csv file can hold only text";

} // namespace csv
