#include "xlswrite/WorkbookStreamWrite.h"

#include "common/Encoding.h"
#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/LittleEndian.h"
#include "table/DateSerial.h"
#include "xls/BiffRecords.h"
#include "xls/BiffText.h"
#include "xls/ReadMessages.h"
#include "xls/WorkbookGlobals.h"
#include "xlswrite/CellTableWrite.h"
#include "xlswrite/SharedStringsWrite.h"
#include "xlswrite/SheetWrite.h"
#include "xlswrite/WriteMessages.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace xlswrite {

namespace {

constexpr std::uint16_t kExtSst = 0x00FF;
constexpr std::uint16_t kXfIsStyle = 0x0004;
constexpr std::uint32_t kMaxRow = 65535;
constexpr std::uint16_t kMaxColumn = 255;
constexpr std::size_t kMaxTextLength = 32767; // what a cell can hold, in UTF-16 units

// What the writer needs of the globals substream besides what the reader keeps.
struct GlobalsLayout {
    std::size_t end = 0;                  // after its EOF
    std::vector<std::size_t> boundSheets; // offsets of the BOUNDSHEET records
    std::optional<xls::Record> sst;
    std::optional<std::uint16_t> extSstBucket;
    std::vector<char> isCellXf;
};

GlobalsLayout scanGlobals(std::string_view stream)
{
    GlobalsLayout layout;
    xls::RecordStream records(stream);
    xls::Record record;
    while (records.next(record)) {
        if (record.type == xls::biff::kBoundSheet)
            layout.boundSheets.push_back(record.offset);
        else if (record.type == xls::biff::kSst)
            layout.sst = record;
        else if (record.type == kExtSst && record.data.size() >= 2)
            layout.extSstBucket = common::readU16(record.data, 0);
        else if (record.type == xls::biff::kXf)
            layout.isCellXf.push_back(record.data.size() >= 6 &&
                                      (common::readU16(record.data, 4) & kXfIsStyle) == 0);
        if (record.type == xls::biff::kEof) {
            layout.end = records.position();
            return layout;
        }
    }
    throw common::Error(
        common::formatMessage(xls::kReasonBadRecord, {"the workbook globals have no EOF record"}));
}

// A cell's text as the shared strings keep it, which counts its length in 16 bits.
std::u16string cellText(const table::CellWrite& write, const common::CodePage& codePage)
{
    std::u16string text = common::codePageToUtf16(write.text, codePage);
    if (text.size() > kMaxTextLength)
        throw common::Error(
            common::formatMessage(kWriteReasonTextTooLong, {cellAddress(write.row, write.column)}));
    return text;
}

StoredCell storedCellOf(const table::CellWrite& write, const xls::WorkbookGlobals& globals,
                        std::unique_ptr<SharedStringsWriter>& strings, const common::CodePage& codePage)
{
    if (write.row > kMaxRow || write.column > kMaxColumn)
        throw common::Error(
            common::formatMessage(kWriteReasonTooFar, {cellAddress(write.row, write.column)}));
    StoredCell cell;
    cell.row = write.row;
    cell.column = write.column;
    switch (write.value.kind) {
    case table::CellKind::Number:
        // A NUMBER record can hold infinities and NaNs, but no spreadsheet program reads them back.
        if (!std::isfinite(write.value.number))
            throw common::Error(
                common::formatMessage(kWriteReasonNotFinite, {cellAddress(write.row, write.column)}));
        cell.kind = StoredCell::Kind::Number;
        cell.number = write.value.number;
        break;
    case table::CellKind::Date:
        cell.kind = StoredCell::Kind::Date;
        cell.number = table::serialOfDate(write.value.number, globals.dateMode1904);
        break;
    case table::CellKind::Boolean:
        cell.kind = StoredCell::Kind::Boolean;
        cell.boolean = write.value.code != 0;
        break;
    case table::CellKind::Text:
        if (write.text.empty())
            break;
        if (!strings)
            throw common::Error(
                common::formatMessage(kWriteReasonNoSharedStrings, {cellAddress(write.row, write.column)}));
        cell.kind = StoredCell::Kind::SharedString;
        cell.string = strings->indexOf(cellText(write, codePage));
        break;
    default:
        break;
    }
    return cell;
}

// The globals with the new SST and EXTSST; BOUNDSHEET offsets are left for
// the caller, which learns them only once the sheets are placed.
std::string globalsBytes(std::string_view stream, const GlobalsLayout& layout,
                         const SharedStringsWriter* strings, std::vector<std::size_t>& boundSheetsAt)
{
    std::string out;
    std::optional<std::size_t> sstAt;
    xls::RecordStream records(stream.substr(0, layout.end));
    xls::Record record;
    boundSheetsAt.clear();
    while (records.next(record)) {
        const std::string_view raw = stream.substr(record.offset, record.continuedEnd - record.offset);
        if (record.type == xls::biff::kBoundSheet)
            boundSheetsAt.push_back(out.size());
        if (record.type == xls::biff::kSst && strings) {
            sstAt = out.size();
            out += strings->records();
        } else if (record.type == kExtSst && strings && sstAt) {
            out += strings->extSst(*sstAt, stringsPerBucket(layout.extSstBucket, strings->stringCount()));
        } else {
            out += raw;
        }
    }
    return out;
}

} // namespace

