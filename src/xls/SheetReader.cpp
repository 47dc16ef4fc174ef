#include "xls/SheetReader.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/LittleEndian.h"
#include "table/DateSerial.h"
#include "xls/BiffRecords.h"
#include "xls/BiffText.h"
#include "xls/ReadMessages.h"
#include "xls/WorkbookGlobals.h"

#include <algorithm>
#include <bit>

namespace xls {

namespace {

constexpr std::uint32_t kColumnLimit = 256; // columns A to IV in BIFF5 and BIFF8

[[noreturn]] void damaged(const Record& record, const char* what)
{
    throw common::Error(
        common::formatMessage(kReasonBadRecord, {describeRecord(record.type, record.offset) + " " + what}));
}

class SheetCellReader {
  public:
    SheetCellReader(const SheetContext& context, const CellVisitor& visit, const CellRunVisitor& visitRun,
                    const TextSink& texts)
        : m_context(context), m_visit(visit), m_visitRun(visitRun), m_texts(texts),
          m_biff8(context.globals.biffVersion == 8)
    {
    }

    void record(const Record& r);
    void finish() { flushPendingFormula(); }

  private:
    void need(const Record& r, std::size_t size) const
    {
        if (r.data.size() < size)
            damaged(r, "is too short");
    }
    // Inline: most cells are numbers, and dates are rare.
    table::Cell numberCell(std::uint16_t xf, double value) const
    {
        const std::vector<char>& dates = m_context.globals.xfIsDate;
        if (xf < dates.size() && dates[xf])
            return dateCell(value);
        return table::Cell::ofNumber(value);
    }
    table::Cell dateCell(double value) const;
    table::Cell textCell(std::string text) const;
    void emit(std::uint32_t row, std::uint16_t column, const table::Cell& cell) const
    {
        if (cell.kind == table::CellKind::Empty)
            return;
        if (column >= kColumnLimit)
            beyondLastColumn();
        m_visit(row, column, cell);
    }
    [[noreturn]] static void beyondLastColumn()
    {
        throw common::Error(
            common::formatMessage(kReasonBadRecord, {"a cell lies right of the last column, IV"}));
    }
    void label(const Record& r, std::size_t countSize);
    void mulRk(const Record& r);
    void formula(const Record& r);
    void formulaString(const Record& r);
    void flushPendingFormula();

    const SheetContext& m_context;
    const CellVisitor& m_visit;
    const CellRunVisitor& m_visitRun;
    const TextSink& m_texts;
    bool m_biff8;
    static constexpr std::size_t kRunLength = 64;
    table::Cell m_run[kRunLength]; // a MULRK record's numbers, as many at a time
    bool m_pendingString = false;
    std::uint32_t m_pendingRow = 0;
    std::uint16_t m_pendingColumn = 0;
};

table::Cell SheetCellReader::dateCell(double value) const
{
    return table::Cell::ofDate(table::dateOfSerial(value, m_context.globals.dateMode1904));
}

table::Cell SheetCellReader::textCell(std::string text) const
{
    if (text.empty())
        return {};
    return table::Cell::ofText(m_texts ? m_texts(std::move(text)) : 0);
}

void SheetCellReader::label(const Record& r, std::size_t countSize)
{
    need(r, 6 + countSize);
    std::size_t pos = 6;
    if (!m_texts) {
        const std::size_t count = countSize == 1 ? common::byteAt(r.data, 6) : common::readU16(r.data, 6);
        emit(common::readU16(r.data, 0), common::readU16(r.data, 2),
             count > 0 ? table::Cell::ofText(0) : table::Cell{});
        return;
    }
    std::string text = m_biff8 ? readUnicodeString(r.data, pos, countSize, m_context.decoder, "a cell text")
                               : readByteString(r.data, pos, countSize, m_context.decoder, "a cell text");
    emit(common::readU16(r.data, 0), common::readU16(r.data, 2), textCell(std::move(text)));
}

void SheetCellReader::mulRk(const Record& r)
{
    need(r, 6);
    const std::uint32_t row = common::readU16(r.data, 0);
    const std::uint16_t first = common::readU16(r.data, 2);
    const std::size_t count = (r.data.size() - 6) / 6;
    if (!m_visitRun) {
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = 4 + 6 * i;
            emit(row, static_cast<std::uint16_t>(first + i),
                 numberCell(common::readU16(r.data, at), decodeRk(common::readU32(r.data, at + 2))));
        }
        return;
    }
    if (count > 0 && first + count - 1 >= kColumnLimit)
        beyondLastColumn();
    // Numbers are never empty cells, so the run has no gaps.
    for (std::size_t done = 0; done < count;) {
        const std::size_t n = std::min(kRunLength, count - done);
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t at = 4 + 6 * (done + i);
            const table::Cell cell =
                numberCell(common::readU16(r.data, at), decodeRk(common::readU32(r.data, at + 2)));
            // Field by field: a copy of the whole cell was made as a misaligned
            // 8-byte reload across its two halves, which waited for both stores.
            m_run[i].number = cell.number;
            m_run[i].text = cell.text;
            m_run[i].kind = cell.kind;
            m_run[i].code = cell.code;
        }
        m_visitRun(row, static_cast<std::uint16_t>(first + done), m_run, n);
        done += n;
    }
}

