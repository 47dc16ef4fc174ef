#include "xlsxwrite/SheetPartWrite.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "table/CellAddress.h"
#include "table/CellWriteMessages.h"
#include "xlsx/CellReference.h"
#include "xlsx/CellTexts.h"
#include "xlsx/OpenXmlNames.h"
#include "xlsxwrite/WriteMessages.h"
#include "xlsxwrite/XmlSplice.h"
#include "xml/XmlParser.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>

namespace xlsxwrite {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

enum class Formula { None, Plain, SharedAnchor, Grouped };

struct Range {
    std::uint32_t firstRow, firstColumn, lastRow, lastColumn;
    bool holds(std::uint32_t row, std::uint32_t column) const
    {
        return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }
};

std::optional<Range> parseRange(std::string_view text)
{
    const std::size_t colon = text.find(':');
    Range range{};
    if (xlsx::parseCellReference(text.substr(0, colon), range.firstRow, range.firstColumn) !=
        xlsx::Reference::Valid)
        return std::nullopt;
    range.lastRow = range.firstRow;
    range.lastColumn = range.firstColumn;
    if (colon != std::string_view::npos &&
        xlsx::parseCellReference(text.substr(colon + 1), range.lastRow, range.lastColumn) !=
            xlsx::Reference::Valid)
        return std::nullopt;
    if (range.lastRow < range.firstRow)
        std::swap(range.lastRow, range.firstRow);
    if (range.lastColumn < range.firstColumn)
        std::swap(range.lastColumn, range.firstColumn);
    return range;
}

// What the scan learns of one posted cell's place.
struct EditPlace {
    std::vector<std::pair<std::size_t, std::size_t>> spans; // the <c> elements there (normally one)
    std::uint32_t style = 0;
    bool sharedString = false;
    Formula formula = Formula::None;
    std::size_t insertBefore = kNone; // the first cell of its row right of it
    bool hasAbove = false;            // the nearest cell above it in its column
    std::uint32_t aboveRow = 0;
    std::uint32_t aboveStyle = 0;
};

// What the scan learns of one row that posted cells go to.
struct RowPlace {
    std::uint32_t row = 0;
    bool found = false;
    std::size_t begin = 0;
    std::size_t startTagLength = 0;
    std::size_t endTagBegin = kNone;  // kNone for <row .../>
    std::size_t insertBefore = kNone; // the first row after it with a greater number
    std::vector<std::size_t> edits;   // indexes of its cells, by column
};

// One pass over the part: where everything the rewrite touches lies.
class ScanHandler : public xml::Handler {
  public:
    explicit ScanHandler(const std::vector<StoredCell>& cells) : m_cells(cells)
    {
        places.resize(cells.size());
        std::vector<std::size_t> order(cells.size());
        for (std::size_t i = 0; i < cells.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&cells](std::size_t a, std::size_t b) {
            return std::tie(cells[a].row, cells[a].column) < std::tie(cells[b].row, cells[b].column);
        });
        for (std::size_t i : order) {
            if (rows.empty() || rows.back().row != cells[i].row) {
                rows.emplace_back();
                rows.back().row = cells[i].row;
            }
            rows.back().edits.push_back(i);
            m_editedColumns.push_back(cells[i].column);
        }
        std::sort(m_editedColumns.begin(), m_editedColumns.end());
    }

    void setParser(const xml::Parser& parser) { m_parser = &parser; }

    void startElement(const char* name, xml::Attributes attributes) override
    {
        const xlsx::Name element = xlsx::nameOf(name);
        if (element.vocabulary != xlsx::Vocabulary::SpreadsheetMain)
            return;
        const std::string_view local = element.local;
        if (local == "c" && m_inSheetData)
            startCell(attributes);
        else if (local == "f" && m_inCell)
            startFormula(attributes);
        else if (local == "row" && m_inSheetData)
            startRow(attributes);
        else if (local == "sheetData")
            startSheetData();
        else if (local == "dimension" && dimensionBegin == kNone) {
            dimensionBegin = offset();
            dimensionLength = m_parser->eventLength();
        }
    }

    void endElement(const char* name) override
    {
        const xlsx::Name element = xlsx::nameOf(name);
        if (element.vocabulary != xlsx::Vocabulary::SpreadsheetMain)
            return;
        const std::string_view local = element.local;
        if (local == "c" && m_inCell) {
            m_inCell = false;
            if (m_edit != kNone) {
                const std::size_t length = m_parser->eventLength();
                const std::size_t end = length == 0 ? m_cellBegin + m_cellTagLength : offset() + length;
                places[m_edit].spans.emplace_back(m_cellBegin, end);
            }
        } else if (local == "row" && m_inSheetData) {
            if (m_rowPlace != kNone && m_parser->eventLength() != 0 && rows[m_rowPlace].endTagBegin == kNone)
                rows[m_rowPlace].endTagBegin = offset();
            m_rowPlace = kNone;
        } else if (local == "sheetData" && m_inSheetData) {
            m_inSheetData = false;
            if (m_parser->eventLength() != 0)
                sheetDataEndBegin = offset();
        }
    }

