#include "xls/SheetTable.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "table/CellText.h"
#include "table/TableBuilder.h"
#include "xls/ReadMessages.h"

#include <algorithm>

namespace xls {

namespace {

constexpr std::size_t kSheetRows = 65536; // rows are 16-bit in BIFF5 and BIFF8

std::string overBudgetMessage()
{
    return common::formatMessage(kReasonBadRecord, {"its sheets claim far more cells than it holds"});
}

[[noreturn]] void overBudget()
{
    throw common::Error(overBudgetMessage());
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

TextSink textSinkOf(std::vector<std::string>& texts)
{
    return [&texts](std::string text) {
        texts.push_back(std::move(text));
        return static_cast<std::uint32_t>(texts.size() - 1);
    };
}

// Any order of cells: a first pass measures every row, a second fills them.
std::unique_ptr<table::Table> loadInTwoPasses(const SheetContext& context, std::uint32_t offset,
                                              std::vector<std::string>& texts,
                                              const common::RegionalSettings& settings,
                                              std::size_t& cellBudget)
{
    const SheetShape shape = measure(context, offset);
    if (shape.empty())
        return table::emptySheetTable(texts);
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
    std::vector<table::Field> fields = table::headerFields(header, rows, texts, settings);
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
    table::OrderedRows ordered(reserve, cellBudget, overBudgetMessage());
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
    return table::tableOfOrderedRows(ordered, texts, settings, cellBudget);
}

} // namespace xls
