#include "ods/Workbook.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "ods/ContentReader.h"
#include "ods/ReadMessages.h"
#include "table/LoadWithinMemory.h"
#include "table/TableBuilder.h"
#include "zip/EntryReader.h"
#include "zip/ZipArchive.h"

#include <optional>

namespace ods {

namespace {

// What the tables of a workbook may hold: far more than any real workbook
// needs, far less than the 17 billion cells that two repeat counts of a few
// bytes can ask for. (The .xlsx reader's bound: a cell takes about ten
// bytes of XML, which inflate from about one byte of the package.)
constexpr std::size_t kBaseCellBudget = std::size_t{4} << 20;
constexpr std::size_t kCellsPerPackageByte = 64;

// The media types of an OpenDocument spreadsheet and its template.
constexpr std::string_view kSpreadsheetType = "application/vnd.oasis.opendocument.spreadsheet";
constexpr std::string_view kTemplateType = "application/vnd.oasis.opendocument.spreadsheet-template";
// A media type is a short text; an entry far larger is no media type.
constexpr std::uint64_t kMaxMediaType = 256;

// A package's "mimetype" entry names what it holds; one without it is
// taken for a spreadsheet when it has the spreadsheet's content.xml.
void checkMediaType(const zip::Archive& archive)
{
    const zip::Entry* entry = archive.find("mimetype");
    if (!entry || entry->size > kMaxMediaType)
        return;
    const std::string type = zip::readEntry(archive, *entry);
    if (type != kSpreadsheetType && type != kTemplateType)
        throw common::Error(common::formatMessage(kReasonNotSpreadsheet, {type}));
}

// Lays each sheet out as it comes, cell by cell in order: a table with the
// .xls reader's rules (table/TableBuilder.h).
class TableSink : public SheetSink {
  public:
    TableSink(std::vector<std::string>& texts, std::vector<Sheet>& sheets,
              const common::RegionalSettings& settings, std::size_t cellBudget)
        : m_texts(texts), m_sheets(sheets), m_settings(settings), m_cellBudget(cellBudget)
    {
    }

    void beginSheet(std::string name) override
    {
        m_sheets.push_back({std::move(name), nullptr});
        // Thrown while content.xml is parsed, which names the part.
        m_rows.emplace(0, m_cellBudget, kReasonTooManyCells);
    }
    void addCell(std::uint32_t row, std::uint16_t column, const table::Cell& cell) override
    {
        m_rows->add(row, column, cell);
    }
    void endSheet() override
    {
        m_sheets.back().table = table::tableOfOrderedRows(*m_rows, m_texts, m_settings, m_cellBudget);
        m_rows.reset();
    }
    std::uint32_t addText(std::string text) override
    {
        m_texts.push_back(std::move(text));
        return static_cast<std::uint32_t>(m_texts.size() - 1);
    }

  private:
    std::vector<std::string>& m_texts;
    std::vector<Sheet>& m_sheets;
    const common::RegionalSettings& m_settings;
    std::size_t m_cellBudget;
    std::optional<table::OrderedRows> m_rows;
};

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
    checkMediaType(archive);
    if (!archive.find(kContentPart))
        throw common::Error(kReasonNoContent);
    const std::size_t cellBudget = kBaseCellBudget + kCellsPerPackageByte * bytes.size();
    // Names as written, unless the document binds its prefixes below the
    // root (OdsNames.h): then everything again, with namespace processing.
    try {
        TableSink sink(m_texts, m_sheets, settings, cellBudget);
        readContent(archive, codePage, sink, xml::Names::AsWritten);
    } catch (const NeedsNamespaceProcessing&) {
        m_texts.clear();
        m_sheets.clear();
        TableSink sink(m_texts, m_sheets, settings, cellBudget);
        readContent(archive, codePage, sink, xml::Names::Expanded);
    }
}

} // namespace ods