    void characters(std::string_view) override {}

    std::vector<EditPlace> places;
    std::vector<RowPlace> rows;
    std::vector<Range> groupedFormulas; // array and data-table formulas
    std::size_t sheetDataBegin = kNone;
    std::size_t sheetDataTagLength = 0;
    std::size_t sheetDataEndBegin = kNone; // kNone for <sheetData/>
    std::size_t dimensionBegin = kNone;
    std::size_t dimensionLength = 0;

  private:
    std::size_t offset() const { return static_cast<std::size_t>(m_parser->eventOffset()); }

    void startSheetData()
    {
        if (sheetDataBegin != kNone)
            return;
        m_inSheetData = true;
        sheetDataBegin = offset();
        sheetDataTagLength = m_parser->eventLength();
    }

    void startRow(xml::Attributes attributes)
    {
        std::uint64_t number = m_anyRow ? std::uint64_t{m_row} + 1 : 0;
        if (const char* r = xml::attribute(attributes, "r")) {
            std::uint64_t value = 0;
            if (std::from_chars(r, r + std::strlen(r), value).ec == std::errc() && value > 0)
                number = value - 1;
        }
        m_anyRow = true;
        m_row = static_cast<std::uint32_t>(std::min<std::uint64_t>(number, UINT32_MAX));
        m_nextColumn = 0;
        m_rowPlace = kNone;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            RowPlace& place = rows[i];
            if (place.row == m_row && !place.found) {
                place.found = true;
                place.begin = offset();
                place.startTagLength = m_parser->eventLength();
                m_rowPlace = i;
            } else if (place.row < m_row && !place.found && place.insertBefore == kNone) {
                place.insertBefore = offset();
            }
        }
    }

    void startCell(xml::Attributes attributes)
    {
        const char* r = xml::attribute(attributes, "r");
        std::uint32_t column = m_nextColumn;
        if (r) {
            std::uint32_t row = 0;
            if (xlsx::parseCellReference(r, row, column) != xlsx::Reference::Valid)
                column = m_nextColumn;
        }
        m_nextColumn = column + 1;
        std::uint32_t style = 0;
        if (const char* s = xml::attribute(attributes, "s"))
            std::from_chars(s, s + std::strlen(s), style);
        const char* t = xml::attribute(attributes, "t");
        m_inCell = true;
        m_edit = kNone;
        m_cellBegin = offset();
        m_cellTagLength = m_parser->eventLength();
        if (m_rowPlace != kNone) {
            for (const std::size_t i : rows[m_rowPlace].edits) {
                if (m_cells[i].column == column) {
                    m_edit = i;
                    places[i].style = style;
                    places[i].sharedString = t && std::strcmp(t, "s") == 0;
                    places[i].formula = Formula::None;
                } else if (m_cells[i].column < column && places[i].insertBefore == kNone) {
                    places[i].insertBefore = m_cellBegin;
                }
            }
        }
        if (!std::binary_search(m_editedColumns.begin(), m_editedColumns.end(), column))
            return;
        // The nearest cell above a posted one in its column lends it its format.
        for (std::size_t i = 0; i < m_cells.size(); ++i) {
            EditPlace& place = places[i];
            if (m_cells[i].column == column && m_cells[i].row > m_row &&
                (!place.hasAbove || m_row >= place.aboveRow)) {
                place.hasAbove = true;
                place.aboveRow = m_row;
                place.aboveStyle = style;
            }
        }
    }

    void startFormula(xml::Attributes attributes)
    {
        const char* t = xml::attribute(attributes, "t");
        const char* ref = xml::attribute(attributes, "ref");
        Formula formula = Formula::Plain;
        if (t && (std::strcmp(t, "array") == 0 || std::strcmp(t, "dataTable") == 0)) {
            formula = Formula::Grouped;
            if (ref)
                if (const std::optional<Range> range = parseRange(ref))
                    groupedFormulas.push_back(*range);
        } else if (t && std::strcmp(t, "shared") == 0 && ref) {
            formula = Formula::SharedAnchor; // the other cells of the range need its formula
        }
        if (m_edit != kNone)
            places[m_edit].formula = formula;
    }

    const std::vector<StoredCell>& m_cells;
    std::vector<std::uint32_t> m_editedColumns;
    const xml::Parser* m_parser = nullptr;
    bool m_inSheetData = false;
    bool m_inCell = false;
    bool m_anyRow = false;
    std::uint32_t m_row = 0;
    std::uint32_t m_nextColumn = 0;
    std::size_t m_rowPlace = kNone;
    std::size_t m_edit = kNone;
    std::size_t m_cellBegin = 0;
    std::size_t m_cellTagLength = 0;
};

