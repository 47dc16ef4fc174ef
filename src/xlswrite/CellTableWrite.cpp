#include "xlswrite/CellTableWrite.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/LittleEndian.h"
#include "xls/BiffRecords.h"
#include "xls/ReadMessages.h"
#include "xlswrite/ByteWriter.h"

#include <algorithm>

namespace xlswrite {

namespace {

constexpr std::uint16_t kRow = 0x0208;
constexpr std::uint16_t kDbCell = 0x00D7;
constexpr std::uint32_t kRowsPerBlock = 32;
constexpr std::size_t kRowDataSize = 16;
// A ROW record for a row that had none: default height, the "Normal" format.
constexpr std::uint16_t kDefaultRowHeight = 0x00FF;
constexpr std::uint16_t kDefaultRowFlags = 0x0100;
constexpr std::uint16_t kDefaultRowXf = 0x000F;
// Formula tokens that make a cell part of a shared or array formula, or of a data table.
constexpr std::uint8_t kTokenExp = 0x01;
constexpr std::uint8_t kTokenTbl = 0x02;

bool isCellRecord(std::uint16_t type)
{
    switch (type) {
    case xls::biff::kBlank:
    case xls::biff::kNumber:
    case xls::biff::kLabel:
    case xls::biff::kBoolErr:
    case xls::biff::kRk:
    case xls::biff::kMulRk:
    case xls::biff::kMulBlank:
    case xls::biff::kLabelSst:
    case xls::biff::kRString:
    case xls::biff::kFormula:
        return true;
    default:
        return false;
    }
}

bool followsFormula(std::uint16_t type)
{
    return type == xls::biff::kString || type == xls::biff::kSharedFormula || type == xls::biff::kArray ||
           type == xls::biff::kTable || type == xls::biff::kContinue;
}

[[noreturn]] void damaged(const xls::Record& record)
{
    throw common::Error(common::formatMessage(
        xls::kReasonBadRecord, {xls::describeRecord(record.type, record.offset) + " is too short"}));
}

// The group a formula belongs to, from its first token: tExp or tTbl give
// the row and column of the group's first cell.
std::optional<std::pair<std::uint16_t, std::uint16_t>> groupCellOf(std::string_view data)
{
    // FORMULA: row, column, XF, result (8), flags (2), chain (4), token length (2), tokens.
    if (data.size() < 27 || common::readU16(data, 20) < 5)
        return std::nullopt;
    const std::uint8_t first = common::byteAt(data, 22);
    if (first != kTokenExp && first != kTokenTbl)
        return std::nullopt;
    return std::pair(common::readU16(data, 23), common::readU16(data, 25));
}

std::string singleRecord(std::uint16_t type, std::uint16_t row, std::uint16_t column, std::uint16_t xf,
                         std::optional<std::uint32_t> rk)
{
    std::string data;
    common::appendU16(data, row);
    common::appendU16(data, column);
    common::appendU16(data, xf);
    if (rk)
        common::appendU32(data, *rk);
    std::string out;
    appendRecord(out, type, data);
    return out;
}

std::string_view dataOf(const std::string& record)
{
    return std::string_view(record).substr(xls::biff::kRecordHeaderSize, common::readU16(record, 2));
}

} // namespace

bool isCellTableRecord(std::uint16_t type)
{
    return type == kRow || type == kDbCell || isCellRecord(type) || followsFormula(type);
}

CellTable::CellTable(std::string_view records, bool blocks) : m_blocks(blocks)
{
    xls::RecordStream stream(records);
    xls::Record record;
    std::vector<CellRecord>* lastCells = nullptr;
    while (stream.next(record)) {
        const std::string_view raw = records.substr(record.offset, record.continuedEnd - record.offset);
        if (record.type == kDbCell) {
            m_blocks = true;
        } else if (record.type == kRow) {
            if (record.data.size() < kRowDataSize)
                damaged(record);
            m_rows[common::readU16(record.data, 0)].rowRecord = raw;
        } else if (isCellRecord(record.type)) {
            if (record.data.size() < 6)
                damaged(record);
            CellRecord cell{record.type,
                            common::readU16(record.data, 2),
                            common::readU16(record.data, 2),
                            std::string(raw),
                            Group::None,
                            {}};
            if (record.type == xls::biff::kMulRk || record.type == xls::biff::kMulBlank)
                cell.last = common::readU16(record.data, record.data.size() - 2);
            if (record.type == xls::biff::kFormula)
                cell.partOf = groupCellOf(record.data);
            lastCells = &m_rows[common::readU16(record.data, 0)].cells;
            lastCells->push_back(std::move(cell));
        } else if (lastCells && !lastCells->empty()) {
            CellRecord& owner = lastCells->back();
            owner.bytes.append(raw);
            if (record.type == xls::biff::kSharedFormula)
                owner.group = Group::Shared;
            else if (record.type == xls::biff::kArray)
                owner.group = Group::Array;
            else if (record.type == xls::biff::kTable)
                owner.group = Group::Table;
        }
    }
}

void CellTable::split(std::vector<CellRecord>& cells, std::size_t at)
{
    const CellRecord multi = cells[at];
    const std::string_view data = dataOf(multi.bytes);
    const std::uint16_t row = common::readU16(data, 0);
    const bool rk = multi.type == xls::biff::kMulRk;
    const std::size_t width = rk ? 6 : 2;
    std::vector<CellRecord> singles;
    for (std::uint32_t column = multi.first; column <= multi.last; ++column) {
        const std::size_t entry = 4 + width * (column - multi.first);
        if (entry + width + 2 > data.size())
            break;
        const auto col = static_cast<std::uint16_t>(column);
        const std::uint16_t xf = common::readU16(data, entry);
        const std::uint16_t type = rk ? xls::biff::kRk : xls::biff::kBlank;
        singles.push_back({type,
                           col,
                           col,
                           singleRecord(type, row, col, xf,
                                        rk ? std::optional(common::readU32(data, entry + 2)) : std::nullopt),
                           Group::None,
                           {}});
    }
    cells.erase(cells.begin() + static_cast<std::ptrdiff_t>(at));
    cells.insert(cells.begin() + static_cast<std::ptrdiff_t>(at), singles.begin(), singles.end());
}

std::optional<CellTable::Removed> CellTable::removeCell(std::uint32_t row, std::uint16_t column)
{
    const auto found = m_rows.find(row);
    if (found == m_rows.end())
        return std::nullopt;
    found->second.touched = true;
    std::vector<CellRecord>& cells = found->second.cells;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (column < cells[i].first || column > cells[i].last)
            continue;
        if (cells[i].first != cells[i].last) {
            split(cells, i);
            --i; // look again at the single records that replaced it
            continue;
        }
        const CellRecord& cell = cells[i];
        Removed removed{cell.type, common::readU16(dataOf(cell.bytes), 4), !canReplace(row, cell)};
        if (!removed.inFormulaGroup)
            cells.erase(cells.begin() + static_cast<std::ptrdiff_t>(i));
        return removed;
    }
    return std::nullopt;
}

