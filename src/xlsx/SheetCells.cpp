#include "xlsx/SheetCells.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "table/CellAddress.h"
#include "table/CellText.h"
#include "table/DateSerial.h"
#include "table/IsoDateTime.h"
#include "xlsx/CellReference.h"
#include "xlsx/CellTexts.h"
#include "xlsx/OpenXmlNames.h"
#include "xlsx/PackageParts.h"
#include "xlsx/ReadMessages.h"
#include "xml/PackagePart.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace xlsx {

namespace {

// A cell holds at most 32767 characters; a text far beyond that is damage.
constexpr std::size_t kMaxText = std::size_t{1} << 20;

// What a cell's "t" says its value is.
enum class ValueType : std::uint8_t {
    Number,
    SharedString,
    InlineString,
    FormulaString,
    Boolean,
    Error,
    IsoDate
};

ValueType valueTypeOf(const char* t)
{
    switch (t[0]) {
    case 's':
        return t[1] == '\0' ? ValueType::SharedString : ValueType::FormulaString; // "s", "str"
    case 'i':
        return ValueType::InlineString;
    case 'b':
        return ValueType::Boolean;
    case 'e':
        return ValueType::Error;
    case 'd':
        return ValueType::IsoDate;
    default:
        return ValueType::Number; // "n", and anything unknown
    }
}

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view kSpace = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

[[noreturn]] void beyondSheet()
{
    throw common::Error(table::kReasonBeyondSheet);
}

class SheetHandler : public xml::Handler {
  public:
    SheetHandler(const SheetContext& context, const CellVisitor& visit, const TextSink& texts)
        : m_context(context), m_visit(visit), m_texts(texts)
    {
    }

    void startElement(const char* name, xml::Attributes attributes) override
    {
        const Name element = nameOf(name);
        if (element.vocabulary != Vocabulary::SpreadsheetMain)
            return;
        const std::string_view local = element.local;
        if (local == "c") {
            if (m_inSheetData)
                startCell(attributes);
        } else if (local == "v") {
            m_collecting = m_inCell;
        } else if (local == "t") {
            m_collecting = m_inInline && m_phoneticDepth == 0;
        } else if (local == "row") {
            if (m_inSheetData)
                startRow(attributes);
        } else if (local == "is") {
            m_inInline = m_inCell;
        } else if (local == "rPh") {
            ++m_phoneticDepth;
        } else if (local == "sheetData") {
            m_inSheetData = true;
        } else if (local == "dimension") {
            checkDimension(xml::attribute(attributes, "ref"));
        }
    }

    void endElement(const char* name) override
    {
        const Name element = nameOf(name);
        if (element.vocabulary != Vocabulary::SpreadsheetMain)
            return;
        const std::string_view local = element.local;
        if (local == "v" || local == "t") {
            if (m_collecting)
                m_hasValue = true;
            m_collecting = false;
        } else if (local == "c") {
            if (m_inCell)
                endCell();
        } else if (local == "is") {
            m_inInline = false;
        } else if (local == "rPh") {
            --m_phoneticDepth;
        } else if (local == "sheetData") {
            m_inSheetData = false;
        }
    }

    void characters(std::string_view text) override
    {
        if (!m_collecting)
            return;
        if (m_text.size() + text.size() > kMaxText)
            fail(kReasonTextTooLong);
        m_text += text;
    }

  private:
    [[noreturn]] void fail(const std::string& what) const
    {
        throw common::Error(
            common::formatMessage(kReasonBadCell, {table::cellAddress(m_row, m_column), what}));
    }

    void startRow(xml::Attributes attributes)
    {
        const char* r = xml::attribute(attributes, "r");
        std::uint64_t row = m_anyRow ? std::uint64_t{m_row} + 1 : 0;
        if (r) {
            std::uint64_t number = 0;
            const char* end = r + std::strlen(r);
            const auto result = std::from_chars(r, end, number);
            if (result.ec == std::errc::result_out_of_range ||
                (result.ec == std::errc() && number > kSheetRows))
                beyondSheet();
            if (result.ec != std::errc() || result.ptr != end || number == 0)
                throw common::Error(common::formatMessage(kReasonBadRowNumber, {r}));
            row = number - 1;
        }
        if (row >= kSheetRows)
            beyondSheet();
        m_anyRow = true;
        m_row = static_cast<std::uint32_t>(row);
        m_nextColumn = 0;
    }