std::string numberText(double value)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

bool isDateStyle(const SheetFormats& formats, std::uint32_t style)
{
    return style < formats.dateStyles.size() && formats.dateStyles[style] != 0;
}

// The format a posted cell is written with (see the header).
std::uint32_t styleFor(const StoredCell& cell, const EditPlace& place, const SheetFormats& formats)
{
    using Kind = StoredCell::Kind;
    const bool wantDate = cell.kind == Kind::Date;
    const bool anyFits = cell.kind != Kind::Number && !wantDate; // texts, booleans, emptied cells
    if (!place.spans.empty() && (anyFits || isDateStyle(formats, place.style) == wantDate))
        return place.style;
    if (place.hasAbove && (anyFits || isDateStyle(formats, place.aboveStyle) == wantDate))
        return place.aboveStyle;
    if (!wantDate)
        return 0;
    for (std::size_t style = 0; style < formats.dateStyles.size(); ++style)
        if (formats.dateStyles[style])
            return static_cast<std::uint32_t>(style);
    throw common::Error(
        common::formatMessage(table::kWriteReasonNoDateFormat, {table::cellAddress(cell.row, cell.column)}));
}

std::string cellXml(const StoredCell& cell, std::uint32_t style, const std::string& prefix)
{
    using Kind = StoredCell::Kind;
    std::string xml = "<" + prefix + "c r=\"" + table::cellAddress(cell.row, cell.column) + "\"";
    if (style != 0)
        xml += " s=\"" + std::to_string(style) + "\"";
    const std::string v = prefix + "v>";
    switch (cell.kind) {
    case Kind::Empty:
        return xml + "/>";
    case Kind::Number:
    case Kind::Date:
        return xml + "><" + v + numberText(cell.number) + "</" + v + "</" + prefix + "c>";
    case Kind::SharedString:
        return xml + " t=\"s\"><" + v + std::to_string(cell.string) + "</" + v + "</" + prefix + "c>";
    case Kind::Boolean:
        return xml + " t=\"b\"><" + v + (cell.boolean ? "1" : "0") + "</" + v + "</" + prefix + "c>";
    case Kind::InlineString:
        return xml + " t=\"inlineStr\"><" + prefix + "is>" + textElement(prefix, cell.text) + "</" + prefix +
               "is></" + prefix + "c>";
    }
    return xml + "/>";
}

// The 1-based column range of a row's spans attribute, grown to hold `column`.
std::string grownSpans(const std::string& spans, std::uint32_t column)
{
    unsigned first = column + 1;
    unsigned last = column + 1;
    const std::size_t colon = spans.find(':');
    unsigned a = 0;
    unsigned b = 0;
    if (colon != std::string::npos &&
        std::from_chars(spans.data(), spans.data() + colon, a).ec == std::errc() &&
        std::from_chars(spans.data() + spans.rfind(':') + 1, spans.data() + spans.size(), b).ec ==
            std::errc()) {
        first = std::min(first, a);
        last = std::max(last, b);
    }
    return std::to_string(first) + ":" + std::to_string(last);
}

} // namespace

