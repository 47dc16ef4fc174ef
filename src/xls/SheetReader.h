// The cell records of one worksheet substream, turned into cell values.
#pragma once

#include "table/Cell.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace xls {

class TextDecoder;
struct WorkbookGlobals;

struct SheetContext {
    std::string_view stream;
    const WorkbookGlobals& globals;
    const TextDecoder& decoder;
    // The owner's text list, which begins with the shared strings.
    const std::vector<std::string>& texts;
    std::size_t sharedStringCount;
};

// Receives each cell that holds a value (blank and formatting-only cells are
// not reported), in stream order; a later cell at the same place wins.
using CellVisitor = std::function<void(std::uint32_t row, std::uint16_t column, const table::Cell& cell)>;
// Receives a run of cells of one row in adjacent columns (a MULRK record's
// numbers), so that a caller that stores cells in order pays one call a run.
using CellRunVisitor = std::function<void(std::uint32_t row, std::uint16_t firstColumn,
                                          const table::Cell* cells, std::size_t count)>;
// Adds a cell's own text (LABEL, RSTRING, a formula's text result) to the
// owner's text list and returns its index there.
using TextSink = std::function<std::uint32_t(std::string text)>;

// Reads the substream at `offset`. Shared strings keep their index in
// globals.sharedStrings; other texts go to `texts`, or, when it is empty,
// are not decoded at all (their cells report text index 0), which is how a
// first pass measures the sheet cheaply. Throws common::Error when the
// substream is damaged.
void readSheetCells(const SheetContext& context, std::uint32_t offset, const CellVisitor& visit,
                    const TextSink& texts);
// The same, with runs of cells going to `visitRun` and single cells to `visit`.
void readSheetCells(const SheetContext& context, std::uint32_t offset, const CellVisitor& visit,
                    const CellRunVisitor& visitRun, const TextSink& texts);

// The value of an RK number (a compressed double or 30-bit integer, maybe
// divided by 100).
double decodeRk(std::uint32_t rk);

} // namespace xls
