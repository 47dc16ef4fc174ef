#include "ods/ContentReader.h"

#include "common/Encoding.h"
#include "common/Error.h"
#include "common/FormatMessage.h"
#include "ods/OdsNames.h"
#include "ods/ReadMessages.h"
#include "table/CellAddress.h"
#include "table/CellText.h"
#include "table/DateSerial.h"
#include "table/IsoDateTime.h"
#include "table/SheetLimits.h"
#include "xml/PackagePart.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace ods {

namespace {

// A cell holds at most 32767 characters; a text far beyond that is damage.
constexpr std::size_t kMaxText = std::size_t{1} << 20;

// Where the parse is: outside the sheets, in a sheet (between its rows), in
// a row (between its cells), or in a cell.
enum class Level : std::uint8_t { Document, Sheet, Row, Cell };

// Where a cell's value comes from.
enum class Source : std::uint8_t {
    Attribute, // the value attributes, read when the cell starts
    Text,      // its paragraphs: a text, or one with no type (as LibreOffice reads it)
    Error,     // its paragraphs hold the error's text ("#DIV/0!", "Err:502")
};

// One cell of the row being read, repeated `count` times from `column`.
struct CellRun {
    std::uint32_t column;
    std::uint32_t count;
    table::Cell cell;
};

bool isAscii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// A number as OpenDocument stores it (xsd:double). A value beyond a double
// (Gnumeric writes 1E300*1E300 as "1.00000000000000000003e+600") is
// infinite, as the .xls of the sheet has it; one too small for it is zero.
bool parseNumber(std::string_view text, double& value)
{
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ptr != end)
        return false;
    if (result.ec == std::errc::result_out_of_range) {
        const std::size_t exponent = text.find_last_of("eE");
        const bool tiny = exponent != std::string_view::npos && text.substr(exponent + 1).starts_with('-');
        const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        value = text.starts_with('-') ? -magnitude : magnitude;
        return true;
    }
    return result.ec == std::errc();
}

std::string toCodePage(std::string_view utf8, const common::CodePage& codePage)
{
    // Most cell texts (codes, numbers kept as text) are ASCII, which every
    // code page shares.
    return isAscii(utf8) ? std::string(utf8) : common::utf8ToCodePage(utf8, codePage);
}

class ContentHandler : public xml::Handler {
  public:
    ContentHandler(xml::Names names, const common::CodePage& codePage, SheetSink& sink)
        : m_codePage(codePage), m_sink(sink), m_asWritten(names == xml::Names::AsWritten)
    {
        if (!m_asWritten)
            m_names = OdsNames::expanded();
    }

    void startElement(const char* name, xml::Attributes attributes) override
    {
        ++m_depth;
        if (m_skipFrom != 0)
            return; // what a skipped element declares does not matter
        if (!m_names) {
            m_names = OdsNames::boundAtRoot(attributes);
            if (!m_names)
                throw NeedsNamespaceProcessing{};
        } else if (m_asWritten && declaresNamespace(attributes)) {
            throw NeedsNamespaceProcessing{};
        }
        const OdsNames& names = *m_names;
        switch (m_level) {
        case Level::Document:
            if (m_spreadsheetDepth != 0 && names.table == name)
                beginSheet(attributes);
            else if (names.spreadsheet == name)
                m_spreadsheetDepth = m_depth;
            else if (names.nullDate == name)
                readNullDate(attributes);
            break;
        case Level::Sheet:
            if (names.row == name)
                beginRow(attributes);
            else if (names.rowGroup != name && names.headerRows != name && names.rows != name)
                m_skipFrom = m_depth; // columns, shapes, forms: no cells
            break;
        case Level::Row:
            if (names.cell == name || names.coveredCell == name)
                beginCell(attributes);
            else
                m_skipFrom = m_depth;
            break;
        case Level::Cell:
            startInCell(name, attributes);
            break;
        }
    }

    void endElement(const char*) override
    {
        if (m_skipFrom != 0) {
            if (m_skipFrom == m_depth)
                m_skipFrom = 0;
        } else if (m_depth == m_levelDepth) {
            switch (m_level) {
            case Level::Document:
                break;
            case Level::Sheet:
                m_sink.endSheet();
                m_level = Level::Document;
                m_levelDepth = 0;
                break;
            case Level::Row:
                endRow();
                m_level = Level::Sheet;
                m_levelDepth = m_sheetDepth;
                break;
            case Level::Cell:
                endCell();
                m_level = Level::Row;
                m_levelDepth = m_rowDepth;
                break;
            }
        } else if (m_depth == m_paragraphDepth) {
            m_paragraphDepth = 0;
        } else if (m_depth == m_spreadsheetDepth) {
            m_spreadsheetDepth = 0;
        }
        --m_depth;
    }

    void characters(std::string_view text) override
    {
        if (m_paragraphDepth != 0 && m_skipFrom == 0)
            appendText(text);
    }

  private:
    [[noreturn]] void fail(const std::string& what) const
    {
        throw common::Error(common::formatMessage(
            kReasonBadCell,
            {m_sheetName, table::cellAddress(std::min(m_row, table::kSheetRows), m_column), what}));
    }
    [[noreturn]] void beyondSheet() const { fail(table::kReasonBeyondSheet); }

