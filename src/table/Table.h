// One worksheet as a table: named, typed fields over the rows below the
// header row. Each row keeps its cells up to its last value only (empty
// cells after it are implied), so a sheet with a few far-off cells stays
// small; the rows lie one after another in one array. Cell texts live in the
// workbook's text list, which the table shares and may add to.
#pragma once

#include "common/RegionalSettings.h"
#include "table/Cell.h"
#include "table/CellText.h"
#include "table/Field.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace table {

// The data rows of a table: row r's cells are cells[rowStart[r] .. rowStart[r + 1]).
struct RowCells {
    std::vector<std::uint32_t> rowStart{0};
    std::vector<Cell> cells;

    std::size_t rowCount() const { return rowStart.size() - 1; }
    const Cell& at(std::size_t row, std::size_t field) const
    {
        static const Cell kEmpty;
        const std::size_t start = rowStart[row];
        return field < rowStart[row + 1] - start ? cells[start + field] : kEmpty;
    }
};

class Table {
  public:
    // `texts` must outlive the table. `firstRow`/`firstColumn`: where the
    // header row's first cell lies in the sheet (0-based).
    Table(std::vector<std::string>& texts, std::vector<Field> fields, RowCells rows, std::uint32_t firstRow,
          std::uint16_t firstColumn);

    const std::vector<Field>& fields() const { return m_fields; }
    std::size_t fieldCount() const { return m_fields.size(); }
    std::size_t rowCount() const { return m_rows.rowCount(); }
    const Cell& cell(std::size_t row, std::size_t field) const { return m_rows.at(row, field); }
    void setCell(std::size_t row, std::size_t field, const Cell& cell);
    // A new row of empty cells after the last; returns its index.
    std::size_t appendRow();
    std::uint32_t addText(std::string text);
    const std::vector<std::string>& texts() const { return m_texts; }
    std::string cellText(std::size_t row, std::size_t field, const common::RegionalSettings& settings) const
    {
        return table::cellText(cell(row, field), m_texts, settings);
    }

    // Where the header row and the first field lie in the sheet (0-based).
    std::uint32_t headerRow() const { return m_firstRow; }
    std::uint16_t firstColumn() const { return m_firstColumn; }

  private:
    std::vector<std::string>& m_texts;
    std::vector<Field> m_fields;
    RowCells m_rows;
    std::uint32_t m_firstRow;
    std::uint16_t m_firstColumn;
};

// The type of a field from its data cells:
// - Float when every cell is a number or empty;
// - DateTime when every one is a date (a number with a date or time format)
//   or empty; its cells show the regional short date, and " h:nn:ss" when
//   they hold a time of day (CellText.h);
// - Boolean when every one is TRUE/FALSE or empty; they show "True"/"False";
// - Text for any mix, for error values and for a column without values.
// Nothing is dropped: in a mixed column numbers, dates and booleans show the
// same texts as in a field of their own type, and error values (a formula's
// #N/A, #DIV/0!) show their Excel texts, so a conversion sees them and skips
// them as values that are not numbers, instead of reading an empty cell.
std::vector<FieldType> fieldTypesOf(const RowCells& rows, std::size_t fieldCount);

} // namespace table
