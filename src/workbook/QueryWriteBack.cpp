#include "workbook/QueryWriteBack.h"

#include "common/Error.h"
#include "workbook/Connection.h"
#include "workbook/WorkbookMessages.h"
#include "xls/Workbook.h"
#include "xlswrite/WriteMessages.h"
#include "xlswrite/XlsWriter.h"


namespace workbook {

namespace {

constexpr const char* kEmptySheetField = "F1";

// A sheet without any value gives a table with the one field "F1" and no
// header cell: its first row written needs that header written too, or
// the row would read back as the header.
bool isEmptySheetTable(const table::Table& table)
{
    return table.rowCount() == 0 && table.fieldCount() == 1 && table.fields()[0].name == kEmptySheetField &&
           table.headerRow() == 0 && table.firstColumn() == 0;
}

} // namespace

void writePostedRow(const Connection& connection, const table::Table& table, std::optional<std::size_t> row,
                    const std::vector<PendingCell>& buffer)
{
    std::vector<xlswrite::CellWrite> cells;
    const std::size_t tableRow = row ? *row : table.rowCount();
    const std::uint64_t sheetRow = std::uint64_t{table.headerRow()} + 1 + tableRow;
    for (std::size_t field = 0; field < buffer.size(); ++field) {
        if (!buffer[field].set)
            continue;
        xlswrite::CellWrite cell;
        cell.row = static_cast<std::uint32_t>(std::min<std::uint64_t>(sheetRow, UINT32_MAX));
        cell.column =
            static_cast<std::uint16_t>(std::min<std::size_t>(table.firstColumn() + field, UINT16_MAX));
        cell.value = buffer[field].cell;
        cell.text = buffer[field].text;
        cells.push_back(std::move(cell));
    }
    if (cells.empty())
        return;
    if (isEmptySheetTable(table))
        cells.push_back({table.headerRow(), table.firstColumn(), table::Cell::ofText(0), kEmptySheetField});
    const std::shared_ptr<xls::Workbook> workbook = connection.workbook();
    if (!workbook)
        throw common::Error(kConnectionClosed);
    for (std::size_t sheet = 0; sheet < workbook->sheets().size(); ++sheet) {
        if (workbook->sheets()[sheet].table.get() == &table) {
            xlswrite::writeCellsToFile(connection.dataSource(), sheet, workbook->sheets()[sheet].name, cells,
                             connection.codePage());
            return;
        }
    }
    throw common::Error(kConnectionClosed);
}

} // namespace workbook
