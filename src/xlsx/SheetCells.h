// The cells of one worksheet part, streamed: each cell that holds a value
// goes to a visitor as it is parsed, so a sheet is never held as XML.
#pragma once

#include "common/CodePage.h"
#include "table/Cell.h"
#include "zip/ZipArchive.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace xlsx {

struct SheetContext {
    // The owner's text list, which begins with the shared strings.
    const std::vector<std::string>& texts;
    std::size_t sharedStringCount;
    const std::vector<char>& dateStyles; // per cellXfs index (Styles.h)
    bool date1904;
    const common::CodePage& codePage;
};

// Receives each cell that holds a value (empty and formatting-only cells
// are not reported), in the part's order, with its 0-based place; a later
// cell at the same place wins. Numbers with a date format come as dates,
// texts as indexes into the owner's text list.
using CellVisitor = std::function<void(std::uint32_t row, std::uint16_t column, const table::Cell& cell)>;
// Adds a cell's own text (inline, or a formula's text result), in the
// system code page, to the owner's text list and returns its index.
using TextSink = std::function<std::uint32_t(std::string text)>;

// Reads the worksheet `part`. Cells and rows without a reference ("r")
// follow the one before. Throws common::Error naming the part for damaged
// XML or zip data, a cell or dimension beyond the last row or column a
// sheet can hold, a value that is not what its type says, or a shared
// string that does not exist.
void readSheetCells(const zip::Archive& archive, const std::string& part, const SheetContext& context,
                    const CellVisitor& visit, const TextSink& texts);

} // namespace xlsx