void CellTable::insertCell(std::uint32_t row, std::uint16_t column, std::string record)
{
    Row& target = m_rows[row];
    target.touched = true;
    const auto at = std::find_if(target.cells.begin(), target.cells.end(),
                                 [column](const CellRecord& cell) { return cell.first > column; });
    const std::uint16_t type = common::readU16(record, 0);
    target.cells.insert(at, CellRecord{type, column, column, std::move(record), Group::None, {}});
}

CellTable::CellRecord* CellTable::find(std::uint32_t row, std::uint16_t column)
{
    const auto found = m_rows.find(row);
    if (found == m_rows.end())
        return nullptr;
    for (CellRecord& cell : found->second.cells)
        if (cell.first == column && cell.last == column)
            return &cell;
    return nullptr;
}

bool CellTable::canReplace(std::uint32_t row, const CellRecord& cell)
{
    if (cell.group == Group::Array || cell.group == Group::Table)
        return false;
    if (cell.group == Group::Shared)
        return moveSharedFormula(row, cell);
    if (!cell.partOf || (cell.partOf->first == row && cell.partOf->second == cell.first))
        return true;
    // A cell inside a group: a shared formula's other cells do not need it,
    // an array's or table's do.
    const CellRecord* first = find(cell.partOf->first, cell.partOf->second);
    return !first || first->group == Group::None || first->group == Group::Shared;
}

