#include "xls/SheetTable.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "table/CellText.h"
#include "xls/ReadMessages.h"

#include <algorithm>

namespace xls {

namespace {

constexpr std::size_t kSheetRows = 65536; // rows are 16-bit in BIFF5 and BIFF8

[[noreturn]] void overBudget()
{
    throw common::Error(
        common::formatMessage(kReasonBadRecord, {"its sheets claim far more cells than it holds"}));
}

// What the first pass learns: the used range and each row's last column.
struct SheetShape {
    std::uint32_t firstRow = UINT32_MAX;
    std::uint32_t lastRow = 0;
    std::uint16_t firstColumn = UINT16_MAX;
    std::uint16_t lastColumn = 0;
    std::vector<std::uint16_t> rowWidth =
        std::vector<std::uint16_t>(kSheetRows, 0); // last column + 1, 0 for none
    bool empty() const { return firstRow == UINT32_MAX; }
};

SheetShape measure(const SheetContext& context, std::uint32_t offset)
{
    SheetShape shape;
    readSheetCells(context, offset,
                   [&shape](std::uint32_t row, std::uint16_t column, const table::Cell&) {
                       shape.firstRow = std::min(shape.firstRow, row);
                       shape.lastRow = std::max(shape.lastRow, row);
                       shape.firstColumn = std::min(shape.firstColumn, column);
                       shape.lastColumn = std::max(shape.lastColumn, column);
                       if (row < kSheetRows)
                           shape.rowWidth[row] = std::max<std::uint16_t>(
                               shape.rowWidth[row], static_cast<std::uint16_t>(column + 1));
                   },
                   {});
    return shape;
}

// The data rows' layout, each row as wide as its last value.
table::RowCells layoutRows(const SheetShape& shape, std::size_t& cellBudget)
{
    table::RowCells rows;
    const std::size_t count = shape.lastRow - shape.firstRow; // the header row is not a data row
    rows.rowStart.reserve(count + 1);
    std::size_t total = 0;
    for (std::uint32_t row = shape.firstRow + 1; row <= shape.lastRow; ++row) {
        const std::uint16_t width = shape.rowWidth[row];
        total += width > shape.firstColumn ? width - shape.firstColumn : 0;
        rows.rowStart.push_back(static_cast<std::uint32_t>(total));
    }
    const std::size_t cost = total + count / 4;
    if (cost > cellBudget)
        overBudget();
    cellBudget -= cost;
    rows.cells.resize(total);
    return rows;
}

std::vector<table::Field> headerFields(const std::vector<table::Cell>& header, const table::RowCells& rows,
                                       const std::vector<std::string>& texts,
                                       const common::RegionalSettings& settings)
{
    std::vector<table::Field> fields(header.size());
    const std::vector<table::FieldType> types = table::fieldTypesOf(rows, header.size());
    for (std::size_t c = 0; c < header.size(); ++c) {
        fields[c].name = cellText(header[c], texts, settings);
        if (fields[c].name.empty())
            fields[c].name = "F" + std::to_string(c + 1);
        fields[c].type = types[c];
    }
    return fields;
}

TextSink textSinkOf(std::vector<std::string>& texts)
{
    return [&texts](std::string text) {
        texts.push_back(std::move(text));
        return static_cast<std::uint32_t>(texts.size() - 1);
    };
}

// Rows as the writers store them: in order, top to bottom. Cells go straight
// to their place, each row growing to its last value; columns count from A
// until the end, when the columns left of the used range are cut off.
class OrderedRows {
  public:
    OrderedRows(std::size_t reserve, std::size_t budget) : m_budget(budget) { m_rows.cells.reserve(reserve); }

    // False once a cell came above the row being filled.
    bool inOrder() const { return m_inOrder; }
    bool empty() const { return !m_any; }
    std::uint32_t firstRow() const { return m_firstRow; }
    std::uint16_t firstColumn() const { return m_firstColumn; }
    std::uint16_t lastColumn() const { return m_lastColumn; }

    void add(std::uint32_t row, std::uint16_t column, const table::Cell& cell)
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

    // Cells of one row in adjacent columns: after the first, the rest follow
    // it at the row's end in one step, when the first went there.
    void addRun(std::uint32_t row, std::uint16_t column, const table::Cell* run, std::size_t count)
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

