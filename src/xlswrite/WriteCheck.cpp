#include "xlswrite/WriteCheck.h"

#include "common/Error.h"
#include "xls/BiffText.h"
#include "xls/CompoundFile.h"
#include "xls/ReadMessages.h"
#include "xls/SheetReader.h"
#include "xls/WorkbookGlobals.h"
#include "xlswrite/CellTableWrite.h"
#include "xlswrite/WriteMessages.h"

#include <cmath>
#include <map>
#include <tuple>

namespace xlswrite {

namespace {

// A date goes through the workbook's serial and back; allow for the
// rounding of that trip (far below a millisecond).
constexpr double kDateTolerance = 1e-8;

struct Value {
    table::CellKind kind = table::CellKind::Empty;
    double number = 0.0;
    std::string text;
    std::uint8_t code = 0;

    bool operator==(const Value& other) const
    {
        if (kind != other.kind || text != other.text || code != other.code)
            return false;
        if (kind == table::CellKind::Date)
            return std::fabs(number - other.number) <= kDateTolerance;
        return number == other.number;
    }
};

using Place = std::tuple<std::size_t, std::uint32_t, std::uint16_t>; // worksheet, row, column
using Cells = std::map<Place, Value>;

Cells cellsOf(std::string_view stream, const common::CodePage& codePage)
{
    xls::TextDecoder decoder(codePage);
    const xls::WorkbookGlobals globals = xls::readGlobals(stream, decoder);
    std::vector<std::string> texts = globals.sharedStrings;
    const xls::SheetContext context{stream, globals, decoder, texts, globals.sharedStrings.size()};
    Cells cells;
    std::size_t worksheet = 0;
    for (const xls::SheetEntry& sheet : globals.sheets) {
        if (!sheet.isWorksheet)
            continue;
        xls::readSheetCells(
            context, sheet.offset,
            [&](std::uint32_t row, std::uint16_t column, const table::Cell& cell) {
                Value value{cell.kind, cell.number, {}, cell.code};
                if (cell.kind == table::CellKind::Text)
                    value.text = texts.at(cell.text);
                cells[{worksheet, row, column}] = std::move(value);
            },
            [&texts](std::string text) {
                texts.push_back(std::move(text));
                return static_cast<std::uint32_t>(texts.size() - 1);
            });
        ++worksheet;
    }
    return cells;
}

std::string placeText(const Place& place)
{
    return "cell " + cellAddress(std::get<1>(place), std::get<2>(place)) + " of worksheet " +
           std::to_string(std::get<0>(place) + 1);
}

} // namespace

std::string workbookStreamOf(std::string_view file, bool biff8Only, std::size_t* entry)
{
    const xls::CompoundFile compound(file);
    std::optional<std::size_t> found = compound.findStream(u"Workbook");
    if (!found && compound.findStream(u"Book"))
        throw common::Error(biff8Only ? kWriteReasonBiff5 : xls::kReasonNoWorkbookStream);
    if (!found)
        throw common::Error(xls::kReasonNoWorkbookStream);
    if (entry)
        *entry = *found;
    return compound.readStream(*found);
}

std::optional<std::string> differenceAfterWrite(std::string_view original, std::string_view written,
                                                std::size_t sheetIndex,
                                                const std::vector<table::CellWrite>& cells,
                                                const common::CodePage& codePage)
{
    Cells expected = cellsOf(workbookStreamOf(original, true), codePage);
    for (const table::CellWrite& cell : cells) {
        const Place place{sheetIndex, cell.row, cell.column};
        Value value{cell.value.kind, cell.value.number, {}, cell.value.code};
        if (cell.value.kind == table::CellKind::Text)
            value.text = cell.text;
        if (value.kind == table::CellKind::Empty ||
            (value.kind == table::CellKind::Text && value.text.empty()))
            expected.erase(place);
        else
            expected[place] = std::move(value);
    }
    const Cells actual = cellsOf(workbookStreamOf(written, true), codePage);
    for (const auto& [place, value] : expected) {
        const auto found = actual.find(place);
        if (found == actual.end() || !(found->second == value))
            return placeText(place);
    }
    for (const auto& entry : actual)
        if (!expected.count(entry.first))
            return placeText(entry.first);
    return std::nullopt;
}

} // namespace xlswrite