std::string writeCellsToStream(std::string_view stream, std::size_t sheetIndex, const std::string& sheetName,
                               const std::vector<table::CellWrite>& cells, const common::CodePage& codePage)
{
    xls::TextDecoder decoder(codePage);
    const xls::WorkbookGlobals globals = xls::readGlobals(stream, decoder);
    if (globals.biffVersion != 8)
        throw common::Error(kWriteReasonBiff5);
    const GlobalsLayout layout = scanGlobals(stream);
    std::vector<std::size_t> worksheets;
    for (std::size_t i = 0; i < globals.sheets.size(); ++i)
        if (globals.sheets[i].isWorksheet)
            worksheets.push_back(i);
    if (sheetIndex >= worksheets.size() || globals.sheets[worksheets[sheetIndex]].name != sheetName)
        throw common::Error(kWriteReasonChanged);
    const std::size_t target = globals.sheets[worksheets[sheetIndex]].offset;

    // Substreams as they lie: each runs up to the next one (or the stream's end).
    std::vector<std::size_t> starts;
    for (const xls::SheetEntry& sheet : globals.sheets)
        starts.push_back(sheet.offset);
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    if (starts.empty() || starts.front() < layout.end || starts.back() >= stream.size())
        throw common::Error(kWriteReasonSheetLayout);

    std::unique_ptr<SharedStringsWriter> strings;
    if (layout.sst)
        strings = std::make_unique<SharedStringsWriter>(stream, *layout.sst);
    std::vector<StoredCell> stored;
    for (const table::CellWrite& cell : cells)
        stored.push_back(storedCellOf(cell, globals, strings, codePage));

    std::vector<std::size_t> boundSheetsAt;
    const std::string gap(stream.substr(layout.end, starts.front() - layout.end));
    const std::size_t globalsSize =
        globalsBytes(stream, layout, strings.get(), boundSheetsAt).size() + gap.size();
    const CellFormats formats{layout.isCellXf, globals.xfIsDate};

    std::string sheets;
    std::vector<std::pair<std::size_t, std::size_t>> moved; // old offset, new offset
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::size_t end = i + 1 < starts.size() ? starts[i + 1] : stream.size();
        const std::string_view segment = stream.substr(starts[i], end - starts[i]);
        const std::size_t newStart = globalsSize + sheets.size();
        moved.emplace_back(starts[i], newStart);
        if (starts[i] == target) {
            SheetRewrite rewrite = rewriteSheet(segment, starts[i], newStart, stored, formats, sheetName);
            if (strings)
                strings->addReferences(rewrite.sharedStringRefs);
            sheets += rewrite.bytes;
        } else {
            sheets += moveSheet(segment, starts[i], newStart);
        }
    }

    std::string out = globalsBytes(stream, layout, strings.get(), boundSheetsAt) + gap;
    for (std::size_t at : boundSheetsAt) {
        const std::size_t field = at + xls::biff::kRecordHeaderSize;
        const std::uint32_t old = common::readU32(out, field);
        const auto found =
            std::find_if(moved.begin(), moved.end(), [old](const auto& m) { return m.first == old; });
        if (found != moved.end())
            common::putU32(out, field, static_cast<std::uint32_t>(found->second));
    }
    return out + sheets;
}

} // namespace xlswrite
