// One cell value as the reader keeps it: 16 bytes, its text held in a list
// beside the cells so that a large sheet stays compact.
#pragma once

#include <cstdint>

namespace table {

enum class CellKind : std::uint8_t {
    Empty,
    Number,
    Date, // a number shown with a date or time format
    Text,
    Boolean,
    Error, // a formula's error result (#N/A, #DIV/0!, ...)
};

struct Cell {
    // Number: the value. Date: the system's date-time value (days since
    // 1899-12-30, the fraction the time of day), whatever the workbook's
    // date system.
    double number = 0.0;
    std::uint32_t text = 0; // Text: index into the owner's text list
    CellKind kind = CellKind::Empty;
    std::uint8_t code = 0; // Boolean: 0 false, 1 true; Error: the error code

    static Cell ofNumber(double value) { return {value, 0, CellKind::Number, 0}; }
    static Cell ofDate(double value) { return {value, 0, CellKind::Date, 0}; }
    static Cell ofText(std::uint32_t index) { return {0.0, index, CellKind::Text, 0}; }
    static Cell ofBoolean(bool value)
    {
        return {0.0, 0, CellKind::Boolean, static_cast<std::uint8_t>(value ? 1 : 0)};
    }
    static Cell ofError(std::uint8_t code) { return {0.0, 0, CellKind::Error, code}; }
};

static_assert(sizeof(Cell) == 16, "cells are kept densely; keep them small");

} // namespace table
