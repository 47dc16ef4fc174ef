#include "xls/Workbook.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "table/LoadWithinMemory.h"
#include "xls/BiffText.h"
#include "xls/CompoundFile.h"
#include "xls/ReadMessages.h"
#include "xls/SheetTable.h"
#include "xls/WorkbookGlobals.h"

#include <memory>

namespace xls {

namespace {

// What the tables of a workbook may hold: far more than any real workbook
// needs (a cell takes at least 6 bytes of the stream), far less than what a
// small damaged file could otherwise make the reader allocate.
constexpr std::size_t kBaseCellBudget = std::size_t{4} << 20;
constexpr std::size_t kCellsPerStreamByte = 64;

// The BIFF8 stream is "Workbook"; Excel 5.0/95 files call it "Book".
std::size_t workbookStreamEntry(const CompoundFile& file)
{
    auto entry = file.findStream(u"Workbook");
    if (!entry)
        entry = file.findStream(u"Book");
    // An Office Open XML workbook saved with a password is a compound file
    // that holds the encrypted package.
    if (!entry && file.findStream(u"EncryptedPackage"))
        throw common::Error(kReasonEncrypted);
    if (!entry)
        throw common::Error(kReasonNoWorkbookStream);
    return *entry;
}

} // namespace

std::unique_ptr<Workbook> Workbook::read(std::string_view bytes, const common::CodePage& codePage,
                                         const common::RegionalSettings& settings)
{
    std::unique_ptr<Workbook> workbook(new Workbook());
    table::loadWithinMemory(
        common::formatMessage(kReasonBadRecord, {"it asks for more memory than there is"}),
        [&] { workbook->load(bytes, codePage, settings); });
    return workbook;
}

void Workbook::load(std::string_view bytes, const common::CodePage& codePage,
                    const common::RegionalSettings& settings)
{
    const CompoundFile file(bytes);
    const std::size_t entry = workbookStreamEntry(file);
    // A stream laid out in one piece is read where it lies; only a scattered one is copied.
    if (const std::optional<std::string_view> inPlace = file.contiguousStream(entry)) {
        loadStream(*inPlace, codePage, settings);
    } else {
        const std::string stream = file.readStream(entry);
        loadStream(stream, codePage, settings);
    }
}

void Workbook::loadStream(std::string_view stream, const common::CodePage& codePage,
                          const common::RegionalSettings& settings)
{
    TextDecoder decoder(codePage);
    WorkbookGlobals globals = readGlobals(stream, decoder);
    m_biffVersion = globals.biffVersion;
    const std::size_t sharedStrings = globals.sharedStrings.size();
    m_texts = std::move(globals.sharedStrings);
    const SheetContext context{stream, globals, decoder, m_texts, sharedStrings};
    std::size_t cellBudget = kBaseCellBudget + kCellsPerStreamByte * stream.size();
    for (const SheetEntry& entry : globals.sheets) {
        if (!entry.isWorksheet)
            continue;
        Sheet sheet;
        sheet.name = entry.name;
        sheet.hidden = entry.hidden;
        sheet.table = loadSheetTable(context, entry.offset, m_texts, settings, cellBudget);
        m_sheets.push_back(std::move(sheet));
    }
}

} // namespace xls