SheetPartRewrite rewriteSheetPart(std::string_view xml, const std::vector<StoredCell>& cells,
                                  const SheetFormats& formats, const std::string& sheetName)
{
    using Kind = StoredCell::Kind;
    ScanHandler scan(cells);
    xml::Parser parser(scan, xml::Names::Expanded);
    scan.setParser(parser);
    parser.parse(xml);
    if (scan.sheetDataBegin == kNone)
        throw common::Error(common::formatMessage(kWriteReasonNoSheetData, {sheetName}));
    const std::string prefix = prefixOfTag(xml.substr(scan.sheetDataBegin, scan.sheetDataTagLength));

    SheetPartRewrite result;
    std::vector<Splice> splices;
    std::string newRows; // for a <sheetData/> without rows
    std::optional<Range> written;
    for (const RowPlace& row : scan.rows) {
        std::string added; // the row's new cells, by column, where they go in
        std::size_t lastColumn = 0;
        bool anyAdded = false;
        std::vector<std::pair<std::size_t, std::string>> inserts;
        for (const std::size_t i : row.edits) {
            const StoredCell& cell = cells[i];
            const EditPlace& place = scan.places[i];
            const std::string address = table::cellAddress(cell.row, cell.column);
            for (const Range& range : scan.groupedFormulas)
                if (range.holds(cell.row, cell.column))
                    throw common::Error(
                        common::formatMessage(table::kWriteReasonFormula, {address, sheetName}));
            if (place.formula == Formula::SharedAnchor || place.formula == Formula::Grouped)
                throw common::Error(common::formatMessage(table::kWriteReasonFormula, {address, sheetName}));
            if (place.formula != Formula::None && formats.formulasListed)
                throw common::Error(common::formatMessage(kWriteReasonFormulaInChain, {address, sheetName}));
            if (place.spans.empty() && cell.kind == Kind::Empty)
                continue; // nothing there, nothing to write
            const std::string text = cellXml(cell, styleFor(cell, place, formats), prefix);
            if (place.sharedString)
                result.sharedStringRefs -= static_cast<std::int64_t>(place.spans.size());
            if (cell.kind == Kind::SharedString)
                ++result.sharedStringRefs;
            if (cell.kind != Kind::Empty) {
                const Range here{cell.row, cell.column, cell.row, cell.column};
                written = written ? Range{std::min(written->firstRow, here.firstRow),
                                          std::min(written->firstColumn, here.firstColumn),
                                          std::max(written->lastRow, here.lastRow),
                                          std::max(written->lastColumn, here.lastColumn)}
                                  : here;
            }
            if (!place.spans.empty()) {
                splices.push_back({place.spans[0].first, place.spans[0].second, text});
                for (std::size_t s = 1; s < place.spans.size(); ++s)
                    splices.push_back({place.spans[s].first, place.spans[s].second, {}});
                continue;
            }
            anyAdded = true;
            lastColumn = std::max<std::size_t>(lastColumn, cell.column);
            if (row.found && row.endTagBegin != kNone)
                inserts.emplace_back(place.insertBefore != kNone ? place.insertBefore : row.endTagBegin,
                                     text);
            else
                added += text;
        }
        if (!anyAdded)
            continue;
        for (auto& [at, text] : inserts)
            splices.push_back({at, at, std::move(text)});
        if (row.found) {
            std::string tag(xml.substr(row.begin, row.startTagLength));
            std::string spans;
            if (attributeOfTag(tag, "spans", spans))
                for (const std::size_t i : row.edits)
                    spans = grownSpans(spans, cells[i].column);
            if (!spans.empty())
                tag = withAttribute(tag, "spans", spans);
            if (row.endTagBegin == kNone)
                splices.push_back({row.begin, row.begin + row.startTagLength,
                                   openedTag(tag) + added + "</" + prefix + "row>"});
            else if (tag != xml.substr(row.begin, row.startTagLength))
                splices.push_back({row.begin, row.begin + row.startTagLength, tag});
            continue;
        }
        const std::string rowXml = "<" + prefix + "row r=\"" + std::to_string(std::uint64_t{row.row} + 1) +
                                   "\">" + added + "</" + prefix + "row>";
        if (row.insertBefore != kNone)
            splices.push_back({row.insertBefore, row.insertBefore, rowXml});
        else if (scan.sheetDataEndBegin != kNone)
            splices.push_back({scan.sheetDataEndBegin, scan.sheetDataEndBegin, rowXml});
        else
            newRows += rowXml;
    }
    if (!newRows.empty()) {
        const std::string_view tag = xml.substr(scan.sheetDataBegin, scan.sheetDataTagLength);
        splices.push_back({scan.sheetDataBegin, scan.sheetDataBegin + scan.sheetDataTagLength,
                           openedTag(tag) + newRows + "</" + prefix + "sheetData>"});
    }
    if (written && scan.dimensionBegin != kNone) {
        const std::string_view tag = xml.substr(scan.dimensionBegin, scan.dimensionLength);
        std::string ref;
        Range range = *written;
        if (attributeOfTag(tag, "ref", ref))
            if (const std::optional<Range> old = parseRange(ref))
                range = {std::min(range.firstRow, old->firstRow),
                         std::min(range.firstColumn, old->firstColumn), std::max(range.lastRow, old->lastRow),
                         std::max(range.lastColumn, old->lastColumn)};
        const std::string grown = table::cellAddress(range.firstRow, range.firstColumn) + ":" +
                                  table::cellAddress(range.lastRow, range.lastColumn);
        splices.push_back({scan.dimensionBegin, scan.dimensionBegin + scan.dimensionLength,
                           withAttribute(tag, "ref", grown)});
    }
    result.xml = applySplices(xml, std::move(splices));
    return result;
}

} // namespace xlsxwrite
