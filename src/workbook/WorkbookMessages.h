// The data layer's own messages (English, as the original data layer spoke
// English). Kept in one place so that tests compare against the same texts.
// "%s" marks where a name or a reason goes; common::formatMessage fills them.
#pragma once

namespace workbook {

// Opening a workbook: the path, then one of the reasons below.
constexpr const char* kCannotOpenWorkbook = "Cannot open the workbook \"%s\": %s";

constexpr const char* kReasonMissing = "the file does not exist";
constexpr const char* kReasonFolder = "it is a folder, not a file";
constexpr const char* kReasonUnreadable = "the file cannot be read";

// Posting a row: the workbook's path.
constexpr const char* kWorkbookChanged =
    "The workbook \"%s\" was changed by another program after it was opened: the edit was cancelled and "
    "nothing was written; open the workbook again to edit it";
constexpr const char* kWorkbookBusy =
    "The workbook \"%s\" is being written by another program: the edit was cancelled and nothing was written";
constexpr const char* kOdsTakesNoPosts =
    "The workbook \"%s\" is an OpenDocument spreadsheet (.ods), which cannot take posted rows: the edit was "
    "cancelled and nothing was written; save it as .xlsx or .xls to edit it";

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

} // namespace workbook
