#include "table/Table.h"

#include "table/CellText.h"

#include <algorithm>

namespace table {

Table::Table(std::vector<std::string>& texts, std::vector<Field> fields, RowCells rows,
             std::uint32_t firstRow, std::uint16_t firstColumn)
    : m_texts(texts), m_fields(std::move(fields)), m_rows(std::move(rows)), m_firstRow(firstRow),
      m_firstColumn(firstColumn)
{
}

void Table::setCell(std::size_t row, std::size_t field, const Cell& cell)
{
    const std::size_t start = m_rows.rowStart[row];
    const std::size_t width = m_rows.rowStart[row + 1] - start;
    if (field >= width) {
        // Edits are rare: widening a row moves the rows after it.
        const std::size_t added = field + 1 - width;
        m_rows.cells.insert(m_rows.cells.begin() + static_cast<std::ptrdiff_t>(start + width), added, Cell{});
        for (std::size_t r = row + 1; r < m_rows.rowStart.size(); ++r)
            m_rows.rowStart[r] += static_cast<std::uint32_t>(added);
    }
    m_rows.cells[start + field] = cell;
}

std::size_t Table::appendRow()
{
    m_rows.rowStart.push_back(static_cast<std::uint32_t>(m_rows.cells.size()));
    return m_rows.rowCount() - 1;
}

std::uint32_t Table::addText(std::string text)
{
    m_texts.push_back(std::move(text));
    return static_cast<std::uint32_t>(m_texts.size() - 1);
}

std::vector<FieldType> fieldTypesOf(const RowCells& rows, std::size_t fieldCount)
{
    // Which kinds each field holds, gathered row by row (the order the cells lie in).
    enum : unsigned { kNumber = 1, kDate = 2, kBoolean = 4, kOther = 8 };
    std::vector<unsigned> kinds(fieldCount, 0);
    for (std::size_t r = 0; r < rows.rowCount(); ++r) {
        const std::size_t start = rows.rowStart[r];
        const std::size_t width = std::min<std::size_t>(rows.rowStart[r + 1] - start, fieldCount);
        for (std::size_t f = 0; f < width; ++f) {
            switch (rows.cells[start + f].kind) {
            case CellKind::Empty:
                break;
            case CellKind::Number:
                kinds[f] |= kNumber;
                break;
            case CellKind::Date:
                kinds[f] |= kDate;
                break;
            case CellKind::Boolean:
                kinds[f] |= kBoolean;
                break;
            case CellKind::Text:
            case CellKind::Error:
                kinds[f] |= kOther;
                break;
            }
        }
    }
    std::vector<FieldType> types(fieldCount, FieldType::Text);
    for (std::size_t f = 0; f < fieldCount; ++f) {
        if (kinds[f] == kNumber)
            types[f] = FieldType::Float;
        else if (kinds[f] == kDate)
            types[f] = FieldType::DateTime;
        else if (kinds[f] == kBoolean)
            types[f] = FieldType::Boolean;
    }
    return types;
}

} // namespace table