// The shared formula's first cell is being replaced: its SHRFMLA record
// moves to the next cell of a one-row or one-column range, which becomes
// the first one, and the range's cells are pointed at it. The tokens of a
// shared formula are relative to the cell that uses them, so they stay.
bool CellTable::moveSharedFormula(std::uint32_t row, const CellRecord& anchor)
{
    std::size_t at = xls::biff::kRecordHeaderSize + common::readU16(anchor.bytes, 2);
    while (at + xls::biff::kRecordHeaderSize <= anchor.bytes.size() &&
           common::readU16(anchor.bytes, at) != xls::biff::kSharedFormula)
        at += xls::biff::kRecordHeaderSize + common::readU16(anchor.bytes, at + 2);
    if (at + xls::biff::kRecordHeaderSize + 8 > anchor.bytes.size() ||
        common::readU16(anchor.bytes, at + 2) < 8)
        return false;
    std::string shared =
        anchor.bytes.substr(at, xls::biff::kRecordHeaderSize + common::readU16(anchor.bytes, at + 2));
    const std::size_t data = xls::biff::kRecordHeaderSize;
    const std::uint16_t firstRow = common::readU16(shared, data);
    const std::uint16_t lastRow = common::readU16(shared, data + 2);
    const std::uint8_t firstColumn = common::byteAt(shared, data + 4);
    const std::uint8_t lastColumn = common::byteAt(shared, data + 5);
    if (firstRow != row || firstColumn != anchor.first)
        return false;
    if (firstRow == lastRow && firstColumn == lastColumn)
        return true; // a group of one: nothing else uses it
    if (firstRow != lastRow && firstColumn != lastColumn)
        return false;
    const std::uint16_t nextRow =
        firstColumn == lastColumn ? static_cast<std::uint16_t>(firstRow + 1) : firstRow;
    const std::uint16_t nextColumn =
        firstColumn == lastColumn ? firstColumn : static_cast<std::uint16_t>(firstColumn + 1);
    const std::pair<std::uint16_t, std::uint16_t> oldFirst(firstRow, firstColumn);
    CellRecord* next = find(nextRow, nextColumn);
    if (!next || next->type != xls::biff::kFormula || next->partOf != oldFirst || next->group != Group::None)
        return false;
    for (auto it = m_rows.lower_bound(firstRow); it != m_rows.end() && it->first <= lastRow; ++it) {
        for (CellRecord& cell : it->second.cells) {
            if (cell.type != xls::biff::kFormula || cell.partOf != oldFirst)
                continue;
            common::putU16(cell.bytes, data + 23, nextRow);
            common::putU16(cell.bytes, data + 25, nextColumn);
            cell.partOf = std::pair(nextRow, nextColumn);
        }
    }
    common::putU16(shared, data, nextRow);
    shared[data + 4] = static_cast<char>(nextColumn);
    if (const std::uint8_t uses = common::byteAt(shared, data + 7); uses > 1)
        shared[data + 7] = static_cast<char>(uses - 1);
    next->bytes.insert(xls::biff::kRecordHeaderSize + common::readU16(next->bytes, 2), shared);
    next->group = Group::Shared;
    return true;
}

std::optional<std::uint16_t> CellTable::formatAbove(std::uint32_t row, std::uint16_t column) const
{
    for (auto it = m_rows.lower_bound(row); it != m_rows.begin();) {
        --it;
        for (const CellRecord& cell : it->second.cells) {
            if (column < cell.first || column > cell.last)
                continue;
            const std::string_view data = dataOf(cell.bytes);
            const std::size_t width = cell.type == xls::biff::kMulRk ? 6 : 2;
            const std::size_t at = cell.first == cell.last ? 4 : 4 + width * (column - cell.first);
            if (at + 2 <= data.size())
                return common::readU16(data, at);
        }
    }
    return std::nullopt;
}