    // A run's length: 1 when the attribute is absent; at most `limit` + 1,
    // which is enough to tell that a run with a value passes the sheet's end.
    std::uint32_t repeatCount(const char* text, std::uint32_t limit) const
    {
        if (!text)
            return 1;
        std::uint64_t count = 0;
        const char* end = text + std::strlen(text);
        const auto result = std::from_chars(text, end, count);
        if (result.ec == std::errc::result_out_of_range && result.ptr == end)
            return limit + 1;
        if (result.ec != std::errc() || result.ptr != end || count == 0)
            fail(common::formatMessage(kReasonBadRepeat, {text}));
        return static_cast<std::uint32_t>(std::min<std::uint64_t>(count, limit + std::uint64_t{1}));
    }

    void readNullDate(xml::Attributes attributes)
    {
        // Times are durations, which LibreOffice stores in a workbook of
        // the 1904 date system (null date 1904-01-01) as serials of that
        // system: read so, a time shows as it does in the .xls.
        for (; *attributes; attributes += 2)
            if (m_names->nullDateValue == attributes[0])
                m_date1904 = std::string_view(attributes[1]).starts_with("1904-01-01");
    }

    void beginSheet(xml::Attributes attributes)
    {
        ++m_sheetCount;
        const char* name = xml::attribute(attributes, m_names->tableName);
        m_sheetName = name ? name : "Sheet" + std::to_string(m_sheetCount);
        m_sink.beginSheet(toCodePage(m_sheetName, m_codePage));
        m_level = Level::Sheet;
        m_levelDepth = m_sheetDepth = m_depth;
        m_row = 0;
    }

    void beginRow(xml::Attributes attributes)
    {
        m_column = 0;
        m_rowRepeat = repeatCount(xml::attribute(attributes, m_names->rowsRepeated), table::kSheetRows);
        m_rowCells.clear();
        m_level = Level::Row;
        m_levelDepth = m_rowDepth = m_depth;
    }

