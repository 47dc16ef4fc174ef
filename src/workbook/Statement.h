// Table names and the one statement the data layer runs.
#pragma once

#include "common/CodePage.h"

#include <string>
#include <string_view>

namespace workbook {

// The table name of a worksheet as users of the original data layer know
// it: the sheet name and "$", in single quotes (inner quotes doubled) when
// the name holds a character an unbracketed name cannot (anything but ASCII
// letters, digits, "_" and non-ASCII characters) or begins with a digit:
// Sheet1$, 日线$, '日线 数据$'. Double-byte characters of `codePage` count
// as letters, whatever their trail byte.
std::string tableNameOf(std::string_view sheetName, const common::CodePage& codePage);

// The statement that opens a whole table: "SELECT * FROM [" + name + "]",
// the table name as the schema lists it (Sheet1$).
std::string selectAllFrom(std::string_view tableName);

// The table name of "SELECT * FROM [name]" or "SELECT * FROM name" (keywords
// in any case, any blanks, an optional ";" at the end), as written. Throws
// common::Error kUnsupportedStatement for any other statement, and
// kBracketInName when a "]" follows the closing bracket. A trail byte of a
// double-byte character (GBK's can be "[" or "]") is never taken for one.
std::string tableNameInStatement(std::string_view statement, const common::CodePage& codePage);

// The position of the first `byte` at or after `from` that is not the trail
// byte of a double-byte character; npos when there is none.
std::size_t findSingleByte(std::string_view text, char byte, std::size_t from,
                           const common::CodePage& codePage);

// True when a table name as written in a statement (quoted or not) names
// the worksheet `sheetName` (compared without regard to case).
bool namesSheet(std::string_view writtenName, std::string_view sheetName, const common::CodePage& codePage);

// True when a table name as written in a statement (quoted or not) names
// the table of the text file `fileName` ("quotes.csv"; without regard to case).
bool namesFile(std::string_view writtenName, std::string_view fileName, const common::CodePage& codePage);

} // namespace workbook
