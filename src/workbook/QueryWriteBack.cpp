#include "workbook/QueryWriteBack.h"

#include "common/Error.h"
#include "common/FileReplace.h"
#include "common/FileStamp.h"
#include "common/FormatMessage.h"
#include "workbook/Connection.h"
#include "workbook/WorkbookFormat.h"
#include "workbook/WorkbookMessages.h"

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

// The rows the query shows, and where a posted row goes, are those of the
// file as it was read: written into a file changed since, the row could
// land on another row's place, or undo the other program's change.
void writeBack(Connection& connection, WorkbookFile& file, std::size_t tableIndex,
               const std::vector<table::CellWrite>& cells)
{
    const std::string& path = connection.dataSource();
    const common::ReplaceLock lock(path);
    if (!lock.held())
        throw common::Error(common::formatMessage(kWorkbookBusy, {path}));
    const std::optional<common::FileStamp> now = common::stampOf(path);
    if (!now || now != connection.fileStamp())
        throw common::Error(common::formatMessage(kWorkbookChanged, {path}));
    file.writeCells(tableIndex, cells);
    connection.setFileStamp(common::stampOf(path));
}

} // namespace

void writePostedRow(Connection& connection, const std::shared_ptr<WorkbookFile>& file, std::size_t tableIndex,
                    const table::Table& table, std::optional<std::size_t> row,
                    const std::vector<PendingCell>& buffer)
{
    std::vector<table::CellWrite> cells;
    const std::size_t tableRow = row ? *row : table.rowCount();
    const std::uint64_t sheetRow = std::uint64_t{table.headerRow()} + 1 + tableRow;
    for (std::size_t field = 0; field < buffer.size(); ++field) {
        if (!buffer[field].set)
            continue;
        table::CellWrite cell;
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
    // A query left open on a file the connection has since closed (or
    // replaced by another) must not write into it.
    if (!file || connection.file() != file)
        throw common::Error(kConnectionClosed);
    writeBack(connection, *file, tableIndex, cells);
}

} // namespace workbook