std::optional<CellTable::Extent> CellTable::extent() const
{
    std::optional<Extent> extent;
    for (const auto& [index, row] : m_rows) {
        for (const CellRecord& cell : row.cells) {
            if (!extent)
                extent = Extent{index, index, cell.first, cell.last};
            extent->lastRow = index;
            extent->firstColumn = std::min(extent->firstColumn, cell.first);
            extent->lastColumn = std::max(extent->lastColumn, cell.last);
        }
    }
    return extent;
}

CellTable::Extent CellTable::rowRange() const
{
    if (m_rows.empty())
        return {};
    return {m_rows.begin()->first, m_rows.rbegin()->first, 0, 0};
}

std::size_t CellTable::blockCount() const
{
    if (!m_blocks)
        return 0;
    std::size_t count = 0;
    std::optional<std::uint32_t> last;
    for (const auto& entry : m_rows) {
        const std::uint32_t block = entry.first / kRowsPerBlock;
        if (!last || *last != block)
            ++count;
        last = block;
    }
    return count;
}

std::string CellTable::rowRecordOf(std::uint32_t index, const Row& row) const
{
    if (!row.touched)
        return row.rowRecord;
    std::string record = row.rowRecord;
    if (record.empty()) {
        if (row.cells.empty())
            return {};
        // A new row looks like the nearest one above it (height and format).
        for (auto it = m_rows.lower_bound(index); record.empty() && it != m_rows.begin();)
            record = (--it)->second.rowRecord;
        if (record.empty()) {
            std::string data(kRowDataSize, '\0');
            common::putU16(data, 6, kDefaultRowHeight);
            common::putU16(data, 12, kDefaultRowFlags);
            common::putU16(data, 14, kDefaultRowXf);
            appendRecord(record, kRow, data);
        }
        record.resize(xls::biff::kRecordHeaderSize + kRowDataSize);
        common::putU16(record, 2, kRowDataSize);
    }
    const std::size_t data = xls::biff::kRecordHeaderSize;
    common::putU16(record, data, static_cast<std::uint16_t>(index));
    common::putU16(record, data + 2, row.cells.empty() ? 0 : row.cells.front().first);
    common::putU16(record, data + 4,
                   row.cells.empty() ? 0 : static_cast<std::uint16_t>(row.cells.back().last + 1));
    return record;
}

CellTable::Written CellTable::write(std::size_t base) const
{
    Written written;
    std::string& out = written.bytes;
    for (auto begin = m_rows.begin(); begin != m_rows.end();) {
        const std::uint32_t block = begin->first / kRowsPerBlock;
        auto end = begin;
        while (end != m_rows.end() && end->first / kRowsPerBlock == block)
            ++end;
        std::vector<std::string> rowRecords;
        for (auto it = begin; it != end; ++it)
            rowRecords.push_back(rowRecordOf(it->first, it->second));
        const std::size_t firstRow = base + out.size();
        std::optional<std::size_t> previous; // where the offsets count from
        for (const std::string& record : rowRecords) {
            out += record;
            if (!record.empty() && !previous)
                previous = base + out.size();
        }
        std::vector<std::uint16_t> offsets;
        std::size_t r = 0;
        for (auto it = begin; it != end; ++it, ++r) {
            const std::size_t start = base + out.size();
            for (const CellRecord& cell : it->second.cells)
                out += cell.bytes;
            if (!rowRecords[r].empty()) {
                offsets.push_back(static_cast<std::uint16_t>(start - *previous));
                previous = start;
            }
        }
        if (m_blocks) {
            std::string data;
            const std::size_t dbCell = base + out.size();
            common::appendU32(data, offsets.empty() ? 0 : static_cast<std::uint32_t>(dbCell - firstRow));
            for (std::uint16_t offset : offsets)
                common::appendU16(data, offset);
            appendRecord(out, kDbCell, data);
            written.dbCells.push_back(dbCell);
        }
        begin = end;
    }
    return written;
}

} // namespace xlswrite
