#include "workbook/SheetTable.h"

#include "common/Error.h"
#include "workbook/CellText.h"
#include "workbook/WorkbookMessages.h"

#include <algorithm>

namespace workbook {

namespace {

struct UsedRange {
    std::uint32_t firstRow = UINT32_MAX;
    std::uint32_t lastRow = 0;
    std::uint16_t firstColumn = UINT16_MAX;
    std::uint16_t lastColumn = 0;
    bool empty() const { return firstRow == UINT32_MAX; }
    std::size_t rows() const { return empty() ? 0 : lastRow - firstRow + 1; }
    std::size_t columns() const { return empty() ? 0 : std::size_t(lastColumn) - firstColumn + 1; }
};

UsedRange measure(const SheetContext& context, std::uint32_t offset)
{
    UsedRange range;
    readSheetCells(
        context, offset,
        [&range](std::uint32_t row, std::uint16_t column, const Cell&) {
            range.firstRow = std::min(range.firstRow, row);
            range.lastRow = std::max(range.lastRow, row);
            range.firstColumn = std::min(range.firstColumn, column);
            range.lastColumn = std::max(range.lastColumn, column);
        },
        {});
    return range;
}

std::vector<Field> headerFields(const std::vector<Cell>& grid, std::size_t columns, std::size_t dataRows,
                                const std::vector<std::string>& texts, const common::RegionalSettings& settings)
{
    std::vector<Field> fields(columns);
    for (std::size_t c = 0; c < columns; ++c) {
        fields[c].name = cellText(grid[c], texts, settings);
        if (fields[c].name.empty())
            fields[c].name = "F" + std::to_string(c + 1);
        fields[c].type = fieldTypeOf(grid.data() + columns + c, dataRows, columns);
    }
    return fields;
}

} // namespace

std::unique_ptr<Table> loadSheetTable(const SheetContext& context, std::uint32_t offset,
                                      std::vector<std::string>& texts, const common::RegionalSettings& settings)
{
    const UsedRange range = measure(context, offset);
    if (range.empty())
        return std::make_unique<Table>(texts, std::vector<Field>{{"F1", FieldType::Text}}, std::vector<Cell>{}, 0, 0);
    const std::size_t columns = range.columns();
    std::vector<Cell> grid(range.rows() * columns);
    readSheetCells(
        context, offset,
        [&](std::uint32_t row, std::uint16_t column, const Cell& cell) {
            // The second pass sees the same records as the first, so every cell is in range.
            grid[(row - range.firstRow) * columns + (column - range.firstColumn)] = cell;
        },
        [&texts](std::string text) {
            texts.push_back(std::move(text));
            return static_cast<std::uint32_t>(texts.size() - 1);
        });
    std::vector<Field> fields = headerFields(grid, columns, range.rows() - 1, texts, settings);
    grid.erase(grid.begin(), grid.begin() + static_cast<std::ptrdiff_t>(columns)); // the header row
    return std::make_unique<Table>(texts, std::move(fields), std::move(grid), range.firstRow, range.firstColumn);
}

} // namespace workbook
