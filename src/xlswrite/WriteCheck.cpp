#include "xlswrite/WriteCheck.h"

#include "common/Error.h"
#include "table/WrittenCells.h"
#include "xls/BiffText.h"
#include "xls/CompoundFile.h"
#include "xls/ReadMessages.h"
#include "xls/SheetReader.h"
#include "xls/WorkbookGlobals.h"
#include "xlswrite/CellTableWrite.h"
#include "xlswrite/WriteMessages.h"

namespace xlswrite {

namespace {

table::WorkbookCells cellsOf(std::string_view stream, const common::CodePage& codePage)
{
    xls::TextDecoder decoder(codePage);
    const xls::WorkbookGlobals globals = xls::readGlobals(stream, decoder);
    std::vector<std::string> texts = globals.sharedStrings;
    const xls::SheetContext context{stream, globals, decoder, texts, globals.sharedStrings.size()};
    table::WorkbookCells cells;
    std::size_t worksheet = 0;
    for (const xls::SheetEntry& sheet : globals.sheets) {
        if (!sheet.isWorksheet)
            continue;
        xls::readSheetCells(
            context, sheet.offset,
            [&](std::uint32_t row, std::uint16_t column, const table::Cell& cell) {
                cells[{worksheet, row, column}] = table::valueOf(cell, texts);
            },
            [&texts](std::string text) {
                texts.push_back(std::move(text));
                return static_cast<std::uint32_t>(texts.size() - 1);
            });
        ++worksheet;
    }
    return cells;
}

} // namespace

std::string workbookStreamOf(std::string_view file, bool biff8Only, std::size_t* entry)
{
    const xls::CompoundFile compound(file);
    std::optional<std::size_t> found = compound.findStream(u"Workbook");
    if (!found && compound.findStream(u"Book"))
        throw common::Error(biff8Only ? kWriteReasonBiff5 : xls::kReasonNoWorkbookStream);
    if (!found)
        throw common::Error(xls::kReasonNoWorkbookStream);
    if (entry)
        *entry = *found;
    return compound.readStream(*found);
}

std::optional<std::string> differenceAfterWrite(std::string_view original, std::string_view written,
                                                std::size_t sheetIndex,
                                                const std::vector<table::CellWrite>& cells,
                                                const common::CodePage& codePage)
{
    return table::differenceAfterWrite(cellsOf(workbookStreamOf(original, true), codePage), sheetIndex, cells,
                                       cellsOf(workbookStreamOf(written, true), codePage));
}

} // namespace xlswrite
