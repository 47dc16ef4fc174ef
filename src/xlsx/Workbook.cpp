#include "xlsx/Workbook.h"

#include "common/Encoding.h"
#include "common/Error.h"
#include "common/FormatMessage.h"
#include "table/LoadWithinMemory.h"
#include "table/TableBuilder.h"
#include "xlsx/PackageParts.h"
#include "xlsx/ReadMessages.h"
#include "xlsx/SharedStrings.h"
#include "xlsx/SheetCells.h"
#include "xlsx/Styles.h"
#include "xml/PackagePart.h"
#include "xml/XmlMessages.h"
#include "zip/ZipArchive.h"

#include <algorithm>
#include <tuple>

namespace xlsx {

namespace {

// What the tables of a workbook may hold: far more than any real workbook
// needs (a cell takes about ten bytes of XML, which inflate from about one
// byte of the package), far less than what a small damaged file could
// otherwise make the reader allocate (a few bytes of XML can ask for a
// cell 16383 columns to the right).
constexpr std::size_t kBaseCellBudget = std::size_t{4} << 20;
constexpr std::size_t kCellsPerPackageByte = 64;
// A cell takes at least this many bytes of XML ("<c><v>1</v></c>").
constexpr std::size_t kMinCellXml = 12;

std::string overBudgetMessage(const std::string& part)
{
    return common::formatMessage(xml::kReasonBadPart, {part, kReasonTooManyCells});
}

TextSink textSinkOf(std::vector<std::string>& texts)
{
    return [&texts](std::string text) {
        texts.push_back(std::move(text));
        return static_cast<std::uint32_t>(texts.size() - 1);
    };
}

// Cells that came in any order: every one kept with its place, sorted (a
// later cell at the same place after an earlier one), then laid out.
std::unique_ptr<table::Table> loadUnordered(const zip::Archive& archive, const std::string& part,
                                            const SheetContext& context, std::vector<std::string>& texts,
                                            const common::RegionalSettings& settings, std::size_t& cellBudget)
{
    struct Placed {
        std::uint32_t row;
        std::uint16_t column;
        table::Cell cell;
    };
    std::vector<Placed> cells;
    readSheetCells(
        archive, part, context,
        [&](std::uint32_t row, std::uint16_t column, const table::Cell& cell) {
            if (cells.size() >= cellBudget)
                throw common::Error(overBudgetMessage(part));
            cells.push_back({row, column, cell});
        },
        textSinkOf(texts));
    std::stable_sort(cells.begin(), cells.end(), [](const Placed& a, const Placed& b) {
        return std::tie(a.row, a.column) < std::tie(b.row, b.column);
    });
    table::OrderedRows ordered(cells.size(), cellBudget, overBudgetMessage(part));
    for (const Placed& placed : cells)
        ordered.add(placed.row, placed.column, placed.cell);
    return table::tableOfOrderedRows(ordered, texts, settings, cellBudget);
}

std::unique_ptr<table::Table> loadSheetTable(const zip::Archive& archive, const std::string& part,
                                             const SheetContext& context, std::vector<std::string>& texts,
                                             const common::RegionalSettings& settings,
                                             std::size_t& cellBudget)
{
    // Room for as many cells as the part could hold is reserved (address
    // space only, until cells are written).
    const std::size_t reserve = std::min<std::size_t>(
        cellBudget, static_cast<std::size_t>(xml::partEntry(archive, part).size / kMinCellXml));
    const std::size_t textsBefore = texts.size();
    table::OrderedRows ordered(reserve, cellBudget, overBudgetMessage(part));
    readSheetCells(
        archive, part, context,
        [&ordered](std::uint32_t row, std::uint16_t column, const table::Cell& cell) {
            ordered.add(row, column, cell);
        },
        textSinkOf(texts));
    if (!ordered.inOrder()) {
        texts.resize(textsBefore); // the second try adds them again
        return loadUnordered(archive, part, context, texts, settings, cellBudget);
    }
    return table::tableOfOrderedRows(ordered, texts, settings, cellBudget);
}

} // namespace

std::unique_ptr<Workbook> Workbook::read(std::string_view bytes, const common::CodePage& codePage,
                                         const common::RegionalSettings& settings)
{
    std::unique_ptr<Workbook> workbook(new Workbook());
    table::loadWithinMemory(kReasonOutOfMemory, [&] { workbook->load(bytes, codePage, settings); });
    return workbook;
}

void Workbook::load(std::string_view bytes, const common::CodePage& codePage,
                    const common::RegionalSettings& settings)
{
    const zip::Archive archive(bytes);
    const PackageLayout layout = readPackageLayout(archive);
    const std::vector<char> dateStyles = readDateStyles(archive, layout.stylesPart);
    m_texts = readSharedStrings(archive, layout.sharedStringsPart, codePage);
    const std::size_t sharedStrings = m_texts.size();
    const SheetContext context{m_texts, sharedStrings, dateStyles, layout.date1904, codePage};
    std::size_t cellBudget = kBaseCellBudget + kCellsPerPackageByte * bytes.size();
    for (const WorksheetPart& worksheet : layout.worksheets) {
        Sheet sheet;
        sheet.name = common::utf8ToCodePage(worksheet.name, codePage);
        sheet.table = loadSheetTable(archive, worksheet.part, context, m_texts, settings, cellBudget);
        m_sheets.push_back(std::move(sheet));
    }
}

} // namespace xlsx
