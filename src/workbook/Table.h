// One worksheet as a table: named, typed fields over the rows below the
// header row. Cells are kept densely, row by row; their texts live in the
// workbook's text list, which the table shares and may add to.
#pragma once

#include "common/RegionalSettings.h"
#include "workbook/Cell.h"
#include "workbook/Query.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace workbook {

class Table {
public:
    // `texts` must outlive the table. `cells` holds rowCount * fields.size()
    // values, row by row. `firstRow`/`firstColumn`: where the header row's
    // first cell lies in the sheet (0-based).
    Table(std::vector<std::string>& texts, std::vector<Field> fields, std::vector<Cell> cells,
          std::uint32_t firstRow, std::uint16_t firstColumn);

    const std::vector<Field>& fields() const { return m_fields; }
    std::size_t fieldCount() const { return m_fields.size(); }
    std::size_t rowCount() const { return m_fields.empty() ? 0 : m_cells.size() / m_fields.size(); }
    const Cell& cell(std::size_t row, std::size_t field) const { return m_cells[row * m_fields.size() + field]; }
    void setCell(std::size_t row, std::size_t field, const Cell& cell) { m_cells[row * m_fields.size() + field] = cell; }
    // A new row of empty cells after the last; returns its index.
    std::size_t appendRow();
    std::uint32_t addText(std::string text);
    const std::vector<std::string>& texts() const { return m_texts; }
    std::string cellText(std::size_t row, std::size_t field, const common::RegionalSettings& settings) const;

    // Where the header row and the first field lie in the sheet (0-based).
    std::uint32_t headerRow() const { return m_firstRow; }
    std::uint16_t firstColumn() const { return m_firstColumn; }
    // The sheet row of a data row, and the sheet column of a field (0-based).
    std::uint32_t sheetRow(std::size_t row) const { return m_firstRow + 1 + static_cast<std::uint32_t>(row); }
    std::uint16_t sheetColumn(std::size_t field) const { return static_cast<std::uint16_t>(m_firstColumn + field); }

private:
    std::vector<std::string>& m_texts;
    std::vector<Field> m_fields;
    std::vector<Cell> m_cells;
    std::uint32_t m_firstRow;
    std::uint16_t m_firstColumn;
};

// The type of a field from its data cells. Float when every cell is a number
// or empty; DateTime when every one is a date or empty; Boolean likewise;
// Text for any mix and for a column without values. A mixed column keeps
// every cell: numbers, dates and booleans show their texts in it.
FieldType fieldTypeOf(const Cell* column, std::size_t rows, std::size_t stride);

} // namespace workbook