void SheetCellReader::formula(const Record& r)
{
    need(r, 14);
    const std::uint32_t row = common::readU16(r.data, 0);
    const std::uint16_t column = common::readU16(r.data, 2);
    if (common::readU16(r.data, 12) != 0xFFFF) {
        emit(row, column, numberCell(common::readU16(r.data, 4), common::readDouble(r.data, 6)));
        return;
    }
    switch (common::byteAt(r.data, 6)) {
    case 0: // text: the STRING record that follows holds it
        m_pendingString = true;
        m_pendingRow = row;
        m_pendingColumn = column;
        break;
    case 1:
        emit(row, column, table::Cell::ofBoolean(common::byteAt(r.data, 8) != 0));
        break;
    case 2:
        emit(row, column, table::Cell::ofError(common::byteAt(r.data, 8)));
        break;
    default: // 3: the empty text
        break;
    }
}

void SheetCellReader::formulaString(const Record& r)
{
    m_pendingString = false;
    if (!m_texts) {
        emit(m_pendingRow, m_pendingColumn,
             r.data.size() >= 2 && common::readU16(r.data, 0) > 0 ? table::Cell::ofText(0) : table::Cell{});
        return;
    }
    std::string text;
    if (m_biff8) {
        ContinuedReader reader(m_context.stream, r);
        const std::uint16_t count = reader.u16();
        const std::uint8_t flags = reader.u8();
        text = m_context.decoder.fromUtf16(reader.characters(count, (flags & 0x01) != 0));
    } else {
        std::size_t pos = 0;
        text = readByteString(r.data, pos, 2, m_context.decoder, "a formula's text");
    }
    emit(m_pendingRow, m_pendingColumn, textCell(std::move(text)));
}

void SheetCellReader::flushPendingFormula()
{
    // A text result whose STRING record is missing: nothing is known of it.
    m_pendingString = false;
}

void SheetCellReader::record(const Record& r)
{
    switch (r.type) {
    case biff::kNumber:
        need(r, 14);
        emit(common::readU16(r.data, 0), common::readU16(r.data, 2),
             numberCell(common::readU16(r.data, 4), common::readDouble(r.data, 6)));
        return;
    case biff::kRk:
        need(r, 10);
        emit(common::readU16(r.data, 0), common::readU16(r.data, 2),
             numberCell(common::readU16(r.data, 4), decodeRk(common::readU32(r.data, 6))));
        return;
    case biff::kMulRk:
        mulRk(r);
        return;
    case biff::kLabelSst: {
        need(r, 10);
        const std::uint32_t index = common::readU32(r.data, 6);
        if (index >= m_context.sharedStringCount)
            damaged(r, "names a shared string that does not exist");
        emit(common::readU16(r.data, 0), common::readU16(r.data, 2),
             m_context.texts[index].empty() ? table::Cell{} : table::Cell::ofText(index));
        return;
    }
    case biff::kLabel:
    case biff::kRString:
        label(r, 2);
        return;
    case biff::kBoolErr:
        need(r, 8);
        emit(common::readU16(r.data, 0), common::readU16(r.data, 2),
             common::byteAt(r.data, 7) ? table::Cell::ofError(common::byteAt(r.data, 6))
                                       : table::Cell::ofBoolean(common::byteAt(r.data, 6) != 0));
        return;
    case biff::kFormula:
        flushPendingFormula();
        formula(r);
        return;
    case biff::kString:
        if (m_pendingString)
            formulaString(r);
        return;
    case biff::kSharedFormula:
    case biff::kArray:
    case biff::kTable:
        return; // between a formula and its STRING record
    default:
        flushPendingFormula();
        return;
    }
}

} // namespace

double decodeRk(std::uint32_t rk)
{
    double value;
    if (rk & 0x02)
        value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    else
        value = std::bit_cast<double>(static_cast<std::uint64_t>(rk & 0xFFFFFFFC) << 32);
    return (rk & 0x01) ? value / 100.0 : value;
}

void readSheetCells(const SheetContext& context, std::uint32_t offset, const CellVisitor& visit,
                    const TextSink& texts)
{
    readSheetCells(context, offset, visit, CellRunVisitor(), texts);
}

void readSheetCells(const SheetContext& context, std::uint32_t offset, const CellVisitor& visit,
                    const CellRunVisitor& visitRun, const TextSink& texts)
{
    if (offset >= context.stream.size())
        throw common::Error(
            common::formatMessage(kReasonBadRecord, {"a sheet begins past the stream's end"}));
    RecordStream records(context.stream, offset);
    Record record;
    if (!records.next(record) || record.type != biff::kBof)
        throw common::Error(
            common::formatMessage(kReasonBadRecord, {"a sheet does not begin with a BOF record"}));
    SheetCellReader reader(context, visit, visitRun, texts);
    int depth = 1; // charts embedded in the sheet bring their own BOF/EOF pairs
    while (depth > 0 && records.next(record)) {
        if (record.type == biff::kBof)
            ++depth;
        else if (record.type == biff::kEof)
            --depth;
        else if (depth == 1)
            reader.record(record);
    }
    reader.finish();
}

} // namespace xls