    void endRow()
    {
        if (!m_rowCells.empty()) {
            if (std::uint64_t{m_row} + m_rowRepeat > table::kSheetRows) {
                m_column = m_rowCells.front().column;
                beyondSheet();
            }
            for (std::uint32_t r = 0; r < m_rowRepeat; ++r)
                for (const CellRun& run : m_rowCells)
                    for (std::uint32_t i = 0; i < run.count; ++i)
                        m_sink.addCell(m_row + r, static_cast<std::uint16_t>(run.column + i), run.cell);
        }
        m_row = static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t{m_row} + m_rowRepeat,
                                                                   table::kSheetRows + std::uint64_t{1}));
    }

    void beginCell(xml::Attributes attributes)
    {
        const OdsNames& names = *m_names;
        const char* repeated = nullptr;
        const char* type = nullptr;
        const char* value = nullptr;
        const char* dateValue = nullptr;
        const char* timeValue = nullptr;
        const char* booleanValue = nullptr;
        const char* stringValue = nullptr;
        const char* calcextType = nullptr;
        for (; *attributes; attributes += 2) {
            const char* attribute = attributes[0];
            if (names.valueType == attribute)
                type = attributes[1];
            else if (names.value == attribute)
                value = attributes[1];
            else if (names.columnsRepeated == attribute)
                repeated = attributes[1];
            else if (names.calcextValueType == attribute)
                calcextType = attributes[1];
            else if (names.dateValue == attribute)
                dateValue = attributes[1];
            else if (names.timeValue == attribute)
                timeValue = attributes[1];
            else if (names.booleanValue == attribute)
                booleanValue = attributes[1];
            else if (names.stringValue == attribute)
                stringValue = attributes[1];
        }
        m_level = Level::Cell;
        m_levelDepth = m_depth;
        m_cellRepeat = repeatCount(repeated, table::kSheetColumns);
        m_paragraphs = 0;
        m_text.clear();
        m_cell = {};
        m_source = Source::Attribute;
        if (calcextType && std::strcmp(calcextType, "error") == 0) {
            m_source = Source::Error; // LibreOffice: a string, its text the error's
        } else if (!type) {
            m_source = Source::Text;
        } else {
            readValue(type, value, dateValue, timeValue, booleanValue, stringValue);
        }
    }

    void readValue(std::string_view type, const char* value, const char* dateValue, const char* timeValue,
                   const char* booleanValue, const char* stringValue)
    {
        if (type == "float" || type == "percentage" || type == "currency") {
            const std::string_view text = value ? value : "";
            double number = 0.0;
            if (!parseNumber(text, number))
                fail(common::formatMessage(kReasonNotNumber, {text}));
            m_cell = table::Cell::ofNumber(number);
        } else if (type == "date") {
            double date = 0.0;
            if (!dateValue || !table::parseIsoDateTime(dateValue, date))
                fail(common::formatMessage(kReasonNotDate, {dateValue ? dateValue : ""}));
            m_cell = table::Cell::ofDate(date);
        } else if (type == "time") {
            double days = 0.0;
            if (!timeValue || !table::parseIsoDuration(timeValue, days))
                fail(common::formatMessage(kReasonNotTime, {timeValue ? timeValue : ""}));
            m_cell = table::Cell::ofDate(table::dateOfSerial(days, m_date1904));
        } else if (type == "boolean") {
            const std::string_view text = booleanValue ? booleanValue : "";
            if (text == "true" || text == "1")
                m_cell = table::Cell::ofBoolean(true);
            else if (text == "false" || text == "0")
                m_cell = table::Cell::ofBoolean(false);
            else
                fail(common::formatMessage(kReasonNotBoolean, {text}));
        } else if (type == "string") {
            if (!stringValue)
                m_source = Source::Text;
            else if (*stringValue != '\0')
                m_cell = textCell(stringValue);
        }
        // "void" and types OpenDocument does not have: no value, as
        // LibreOffice reads them.
    }

    table::Cell textCell(std::string_view utf8)
    {
        if (utf8.size() > kMaxText)
            fail(kReasonTextTooLong);
        return table::Cell::ofText(m_sink.addText(toCodePage(utf8, m_codePage)));
    }

    // An element inside a cell: of its paragraphs (text:p) only the text
    // counts, with text:span, text:a and other text elements taken as their
    // text; comments (office:annotation), shapes and notes are skipped.
    // Paragraphs are joined by a line break, as in the .xls of the sheet.
    void startInCell(const char* name, xml::Attributes attributes)
    {
        const OdsNames& names = *m_names;
        if (m_source == Source::Attribute) {
            m_skipFrom = m_depth; // its paragraphs are only the value as shown
        } else if (m_paragraphDepth == 0) {
            if (m_depth == m_levelDepth + 1 && names.paragraph == name) {
                if (m_paragraphs++ > 0)
                    appendText("\n");
                m_paragraphDepth = m_depth;
            } else {
                m_skipFrom = m_depth;
            }
        } else if (names.spaces == name) {
            appendSpaces(xml::attribute(attributes, names.spaceCount));
        } else if (names.tab == name) {
            appendText("\t");
        } else if (names.lineBreak == name) {
            appendText("\n");
        } else if (!names.isText(name) || names.note == name || names.rubyText == name) {
            m_skipFrom = m_depth;
        }
    }

    void appendText(std::string_view text)
    {
        if (m_text.size() + text.size() > kMaxText)
            fail(kReasonTextTooLong);
        m_text += text;
    }

    void appendSpaces(const char* count)
    {
        std::uint64_t spaces = 1;
        if (count) {
            const char* end = count + std::strlen(count);
            if (std::from_chars(count, end, spaces).ptr != end || spaces == 0)
                spaces = 1;
        }
        if (spaces > kMaxText - m_text.size())
            fail(kReasonTextTooLong);
        m_text.append(static_cast<std::size_t>(spaces), ' ');
    }

    void endCell()
    {
        m_paragraphDepth = 0;
        if (m_source == Source::Text && !m_text.empty())
            m_cell = textCell(m_text);
        else if (m_source == Source::Error)
            m_cell = table::Cell::ofError(table::errorCodeOf(m_text));
        if (m_cell.kind != table::CellKind::Empty) {
            if (std::uint64_t{m_column} + m_cellRepeat > table::kSheetColumns)
                beyondSheet();
            m_rowCells.push_back({m_column, m_cellRepeat, m_cell});
        }
        m_column = static_cast<std::uint32_t>(std::min<std::uint64_t>(
            std::uint64_t{m_column} + m_cellRepeat, table::kSheetColumns + std::uint64_t{1}));
    }

    const common::CodePage& m_codePage;
    SheetSink& m_sink;
    const bool m_asWritten;
    std::optional<OdsNames> m_names;
    std::string m_sheetName; // UTF-8, for messages
    std::size_t m_sheetCount = 0;
    bool m_date1904 = false;

    Level m_level = Level::Document;
    std::size_t m_depth = 0;
    std::size_t m_levelDepth = 0; // of the element that opened m_level
    std::size_t m_sheetDepth = 0;
    std::size_t m_rowDepth = 0;
    std::size_t m_spreadsheetDepth = 0;
    std::size_t m_paragraphDepth = 0; // of the cell's paragraph being read
    std::size_t m_skipFrom = 0;       // of the element whose content is skipped

    std::uint32_t m_row = 0; // may pass the sheet's end by one, in empty rows
    std::uint32_t m_rowRepeat = 1;
    std::vector<CellRun> m_rowCells;
    std::uint32_t m_column = 0; // may pass the sheet's end by one, in empty cells
    std::uint32_t m_cellRepeat = 1;
    Source m_source = Source::Attribute;
    table::Cell m_cell;
    std::size_t m_paragraphs = 0;
    std::string m_text;
};

} // namespace

void readContent(const zip::Archive& archive, const common::CodePage& codePage, SheetSink& sink,
                 xml::Names names)
{
    ContentHandler handler(names, codePage, sink);
    xml::parsePart(archive, kContentPart, handler, names);
}

} // namespace ods
