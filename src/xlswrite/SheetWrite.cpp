#include "xlswrite/SheetWrite.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/LittleEndian.h"
#include "xls/BiffRecords.h"
#include "xls/ReadMessages.h"
#include "xlswrite/ByteWriter.h"
#include "xlswrite/CellTableWrite.h"
#include "xlswrite/WriteMessages.h"

#include <algorithm>
#include <optional>

namespace xlswrite {

namespace {

constexpr std::uint16_t kIndex = 0x020B;
constexpr std::uint16_t kDefaultXf = 15; // the "Normal" cell format every BIFF8 writer puts at 15

// Where the parts of a substream lie, as offsets into the segment.
struct SheetParts {
    std::size_t indexAt = std::string::npos; // INDEX record
    std::size_t dimensionAt = std::string::npos;
    std::size_t tableBegin = 0; // the cell table's first record
    std::size_t tableEnd = 0;   // after its last
};

[[noreturn]] void refuse(const char* reason, std::initializer_list<std::string_view> args)
{
    throw common::Error(common::formatMessage(reason, args));
}

SheetParts findParts(std::string_view segment, const std::string& sheetName)
{
    SheetParts parts;
    xls::RecordStream records(segment);
    xls::Record record;
    int depth = 0;
    bool inTable = false;
    bool tableDone = false;
    while (records.next(record)) {
        if (record.type == xls::biff::kBof)
            ++depth;
        else if (record.type == xls::biff::kEof && --depth == 0)
            break;
        if (depth != 1)
            continue;
        const bool cellRecord = isCellTableRecord(record.type);
        if (cellRecord && tableDone)
            refuse(kWriteReasonScattered, {sheetName});
        if (cellRecord && !inTable) {
            inTable = true;
            parts.tableBegin = record.offset;
        }
        if (!cellRecord && inTable) {
            inTable = false;
            tableDone = true;
            parts.tableEnd = record.offset;
        }
        if (record.type == kIndex && parts.indexAt == std::string::npos)
            parts.indexAt = record.offset;
        if (record.type == xls::biff::kDimension && parts.dimensionAt == std::string::npos) {
            if (record.data.size() < 12) // the BIFF8 form: 32-bit rows
                refuse(xls::kReasonBadRecord,
                       {xls::describeRecord(record.type, record.offset) + " is too short"});
            parts.dimensionAt = record.offset;
            if (!inTable && !tableDone)
                parts.tableBegin = parts.tableEnd = record.continuedEnd;
        }
    }
    if (inTable)
        refuse(kWriteReasonScattered, {sheetName});
    if (parts.dimensionAt == std::string::npos || parts.dimensionAt > parts.tableBegin)
        refuse(kWriteReasonNoDimension, {sheetName});
    return parts;
}

std::string storedRecord(const StoredCell& cell, std::uint16_t xf)
{
    std::string data;
    common::appendU16(data, static_cast<std::uint16_t>(cell.row));
    common::appendU16(data, cell.column);
    common::appendU16(data, xf);
    std::string out;
    switch (cell.kind) {
    case StoredCell::Kind::Number:
    case StoredCell::Kind::Date:
        common::appendDouble(data, cell.number);
        appendRecord(out, xls::biff::kNumber, data);
        break;
    case StoredCell::Kind::SharedString:
        common::appendU32(data, cell.string);
        appendRecord(out, xls::biff::kLabelSst, data);
        break;
    case StoredCell::Kind::Boolean:
        data.push_back(cell.boolean ? 1 : 0);
        data.push_back(0);
        appendRecord(out, xls::biff::kBoolErr, data);
        break;
    case StoredCell::Kind::Empty:
        break;
    }
    return out;
}

bool fits(const CellFormats& formats, std::uint16_t xf, bool wantDate)
{
    return xf < formats.isCellXf.size() && formats.isCellXf[xf] && (formats.isDate[xf] != 0) == wantDate;
}

// The format of a cell that had none of its own: the nearest cell above in
// its column when that one shows the same kind of value, else the default
// format (for a date: the workbook's first date format).
std::uint16_t formatForNewCell(const CellTable& table, const StoredCell& cell, const CellFormats& formats)
{
    const bool wantDate = cell.kind == StoredCell::Kind::Date;
    if (const std::optional<std::uint16_t> above = table.formatAbove(cell.row, cell.column);
        above && (fits(formats, *above, wantDate) || (!wantDate && cell.kind != StoredCell::Kind::Number)))
        return *above;
    if (!wantDate)
        return kDefaultXf < formats.isCellXf.size() ? kDefaultXf : 0;
    for (std::size_t xf = 0; xf < formats.isDate.size(); ++xf)
        if (fits(formats, static_cast<std::uint16_t>(xf), true))
            return static_cast<std::uint16_t>(xf);
    refuse(kWriteReasonNoDateFormat, {cellAddress(cell.row, cell.column)});
}

void applyCell(CellTable& table, const StoredCell& cell, const CellFormats& formats,
               const std::string& sheetName, std::int64_t& sharedStringRefs)
{
    const std::optional<CellTable::Removed> old = table.removeCell(cell.row, cell.column);
    if (old && old->inFormulaGroup)
        refuse(kWriteReasonFormula, {cellAddress(cell.row, cell.column), sheetName});
    if (old && old->type == xls::biff::kLabelSst)
        --sharedStringRefs;
    if (cell.kind == StoredCell::Kind::Empty)
        return;
    const bool wantDate = cell.kind == StoredCell::Kind::Date;
    const bool keepOld = old && (cell.kind == StoredCell::Kind::SharedString ||
                                 cell.kind == StoredCell::Kind::Boolean || fits(formats, old->xf, wantDate));
    const std::uint16_t xf = keepOld ? old->xf : formatForNewCell(table, cell, formats);
    table.insertCell(cell.row, cell.column, storedRecord(cell, xf));
    if (cell.kind == StoredCell::Kind::SharedString)
        ++sharedStringRefs;
}

// DIMENSION grown to hold every cell: first row, last row + 1, first
// column, last column + 1.
void growDimension(std::string& prefix, std::size_t at, const CellTable& table)
{
    const std::optional<CellTable::Extent> extent = table.extent();
    if (!extent)
        return;
    const std::size_t data = at + xls::biff::kRecordHeaderSize;
    std::uint32_t firstRow = common::readU32(prefix, data);
    std::uint32_t endRow = common::readU32(prefix, data + 4);
    std::uint16_t firstColumn = common::readU16(prefix, data + 8);
    std::uint16_t endColumn = common::readU16(prefix, data + 10);
    const bool empty = endRow == 0 && endColumn == 0;
    firstRow = empty ? extent->firstRow : std::min(firstRow, extent->firstRow);
    endRow = std::max(endRow, extent->lastRow + 1);
    firstColumn = empty ? extent->firstColumn : std::min(firstColumn, extent->firstColumn);
    endColumn = std::max<std::uint16_t>(endColumn, static_cast<std::uint16_t>(extent->lastColumn + 1));
    common::putU32(prefix, data, firstRow);
    common::putU32(prefix, data + 4, endRow);
    common::putU16(prefix, data + 8, firstColumn);
    common::putU16(prefix, data + 10, endColumn);
}

std::size_t recordEnd(std::string_view bytes, std::size_t at)
{
    return at + xls::biff::kRecordHeaderSize + common::readU16(bytes, at + 2);
}

// Puts an INDEX record with room for `blocks` DBCELL offsets in place of
// the one at `at`; returns the old one's offset of the DEFCOLWIDTH record.
std::uint32_t resizeIndex(std::string& prefix, std::size_t at, std::size_t blocks, std::size_t oldStart)
{
    const std::size_t data = at + xls::biff::kRecordHeaderSize;
    const std::size_t end = recordEnd(prefix, at);
    if (end > prefix.size() || end - data < 16)
        refuse(xls::kReasonBadRecord, {xls::describeRecord(kIndex, oldStart + at) + " is too short"});
    std::string index;
    appendRecord(index, kIndex, std::string(16 + 4 * blocks, '\0'));
    index.replace(xls::biff::kRecordHeaderSize, 12, prefix, data, 12); // reserved, first row, last row + 1
    const std::uint32_t defColWidth = common::readU32(prefix, data + 12);
    prefix.replace(at, end - at, index);
    return defColWidth;
}

// The INDEX's rows (grown to hold the table's) and its DBCELL offsets.
void fillIndex(std::string& prefix, std::size_t at, const CellTable& table,
               const std::vector<std::size_t>& dbCells, std::uint32_t defColWidth)
{
    const std::size_t data = at + xls::biff::kRecordHeaderSize;
    const std::uint32_t oldFirst = common::readU32(prefix, data + 4);
    const std::uint32_t oldEnd = common::readU32(prefix, data + 8);
    if (table.blockCount() > 0) {
        const CellTable::Extent rows = table.rowRange();
        const bool empty = oldFirst == 0 && oldEnd == 0;
        common::putU32(prefix, data + 4, empty ? rows.firstRow : std::min(oldFirst, rows.firstRow));
        common::putU32(prefix, data + 8, std::max(oldEnd, rows.lastRow + 1));
    }
    common::putU32(prefix, data + 12, defColWidth);
    for (std::size_t b = 0; b < dbCells.size(); ++b)
        common::putU32(prefix, data + 16 + 4 * b, static_cast<std::uint32_t>(dbCells[b]));
}

} // namespace

SheetRewrite rewriteSheet(std::string_view segment, std::size_t oldStart, std::size_t newStart,
                          const std::vector<StoredCell>& cells, const CellFormats& formats,
                          const std::string& sheetName)
{
    const SheetParts parts = findParts(segment, sheetName);
    CellTable table(segment.substr(parts.tableBegin, parts.tableEnd - parts.tableBegin),
                    parts.indexAt != std::string::npos);
    SheetRewrite result;
    for (const StoredCell& cell : cells)
        applyCell(table, cell, formats, sheetName, result.sharedStringRefs);

    // Everything before the cell table, with the INDEX resized for the new
    // number of blocks; its values are filled in once the blocks are placed.
    std::string prefix(segment.substr(0, parts.tableBegin));
    std::uint32_t oldDefColWidth = 0;
    if (parts.indexAt != std::string::npos)
        oldDefColWidth = resizeIndex(prefix, parts.indexAt, table.blockCount(), oldStart);
    const std::ptrdiff_t grown =
        static_cast<std::ptrdiff_t>(prefix.size()) - static_cast<std::ptrdiff_t>(parts.tableBegin);
    growDimension(prefix, static_cast<std::size_t>(static_cast<std::ptrdiff_t>(parts.dimensionAt) + grown),
                  table);

    const CellTable::Written written = table.write(newStart + prefix.size());
    if (parts.indexAt != std::string::npos) {
        // The default column width's record moves with the INDEX's growth.
        std::uint32_t defColWidth = 0;
        if (oldDefColWidth != 0)
            defColWidth = static_cast<std::uint32_t>(oldDefColWidth - oldStart + newStart + grown);
        fillIndex(prefix, parts.indexAt, table, written.dbCells, defColWidth);
    }
    result.bytes = prefix + written.bytes + std::string(segment.substr(parts.tableEnd));
    return result;
}

std::string moveSheet(std::string_view segment, std::size_t oldStart, std::size_t newStart)
{
    std::string out(segment);
    xls::RecordStream records(segment);
    xls::Record record;
    int depth = 0;
    while (records.next(record)) {
        if (record.type == xls::biff::kBof)
            ++depth;
        else if (record.type == xls::biff::kEof && --depth == 0)
            break;
        if (depth != 1 || record.type != kIndex || record.data.size() < 16)
            continue;
        const std::size_t data = record.offset + xls::biff::kRecordHeaderSize;
        auto shift = [&](std::size_t at) {
            const std::uint32_t value = common::readU32(out, at);
            if (value != 0)
                common::putU32(out, at, static_cast<std::uint32_t>(value - oldStart + newStart));
        };
        shift(data + 12);
        for (std::size_t at = data + 16; at + 4 <= data + record.data.size(); at += 4)
            shift(at);
        break;
    }
    return out;
}

} // namespace xlswrite
