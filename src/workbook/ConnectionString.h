// Reading the connection string: "Provider=...;Mode=...;Extended
// Properties=...;Data Source=<path>;Persist Security Info=False".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace workbook {

// The connection string of a workbook path, in the five pieces the window
// builds: provider, mode and driver, "Data Source=", the path unquoted, ";",
// "Persist Security Info=False".
std::string connectionStringFor(std::string_view workbookPath);

// The value of the "Data Source=" piece (key in any case), or nothing. The
// path is written unquoted and may itself hold ";", so the value runs to the
// first ";" that begins another "Key=" piece (a key being letters, digits,
// blanks and ":"), or to the end.
std::optional<std::string> dataSourceOf(std::string_view connectionString);

} // namespace workbook
