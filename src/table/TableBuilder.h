// Turning the cells a reader finds in a worksheet into a table: the used
// range (the rows and columns that hold values), its first row as the field
// names, the rest as data rows. Every workbook format's reader builds its
// tables this way, so that the same sheet gives the same table whatever
// file it comes in.
#pragma once

#include "common/RegionalSettings.h"
#include "table/Cell.h"
#include "table/Table.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace table {

// Rows as the writers store them: in order, top to bottom. Cells go straight
// to their place, each row growing to its last value; columns count from A
// until the end, when the columns left of the used range are cut off.
// `budget` is how many cells (and a quarter cell per row) the rows may take;
// past it, common::Error(`overBudget`) is thrown, so that a small damaged
// file cannot make a reader take gigabytes.
class OrderedRows {
  public:
    OrderedRows(std::size_t reserve, std::size_t budget, std::string overBudget);

    // False once a cell came above the row being filled: the reader must
    // then lay the sheet out another way (its cells are not kept).
    bool inOrder() const { return m_inOrder; }
    bool empty() const { return !m_any; }
    std::uint32_t firstRow() const { return m_firstRow; }
    std::uint16_t firstColumn() const { return m_firstColumn; }
    std::uint16_t lastColumn() const { return m_lastColumn; }

    // A later cell at the same place wins.
    void add(std::uint32_t row, std::uint16_t column, const Cell& cell);
    // Cells of one row in adjacent columns: after the first, the rest follow
    // it at the row's end in one step, when the first went there.
    void addRun(std::uint32_t row, std::uint16_t column, const Cell* run, std::size_t count);

    // The header row's cells and the data rows, columns from the first used one.
    RowCells finish(std::vector<Cell>& header);

    [[noreturn]] void overBudget() const;

  private:
    void cutLeftColumns();

    RowCells m_rows;
    std::size_t m_budget;
    std::string m_overBudget;
    bool m_any = false;
    bool m_inOrder = true;
    std::uint32_t m_firstRow = 0;
    std::uint32_t m_lastRow = 0;
    std::uint16_t m_firstColumn = UINT16_MAX;
    std::uint16_t m_lastColumn = 0;
};

// The table of rows that came in order (`rows.inOrder()`), or of a sheet
// without values: one Text field "F1" and no rows. Takes what the rows
// cost from `cellBudget` (throwing when they need more).
std::unique_ptr<Table> tableOfOrderedRows(OrderedRows& rows, std::vector<std::string>& texts,
                                          const common::RegionalSettings& settings, std::size_t& cellBudget);

// Field names: the header cells' texts, "F" and the field's number (from 1)
// for an empty one; duplicates are kept. Types from the data cells.
std::vector<Field> headerFields(const std::vector<Cell>& header, const RowCells& rows,
                                const std::vector<std::string>& texts,
                                const common::RegionalSettings& settings);

// The table of a sheet without values: one Text field "F1" and no rows.
std::unique_ptr<Table> emptySheetTable(std::vector<std::string>& texts);

} // namespace table
