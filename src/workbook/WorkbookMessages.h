// The data layer's own messages (English, as the original data layer spoke
// English). Kept in one place so that tests compare against the same texts.
// "%s" marks where a name or a reason goes; formatMessage fills them in order.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace workbook {

// Opening a workbook: the path, then one of the reasons below.
constexpr const char* kCannotOpenWorkbook = "Cannot open the workbook \"%s\": %s";

constexpr const char* kReasonMissing = "the file does not exist";
constexpr const char* kReasonFolder = "it is a folder, not a file";
constexpr const char* kReasonUnreadable = "the file cannot be read";
constexpr const char* kReasonEmpty = "the file is empty";
constexpr const char* kReasonNotCompound = "it is not an Excel 97-2003 workbook (no compound-file signature)";
constexpr const char* kReasonBadHeader = "its compound-file header is damaged (%s)";
constexpr const char* kReasonTruncated = "the file is truncated (%s)";
constexpr const char* kReasonChainLoop = "a sector chain of the file runs in a loop (%s)";
constexpr const char* kReasonChainRange = "a sector chain of the file points outside it (%s)";
constexpr const char* kReasonBadDirectory = "its directory is damaged (%s)";
constexpr const char* kReasonNoWorkbookStream = "it holds no workbook stream";
constexpr const char* kReasonEncrypted =
    "it is protected by a password (encrypted workbooks are not supported)";
constexpr const char* kReasonOldFormat = "it is in an Excel format older than Excel 5.0";
constexpr const char* kReasonBadRecord = "its workbook stream is damaged (%s)";

// Connection and statement.
constexpr const char* kNoDataSource = "The connection string names no Data Source";
constexpr const char* kConnectionClosed = "The workbook connection is not open";
constexpr const char* kUnsupportedStatement =
    "Only statements of the form SELECT * FROM [table] can be run on a workbook";
constexpr const char* kBracketInName = "A table name may not contain the character \"]\"";
constexpr const char* kUnknownTable = "The workbook has no table named '%s'";

// The query. Names of the query and fields are put in front as "%s: %s".
constexpr const char* kFieldNotFound = "Field '%s' not found";
constexpr const char* kQueryClosed = "Cannot perform this operation on a closed dataset";
constexpr const char* kQueryEmpty = "Cannot perform this operation on an empty dataset";
constexpr const char* kNotEditing = "Dataset not in edit or insert mode";
constexpr const char* kDeleteNotSupported = "Deleting rows is not supported in a workbook sheet";
constexpr const char* kNotFloat = "'%s' is not a valid floating point value";
constexpr const char* kNotDateTime = "'%s' is not a valid date and time";
constexpr const char* kNotBoolean = "'%s' is not a valid boolean value";

// The sort text.
constexpr const char* kSortNameNeedsBrackets =
    "Cannot sort by '%s': a field name with spaces must be written in brackets";
constexpr const char* kSortUnknownField = "Cannot sort by '%s': the query has no such field";
constexpr const char* kSortBadText = "The sort text '%s' cannot be read";

// Fills each "%s" of `pattern` with the next argument.
std::string formatMessage(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace workbook
