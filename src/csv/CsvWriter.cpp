#include "csv/CsvWriter.h"

#include "common/Encoding.h"
#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/WorkbookWriteBack.h"
#include "csv/CsvMessages.h"
#include "csv/CsvRecords.h"
#include "csv/CsvText.h"
#include "table/CellAddress.h"
#include "table/WrittenCells.h"

#include <map>

namespace csv {

namespace {

// The posted cells of each record, by record.
using RecordCells = std::map<std::uint32_t, std::vector<const table::CellWrite*>>;

RecordCells byRecord(const std::vector<table::CellWrite>& cells)
{
    RecordCells records;
    for (const table::CellWrite& cell : cells) {
        if (cell.value.kind != table::CellKind::Text && cell.value.kind != table::CellKind::Empty)
            throw common::Error(
                common::formatMessage(kWriteReasonNotText, {table::cellAddress(cell.row, cell.column)}));
        records[cell.row].push_back(&cell);
    }
    return records;
}

bool needsQuotes(std::string_view field)
{
    if (field.find_first_of(",\"\r\n") != std::string_view::npos)
        return true;
    const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    return !field.empty() && (isSpace(field.front()) || isSpace(field.back()));
}

void appendField(std::string& out, std::string_view field)
{
    if (!needsQuotes(field)) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        out += c;
        if (c == '"')
            out += '"';
    }
    out += '"';
}

// One record's fields in the file's encoding, its posted cells stored.
class RecordFields {
  public:
    RecordFields(bool utf8, const common::CodePage& codePage) : m_utf8(utf8), m_codePage(codePage) {}

    void assign(const RecordReader& record)
    {
        m_fields.resize(record.fieldCount());
        for (std::size_t i = 0; i < record.fieldCount(); ++i)
            m_fields[i] = record.field(i);
    }
    void assignEmpty(std::size_t count) { m_fields.assign(count, std::string()); }

    void store(const std::vector<const table::CellWrite*>& cells)
    {
        for (const table::CellWrite* cell : cells) {
            const bool empty = cell->value.kind == table::CellKind::Empty || cell->text.empty();
            if (empty && cell->column >= m_fields.size())
                continue; // already empty: the record keeps its width
            if (cell->column >= m_fields.size())
                m_fields.resize(std::size_t{cell->column} + 1);
            m_fields[cell->column] =
                empty ? std::string()
                      : (m_utf8 ? common::codePageToUtf8(cell->text, m_codePage) : cell->text);
        }
    }

    // A lone empty field is written "" so that its line does not read as
    // nothing (an empty last line is no record at all).
    void appendTo(std::string& out) const
    {
        if (m_fields.size() == 1 && m_fields[0].empty()) {
            out += "\"\"";
            return;
        }
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (i)
                out += ',';
            appendField(out, m_fields[i]);
        }
    }

  private:
    bool m_utf8;
    const common::CodePage& m_codePage;
    std::vector<std::string> m_fields;
};

table::WorkbookCells cellsOf(std::string_view bytes, const common::CodePage& codePage)
{
    std::string converted;
    RecordReader records(textInCodePage(fileTextOf(bytes), codePage, converted));
    table::WorkbookCells cells;
    for (std::uint32_t record = 0; records.next(); ++record)
        for (std::size_t field = 0; field < records.fieldCount(); ++field)
            if (!records.field(field).empty())
                cells[{0, record, static_cast<std::uint16_t>(field)}] = {
                    table::CellKind::Text, 0.0, std::string(records.field(field)), 0};
    return cells;
}

} // namespace

std::string rewriteCsv(std::string_view original, const std::vector<table::CellWrite>& cells,
                       const common::CodePage& codePage)
{
    const RecordCells posted = byRecord(cells);
    const FileText file = fileTextOf(original);
    const std::string_view body = file.body;
    const std::string_view lineBreak = textOf(lineBreakOf(body));
    std::string out;
    out.reserve(original.size() + 64 * cells.size());
    if (file.utf8)
        out += kUtf8ByteOrderMark;
    RecordFields fields(file.utf8, codePage);
    RecordReader records(body);
    auto next = posted.begin();
    std::uint32_t record = 0;
    std::size_t headerWidth = 0;
    bool lineEnded = true; // the text so far ends with a line break (or is empty)
    for (; records.next(); ++record) {
        if (record == 0)
            headerWidth = records.fieldCount();
        if (next != posted.end() && next->first == record) {
            fields.assign(records);
            fields.store(next->second);
            fields.appendTo(out);
            out += body.substr(records.fieldsEnd(), records.end() - records.fieldsEnd());
            ++next;
        } else {
            out += body.substr(records.begin(), records.end() - records.begin());
        }
        lineEnded = records.end() > records.fieldsEnd();
    }
    // New records: as wide as the header, ended as the file's last line was.
    const bool endWithBreak = lineEnded;
    for (; next != posted.end(); ++next) {
        for (; record <= next->first; ++record) {
            if (!lineEnded)
                out += lineBreak;
            fields.assignEmpty(record == next->first ? headerWidth : 1);
            if (record == next->first)
                fields.store(next->second);
            fields.appendTo(out);
            lineEnded = endWithBreak;
            if (lineEnded)
                out += lineBreak;
        }
    }
    return out;
}

std::optional<std::string> differenceAfterWrite(std::string_view original, std::string_view written,
                                                const std::vector<table::CellWrite>& cells,
                                                const common::CodePage& codePage)
{
    return table::differenceAfterWrite(cellsOf(original, codePage), 0, cells, cellsOf(written, codePage));
}

void writeCellsToFile(const std::string& path, const std::vector<table::CellWrite>& cells,
                      const common::CodePage& codePage)
{
    common::WorkbookRewrite rewrite;
    rewrite.make = [&](std::string_view original) { return rewriteCsv(original, cells, codePage); };
    rewrite.check = [&](std::string_view original, std::string_view written) {
        return differenceAfterWrite(original, written, cells, codePage);
    };
    common::rewriteWorkbookFile(path, codePage, rewrite);
}

} // namespace csv