    void startCell(xml::Attributes attributes)
    {
        const char* r = nullptr;
        const char* s = nullptr;
        const char* t = nullptr;
        for (; *attributes; attributes += 2) {
            const char* attribute = attributes[0];
            if (attribute[0] != '\0' && attribute[1] == '\0') {
                if (attribute[0] == 'r')
                    r = attributes[1];
                else if (attribute[0] == 's')
                    s = attributes[1];
                else if (attribute[0] == 't')
                    t = attributes[1];
            }
        }
        if (r) {
            std::uint32_t row = 0;
            std::uint32_t column = 0;
            switch (parseCellReference(r, row, column)) {
            case Reference::Valid:
                break;
            case Reference::BeyondSheet:
                beyondSheet();
            case Reference::Malformed:
                throw common::Error(common::formatMessage(kReasonBadReference, {r}));
            }
            m_row = row;
            m_column = column;
            m_anyRow = true;
        } else {
            if (m_nextColumn >= kSheetColumns)
                beyondSheet();
            m_column = m_nextColumn;
        }
        m_nextColumn = m_column + 1;
        m_style = UINT32_MAX;
        if (s)
            std::from_chars(s, s + std::strlen(s), m_style);
        m_type = t ? valueTypeOf(t) : ValueType::Number;
        m_inCell = true;
        m_hasValue = false;
        m_text.clear();
    }

    void endCell()
    {
        m_inCell = false;
        m_inInline = false;
        if (!m_hasValue)
            return; // formatting only, or a formula without a stored result
        table::Cell cell;
        switch (m_type) {
        case ValueType::Number:
            cell = numberCell();
            break;
        case ValueType::SharedString:
            cell = sharedStringCell();
            break;
        case ValueType::InlineString:
        case ValueType::FormulaString:
            if (!m_text.empty())
                cell = table::Cell::ofText(m_texts(storedTextToCodePage(m_text, m_context.codePage)));
            break;
        case ValueType::Boolean:
            cell = booleanCell();
            break;
        case ValueType::Error:
            cell = table::Cell::ofError(table::errorCodeOf(trimmed(m_text)));
            break;
        case ValueType::IsoDate: {
            double value = 0.0;
            const std::string_view text = trimmed(m_text);
            if (text.empty())
                break;
            if (!table::parseIsoDateTime(text, value))
                fail(common::formatMessage(kReasonNotDate, {text}));
            cell = table::Cell::ofDate(value);
            break;
        }
        }
        if (cell.kind != table::CellKind::Empty)
            m_visit(m_row, static_cast<std::uint16_t>(m_column), cell);
    }

    table::Cell numberCell() const
    {
        const std::string_view text = trimmed(m_text);
        if (text.empty())
            return {}; // <v></v>: openpyxl's formula without a stored result
        double value = 0.0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result.ec != std::errc() || result.ptr != text.data() + text.size())
            fail(common::formatMessage(kReasonNotNumber, {text}));
        const std::vector<char>& dates = m_context.dateStyles;
        if (m_style < dates.size() && dates[m_style])
            return table::Cell::ofDate(table::dateOfSerial(value, m_context.date1904));
        return table::Cell::ofNumber(value);
    }

    table::Cell sharedStringCell() const
    {
        const std::string_view text = trimmed(m_text);
        std::size_t index = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), index);
        if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
            index >= m_context.sharedStringCount)
            fail(kReasonNoSharedString);
        if (m_context.texts[index].empty())
            return {};
        return table::Cell::ofText(static_cast<std::uint32_t>(index));
    }

    table::Cell booleanCell() const
    {
        const std::string_view text = trimmed(m_text);
        if (text == "1" || text == "true")
            return table::Cell::ofBoolean(true);
        if (text == "0" || text == "false")
            return table::Cell::ofBoolean(false);
        if (text.empty())
            return {};
        fail(common::formatMessage(kReasonNotBoolean, {text}));
    }

    void checkDimension(const char* ref)
    {
        if (!ref)
            return;
        const std::string_view range(ref);
        const std::size_t colon = range.find(':');
        for (const std::string_view corner :
             {range.substr(0, colon),
              colon == std::string_view::npos ? range.substr(0, 0) : range.substr(colon + 1)}) {
            std::uint32_t row = 0;
            std::uint32_t column = 0;
            if (!corner.empty() && parseCellReference(corner, row, column) == Reference::BeyondSheet)
                beyondSheet();
        }
    }

    const SheetContext& m_context;
    const CellVisitor& m_visit;
    const TextSink& m_texts;
    std::string m_text;
    std::uint32_t m_row = 0;
    std::uint32_t m_column = 0;
    std::uint32_t m_nextColumn = 0;
    std::uint32_t m_style = UINT32_MAX;
    ValueType m_type = ValueType::Number;
    int m_phoneticDepth = 0;
    bool m_anyRow = false;
    bool m_inSheetData = false;
    bool m_inCell = false;
    bool m_inInline = false;
    bool m_collecting = false;
    bool m_hasValue = false;
};

} // namespace

void readSheetCells(const zip::Archive& archive, const std::string& part, const SheetContext& context,
                    const CellVisitor& visit, const TextSink& texts)
{
    SheetHandler handler(context, visit, texts);
    xml::parsePart(archive, part, handler, xml::Names::Expanded);
}

} // namespace xlsx
