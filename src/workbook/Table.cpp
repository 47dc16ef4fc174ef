#include "workbook/Table.h"

#include "workbook/CellText.h"


namespace workbook {

Table::Table(std::vector<std::string>& texts, std::vector<Field> fields, std::vector<Cell> cells,
             std::uint32_t firstRow, std::uint16_t firstColumn)
    : m_texts(texts), m_fields(std::move(fields)), m_cells(std::move(cells)), m_firstRow(firstRow),
      m_firstColumn(firstColumn)
{
}

std::size_t Table::appendRow()
{
    const std::size_t row = rowCount();
    m_cells.resize(m_cells.size() + m_fields.size());
    return row;
}

std::uint32_t Table::addText(std::string text)
{
    m_texts.push_back(std::move(text));
    return static_cast<std::uint32_t>(m_texts.size() - 1);
}

std::string Table::cellText(std::size_t row, std::size_t field, const common::RegionalSettings& settings) const
{
    return workbook::cellText(cell(row, field), m_texts, settings);
}

FieldType fieldTypeOf(const Cell* column, std::size_t rows, std::size_t stride)
{
    bool numbers = false;
    bool dates = false;
    bool booleans = false;
    for (std::size_t r = 0; r < rows; ++r) {
        switch (column[r * stride].kind) {
        case CellKind::Empty:
            break;
        case CellKind::Number:
            numbers = true;
            break;
        case CellKind::Date:
            dates = true;
            break;
        case CellKind::Boolean:
            booleans = true;
            break;
        case CellKind::Text:
        case CellKind::Error:
            return FieldType::Text;
        }
    }
    const int kinds = int(numbers) + int(dates) + int(booleans);
    if (kinds != 1)
        return FieldType::Text;
    return numbers ? FieldType::Float : dates ? FieldType::DateTime : FieldType::Boolean;
}

} // namespace workbook
