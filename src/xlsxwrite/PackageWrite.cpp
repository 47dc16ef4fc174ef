#include "xlsxwrite/PackageWrite.h"

#include "common/Encoding.h"
#include "common/Error.h"
#include "common/FormatMessage.h"
#include "table/CellAddress.h"
#include "table/CellWriteMessages.h"
#include "table/DateSerial.h"
#include "table/WrittenCells.h"
#include "xlsx/CellReference.h"
#include "xlsx/PackageParts.h"
#include "xlsx/SharedStrings.h"
#include "xlsx/SheetCells.h"
#include "xlsx/Styles.h"
#include "xlsxwrite/SharedStringsWrite.h"
#include "xlsxwrite/SheetPartWrite.h"
#include "xml/PackagePart.h"
#include "zip/EntryReader.h"
#include "zip/ZipWriter.h"

#include <cmath>
#include <memory>

namespace xlsxwrite {

namespace {

constexpr std::size_t kMaxTextLength = 32767; // what a cell can hold, in UTF-16 units

std::size_t utf16Length(std::string_view utf8)
{
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80)
            units += byte >= 0xF0 ? 2 : 1; // a four-byte sequence is a surrogate pair
    }
    return units;
}

[[noreturn]] void refuse(const char* reason, const table::CellWrite& cell)
{
    throw common::Error(common::formatMessage(reason, {table::cellAddress(cell.row, cell.column)}));
}

StoredCell storedCellOf(const table::CellWrite& write, bool date1904, SharedStringsWriter* strings,
                        const common::CodePage& codePage)
{
    if (write.row >= xlsx::kSheetRows || write.column >= xlsx::kSheetColumns)
        refuse(table::kWriteReasonTooFar, write);
    StoredCell cell;
    cell.row = write.row;
    cell.column = write.column;
    switch (write.value.kind) {
    case table::CellKind::Number:
        if (!std::isfinite(write.value.number))
            refuse(table::kWriteReasonNotFinite, write);
        cell.kind = StoredCell::Kind::Number;
        cell.number = write.value.number;
        break;
    case table::CellKind::Date:
        cell.kind = StoredCell::Kind::Date;
        cell.number = table::serialOfDate(write.value.number, date1904);
        break;
    case table::CellKind::Boolean:
        cell.kind = StoredCell::Kind::Boolean;
        cell.boolean = write.value.code != 0;
        break;
    case table::CellKind::Text: {
        if (write.text.empty())
            break;
        std::string text = common::codePageToUtf8(write.text, codePage);
        if (utf16Length(text) > kMaxTextLength)
            refuse(table::kWriteReasonTextTooLong, write);
        if (strings) {
            cell.kind = StoredCell::Kind::SharedString;
            cell.string = strings->indexOf(text);
        } else {
            cell.kind = StoredCell::Kind::InlineString;
            cell.text = std::move(text);
        }
        break;
    }
    default:
        break;
    }
    return cell;
}

table::WorkbookCells cellsOf(std::string_view package, const common::CodePage& codePage)
{
    const zip::Archive archive(package);
    const xlsx::PackageLayout layout = xlsx::readPackageLayout(archive);
    const std::vector<char> dateStyles = xlsx::readDateStyles(archive, layout.stylesPart);
    std::vector<std::string> texts = xlsx::readSharedStrings(archive, layout.sharedStringsPart, codePage);
    const std::size_t sharedStrings = texts.size();
    const xlsx::SheetContext context{texts, sharedStrings, dateStyles, layout.date1904, codePage};
    table::WorkbookCells cells;
    for (std::size_t worksheet = 0; worksheet < layout.worksheets.size(); ++worksheet) {
        xlsx::readSheetCells(
            archive, layout.worksheets[worksheet].part, context,
            [&](std::uint32_t row, std::uint16_t column, const table::Cell& cell) {
                cells[{worksheet, row, column}] = table::valueOf(cell, texts);
            },
            [&texts](std::string text) {
                texts.push_back(std::move(text));
                return static_cast<std::uint32_t>(texts.size() - 1);
            });
    }
    return cells;
}

} // namespace

std::string writeCellsToPackage(std::string_view original, std::size_t sheetIndex,
                                const std::string& sheetName, const std::vector<table::CellWrite>& cells,
                                const common::CodePage& codePage)
{
    const zip::Archive archive(original);
    const xlsx::PackageLayout layout = xlsx::readPackageLayout(archive);
    if (sheetIndex >= layout.worksheets.size() ||
        common::utf8ToCodePage(layout.worksheets[sheetIndex].name, codePage) != sheetName)
        throw common::Error(table::kWriteReasonChanged);
    const zip::Entry& sheetEntry = xml::partEntry(archive, layout.worksheets[sheetIndex].part);
    const std::vector<char> dateStyles = xlsx::readDateStyles(archive, layout.stylesPart);
    bool formulasListed = false;
    for (const xlsx::Relationship& relationship : layout.workbookRelationships)
        formulasListed = formulasListed || relationship.kind == "calcChain";

    std::unique_ptr<SharedStringsWriter> strings;
    if (!layout.sharedStringsPart.empty())
        strings = std::make_unique<SharedStringsWriter>(archive, layout.sharedStringsPart);
    std::vector<StoredCell> stored;
    for (const table::CellWrite& cell : cells)
        stored.push_back(storedCellOf(cell, layout.date1904, strings.get(), codePage));

    const SheetPartRewrite sheet = rewriteSheetPart(zip::readEntry(archive, sheetEntry), stored,
                                                    SheetFormats{dateStyles, formulasListed}, sheetName);
    const zip::Entry* stringsEntry =
        strings && strings->grew() ? &xml::partEntry(archive, strings->part()) : nullptr;
    zip::Writer writer;
    for (const zip::Entry& entry : archive.entries()) {
        if (&entry == &sheetEntry)
            writer.add(entry, sheet.xml);
        else if (&entry == stringsEntry)
            writer.add(entry, strings->rewrite(zip::readEntry(archive, entry), sheet.sharedStringRefs));
        else
            writer.copy(archive, entry);
    }
    return writer.finish();
}

std::optional<std::string> differenceAfterWrite(std::string_view original, std::string_view written,
                                                std::size_t sheetIndex,
                                                const std::vector<table::CellWrite>& cells,
                                                const common::CodePage& codePage)
{
    return table::differenceAfterWrite(cellsOf(original, codePage), sheetIndex, cells,
                                       cellsOf(written, codePage));
}

} // namespace xlsxwrite