    // The header row's cells and the data rows, columns from the first used one.
    table::RowCells finish(std::vector<table::Cell>& header)
    {
        m_rows.rowStart.push_back(static_cast<std::uint32_t>(m_rows.cells.size()));
        if (m_firstColumn > 0)
            cutLeftColumns();
        header.assign(std::size_t(m_lastColumn) - m_firstColumn + 1, table::Cell{});
        for (std::size_t i = m_rows.rowStart[0]; i < m_rows.rowStart[1]; ++i)
            header[i - m_rows.rowStart[0]] = m_rows.cells[i];
        // The header's cells stay unused at the front; the data rows start after them.
        m_rows.rowStart.erase(m_rows.rowStart.begin());
        return std::move(m_rows);
    }

  private:
    void cutLeftColumns()
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

    table::RowCells m_rows;
    std::size_t m_budget;
    bool m_any = false;
    bool m_inOrder = true;
    std::uint32_t m_firstRow = 0;
    std::uint32_t m_lastRow = 0;
    std::uint16_t m_firstColumn = UINT16_MAX;
    std::uint16_t m_lastColumn = 0;
};

std::unique_ptr<table::Table> emptySheetTable(std::vector<std::string>& texts)
{
    return std::make_unique<table::Table>(texts, std::vector<table::Field>{{"F1", table::FieldType::Text}},
                                          table::RowCells{}, 0, 0);
}

// Any order of cells: a first pass measures every row, a second fills them.
std::unique_ptr<table::Table> loadInTwoPasses(const SheetContext& context, std::uint32_t offset,
                                              std::vector<std::string>& texts,
                                              const common::RegionalSettings& settings,
                                              std::size_t& cellBudget)
{
    const SheetShape shape = measure(context, offset);
    if (shape.empty())
        return emptySheetTable(texts);
    std::vector<table::Cell> header(std::size_t(shape.lastColumn) - shape.firstColumn + 1);
    table::RowCells rows = layoutRows(shape, cellBudget);
    readSheetCells(
        context, offset,
        [&](std::uint32_t row, std::uint16_t column, const table::Cell& cell) {
            // The second pass sees the same records as the first, so every cell has its place.
            const std::size_t field = column - shape.firstColumn;
            if (row == shape.firstRow)
                header[field] = cell;
            else
                rows.cells[rows.rowStart[row - shape.firstRow - 1] + field] = cell;
        },
        textSinkOf(texts));
    std::vector<table::Field> fields = headerFields(header, rows, texts, settings);
    return std::make_unique<table::Table>(texts, std::move(fields), std::move(rows), shape.firstRow,
                                          shape.firstColumn);
}

} // namespace

std::unique_ptr<table::Table> loadSheetTable(const SheetContext& context, std::uint32_t offset,
                                             std::vector<std::string>& texts,
                                             const common::RegionalSettings& settings,
                                             std::size_t& cellBudget)
{
    // A cell record takes at least 6 bytes: room for that many cells is
    // reserved (address space only, until cells are written).
    const std::size_t reserve = std::min(
        cellBudget, (context.stream.size() - std::min<std::size_t>(offset, context.stream.size())) / 6);
    const std::size_t textsBefore = texts.size();
    OrderedRows ordered(reserve, cellBudget);
    readSheetCells(
        context, offset,
        [&ordered](std::uint32_t row, std::uint16_t column, const table::Cell& cell) {
            ordered.add(row, column, cell);
        },
        [&ordered](std::uint32_t row, std::uint16_t column, const table::Cell* cells, std::size_t count) {
            ordered.addRun(row, column, cells, count);
        },
        textSinkOf(texts));
    if (!ordered.inOrder()) {
        texts.resize(textsBefore); // the second try adds them again
        return loadInTwoPasses(context, offset, texts, settings, cellBudget);
    }
    if (ordered.empty())
        return emptySheetTable(texts);
    std::vector<table::Cell> header;
    table::RowCells rows = ordered.finish(header);
    const std::size_t cost = rows.cells.size() + rows.rowCount() / 4;
    if (cost > cellBudget)
        overBudget();
    cellBudget -= cost;
    std::vector<table::Field> fields = headerFields(header, rows, texts, settings);
    return std::make_unique<table::Table>(texts, std::move(fields), std::move(rows), ordered.firstRow(),
                                          ordered.firstColumn());
}

} // namespace xls
