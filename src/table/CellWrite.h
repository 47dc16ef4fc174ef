// One cell to store into a sheet: what a posted row hands to a format's writer.
#pragma once

#include "table/Cell.h"

#include <cstdint>
#include <string>

namespace table {

struct CellWrite {
    std::uint32_t row = 0; // the place in the sheet, 0-based
    std::uint16_t column = 0;
    // Empty, Number, Date (the system's date-time value), Text or Boolean.
    Cell value;
    std::string text; // Text: the cell's text, in the system code page
};

} // namespace table
