// The cell table of a worksheet as a writer sees it: per row its ROW record
// and its cell records, kept as raw bytes, so that cells nobody edits are
// written back exactly as they were read. Rows are written in blocks of 32
// (by row number), each closed by a DBCELL that points back at its records.
#pragma once

#include "table/CellAddress.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xlswrite {

// Records that belong in the cell table: ROW, DBCELL, the cell records and
// what follows a formula (STRING, SHRFMLA, ARRAY, TABLE), and CONTINUE.
bool isCellTableRecord(std::uint16_t type);

// "B7" for row 6, column 1 (both 0-based): for messages.
using table::cellAddress;

class CellTable {
  public:
    struct Removed {
        std::uint16_t type = 0;
        std::uint16_t xf = 0;
        // An array or table formula, or a shared formula whose cells cannot
        // take another first cell: storing a value would break other cells.
        bool inFormulaGroup = false;
    };
    struct Extent {
        std::uint32_t firstRow = 0;
        std::uint32_t lastRow = 0;
        std::uint16_t firstColumn = 0;
        std::uint16_t lastColumn = 0;
    };
    struct Written {
        std::string bytes;
        std::vector<std::size_t> dbCells; // stream offset of each DBCELL record
    };

    // `records`: the table's records as they lie in the substream. `blocks`:
    // whether DBCELL records are to be written (the sheet has an INDEX).
    // Throws common::Error when a record is cut short.
    CellTable(std::string_view records, bool blocks);

    // Takes the record of one cell out (splitting a MULRK or MULBLANK that
    // covers more); nothing when the cell has no record.
    std::optional<Removed> removeCell(std::uint32_t row, std::uint16_t column);
    // Puts a cell record into its row, in column order.
    void insertCell(std::uint32_t row, std::uint16_t column, std::string record);
    // The format (XF index) of the nearest cell above in the same column.
    std::optional<std::uint16_t> formatAbove(std::uint32_t row, std::uint16_t column) const;

    // The rows and columns that hold cell records; nothing when none do.
    std::optional<Extent> extent() const;
    // The first and last row that has a ROW or cell record.
    Extent rowRange() const;
    // The number of DBCELL blocks write() makes.
    std::size_t blockCount() const;
    // The records, for a table that starts at stream offset `base`.
    Written write(std::size_t base) const;

  private:
    enum class Group { None, Shared, Array, Table }; // what record follows a formula
    struct CellRecord {
        std::uint16_t type = 0;
        std::uint16_t first = 0; // columns covered
        std::uint16_t last = 0;
        std::string bytes; // header, data, and any records that belong to it
        Group group = Group::None;
        std::optional<std::pair<std::uint16_t, std::uint16_t>>
            partOf; // a formula's tExp: row, column of its group's first cell
    };
    struct Row {
        std::string rowRecord; // empty when the row has none
        std::vector<CellRecord> cells;
        bool touched = false;
    };
    static void split(std::vector<CellRecord>& cells, std::size_t at);
    CellRecord* find(std::uint32_t row, std::uint16_t column);
    bool canReplace(std::uint32_t row, const CellRecord& cell);
    bool moveSharedFormula(std::uint32_t row, const CellRecord& anchor);
    std::string rowRecordOf(std::uint32_t index, const Row& row) const;

    std::map<std::uint32_t, Row> m_rows;
    bool m_blocks;
};

} // namespace xlswrite
