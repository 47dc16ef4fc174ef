// The check a written workbook must pass before it replaces the original,
// whatever its format: read back, every cell of every worksheet is what
// the original held, except the posted cells, which hold what was posted.
#pragma once

#include "table/Cell.h"
#include "table/CellWrite.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace table {

struct CellValue {
    CellKind kind = CellKind::Empty;
    double number = 0.0;
    std::string text;
    std::uint8_t code = 0;

    // Dates go through the workbook's serial and back: they may differ by
    // the rounding of that trip (far below a millisecond).
    bool operator==(const CellValue& other) const;
};

// Worksheet (0-based, in workbook order), row, column.
using CellPlace = std::tuple<std::size_t, std::uint32_t, std::uint16_t>;
using WorkbookCells = std::map<CellPlace, CellValue>;

// A cell as its value, its text taken from the owner's text list.
CellValue valueOf(const Cell& cell, const std::vector<std::string>& texts);

// Nothing when `actual` holds `original` with `cells` stored in worksheet
// `sheetIndex`; otherwise where they first differ ("cell B7 of worksheet 1").
std::optional<std::string> differenceAfterWrite(WorkbookCells original, std::size_t sheetIndex,
                                                const std::vector<CellWrite>& cells,
                                                const WorkbookCells& actual);

} // namespace table
