#include "workbook/SheetTable.h"

#include "common/Error.h"
#include "workbook/CellText.h"
#include "workbook/WorkbookMessages.h"

#include <algorithm>

namespace workbook {

namespace {

constexpr std::size_t kSheetRows = 65536; // rows are 16-bit in BIFF5 and BIFF8

// What the first pass learns: the used range and each row's last column.
struct SheetShape {
    std::uint32_t firstRow = UINT32_MAX;
    std::uint32_t lastRow = 0;
    std::uint16_t firstColumn = UINT16_MAX;
    std::uint16_t lastColumn = 0;
    std::vector<std::uint16_t> rowWidth = std::vector<std::uint16_t>(kSheetRows, 0); // last column + 1, 0 for none
    bool empty() const { return firstRow == UINT32_MAX; }
};

SheetShape measure(const SheetContext& context, std::uint32_t offset)
{
    SheetShape shape;
    readSheetCells(
        context, offset,
        [&shape](std::uint32_t row, std::uint16_t column, const Cell&) {
            shape.firstRow = std::min(shape.firstRow, row);
            shape.lastRow = std::max(shape.lastRow, row);
            shape.firstColumn = std::min(shape.firstColumn, column);
            shape.lastColumn = std::max(shape.lastColumn, column);
            if (row < kSheetRows)
                shape.rowWidth[row] = std::max<std::uint16_t>(shape.rowWidth[row], static_cast<std::uint16_t>(column + 1));
        },
        {});
    return shape;
}

// The data rows' layout, each row as wide as its last value.
RowCells layoutRows(const SheetShape& shape, std::size_t& cellBudget)
{
    RowCells rows;
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
        throw common::Error(formatMessage(kReasonBadRecord, {"its sheets claim far more cells than it holds"}));
    cellBudget -= cost;
    rows.cells.resize(total);
    return rows;
}

std::vector<Field> headerFields(const std::vector<Cell>& header, const RowCells& rows,
                                const std::vector<std::string>& texts, const common::RegionalSettings& settings)
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

} // namespace

std::unique_ptr<Table> loadSheetTable(const SheetContext& context, std::uint32_t offset,
                                      std::vector<std::string>& texts, const common::RegionalSettings& settings,
                                      std::size_t& cellBudget)
{
    const SheetShape shape = measure(context, offset);
    if (shape.empty())
        return std::make_unique<Table>(texts, std::vector<Field>{{"F1", FieldType::Text}}, RowCells{}, 0, 0);
    std::vector<Cell> header(std::size_t(shape.lastColumn) - shape.firstColumn + 1);
    RowCells rows = layoutRows(shape, cellBudget);
    readSheetCells(
        context, offset,
        [&](std::uint32_t row, std::uint16_t column, const Cell& cell) {
            // The second pass sees the same records as the first, so every cell has its place.
            const std::size_t field = column - shape.firstColumn;
            if (row == shape.firstRow)
                header[field] = cell;
            else
                rows.cells[rows.rowStart[row - shape.firstRow - 1] + field] = cell;
        },
        [&texts](std::string text) {
            texts.push_back(std::move(text));
            return static_cast<std::uint32_t>(texts.size() - 1);
        });
    std::vector<Field> fields = headerFields(header, rows, texts, settings);
    return std::make_unique<Table>(texts, std::move(fields), std::move(rows), shape.firstRow, shape.firstColumn);
}

} // namespace workbook
