#include "table/TableBuilder.h"

#include "common/Error.h"
#include "table/CellText.h"

#include <algorithm>

namespace table {

OrderedRows::OrderedRows(std::size_t reserve, std::size_t budget, std::string overBudget)
    : m_budget(budget), m_overBudget(std::move(overBudget))
{
    m_rows.cells.reserve(reserve);
}

void OrderedRows::overBudget() const
{
    throw common::Error(m_overBudget);
}

void OrderedRows::add(std::uint32_t row, std::uint16_t column, const Cell& cell)
{
    if (!m_any) {
        m_any = true;
        m_firstRow = m_lastRow = row;
        m_rows.rowStart.assign(1, 0);
    }
    if (row < m_lastRow || !m_inOrder) {
        m_inOrder = false;
        return;
    }
    for (; m_lastRow < row; ++m_lastRow)
        m_rows.rowStart.push_back(static_cast<std::uint32_t>(m_rows.cells.size()));
    const std::size_t start = m_rows.rowStart.back();
    if (start + column == m_rows.cells.size()) { // the usual case: the next column of the row
        if (m_rows.cells.size() + m_rows.rowStart.size() / 4 >= m_budget)
            overBudget();
        m_rows.cells.push_back(cell);
    } else if (start + column > m_rows.cells.size()) {
        if (start + column + m_rows.rowStart.size() / 4 >= m_budget)
            overBudget();
        m_rows.cells.resize(start + column + 1);
        m_rows.cells[start + column] = cell;
    } else {
        m_rows.cells[start + column] = cell;
    }
    m_firstColumn = std::min(m_firstColumn, column);
    m_lastColumn = std::max(m_lastColumn, column);
}

void OrderedRows::addRun(std::uint32_t row, std::uint16_t column, const Cell* run, std::size_t count)
{
    add(row, column, run[0]);
    if (!m_inOrder || count == 1)
        return;
    if (m_rows.rowStart.back() + column + 1 != m_rows.cells.size()) {
        for (std::size_t i = 1; i < count; ++i)
            add(row, static_cast<std::uint16_t>(column + i), run[i]);
        return;
    }
    // The budget as the cell by cell way checks it before its last cell.
    if (m_rows.cells.size() + count - 2 + m_rows.rowStart.size() / 4 >= m_budget)
        overBudget();
    m_rows.cells.insert(m_rows.cells.end(), run + 1, run + count);
    m_lastColumn = std::max(m_lastColumn, static_cast<std::uint16_t>(column + count - 1));
}

RowCells OrderedRows::finish(std::vector<Cell>& header)
{
    m_rows.rowStart.push_back(static_cast<std::uint32_t>(m_rows.cells.size()));
    if (m_firstColumn > 0)
        cutLeftColumns();
    header.assign(std::size_t(m_lastColumn) - m_firstColumn + 1, Cell{});
    for (std::size_t i = m_rows.rowStart[0]; i < m_rows.rowStart[1]; ++i)
        header[i - m_rows.rowStart[0]] = m_rows.cells[i];
    // The header's cells stay unused at the front; the data rows start after them.
    m_rows.rowStart.erase(m_rows.rowStart.begin());
    return std::move(m_rows);
}

void OrderedRows::cutLeftColumns()
{
    std::size_t write = 0;
    for (std::size_t r = 0; r + 1 < m_rows.rowStart.size(); ++r) {
        const std::size_t start = m_rows.rowStart[r];
        const std::size_t end = m_rows.rowStart[r + 1];
        m_rows.rowStart[r] = static_cast<std::uint32_t>(write);
        for (std::size_t i = std::min(end, start + m_firstColumn); i < end; ++i)
            m_rows.cells[write++] = m_rows.cells[i];
    }
    m_rows.rowStart.back() = static_cast<std::uint32_t>(write);
    m_rows.cells.resize(write);
}

std::unique_ptr<Table> tableOfOrderedRows(OrderedRows& ordered, std::vector<std::string>& texts,
                                          const common::RegionalSettings& settings, std::size_t& cellBudget)
{
    if (ordered.empty())
        return emptySheetTable(texts);
    std::vector<Cell> header;
    RowCells rows = ordered.finish(header);
    const std::size_t cost = rows.cells.size() + rows.rowCount() / 4;
    if (cost > cellBudget)
        ordered.overBudget();
    cellBudget -= cost;
    std::vector<Field> fields = headerFields(header, rows, texts, settings);
    return std::make_unique<Table>(texts, std::move(fields), std::move(rows), ordered.firstRow(),
                                   ordered.firstColumn());
}

std::vector<Field> headerFields(const std::vector<Cell>& header, const RowCells& rows,
                                const std::vector<std::string>& texts,
                                const common::RegionalSettings& settings)
{
    std::vector<Field> fields(header.size());
    const std::vector<FieldType> types = fieldTypesOf(rows, header.size());
    for (std::size_t c = 0; c < header.size(); ++c) {
        fields[c].name = cellText(header[c], texts, settings);
        if (fields[c].name.empty())
            fields[c].name = "F" + std::to_string(c + 1);
        fields[c].type = types[c];
    }
    return fields;
}

std::unique_ptr<Table> emptySheetTable(std::vector<std::string>& texts)
{
    return std::make_unique<Table>(texts, std::vector<Field>{{"F1", FieldType::Text}}, RowCells{}, 0, 0);
}

} // namespace table
