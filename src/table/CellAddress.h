// Where a cell lies, as spreadsheet programs show it to the user ("B7").
#pragma once

#include <cstdint>
#include <string>

namespace table {

// "B7" for the 0-based row 6 and column 1; columns A to Z, AA to ZZ, AAA...
std::string cellAddress(std::uint32_t row, std::uint32_t column);

} // namespace table
