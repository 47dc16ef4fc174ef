#include "table/WrittenCells.h"

#include "table/CellAddress.h"

#include <cmath>

namespace table {

namespace {

constexpr double kDateTolerance = 1e-8;

std::string placeText(const CellPlace& place)
{
    return "cell " + cellAddress(std::get<1>(place), std::get<2>(place)) + " of worksheet " +
           std::to_string(std::get<0>(place) + 1);
}

} // namespace

bool CellValue::operator==(const CellValue& other) const
{
    if (kind != other.kind || text != other.text || code != other.code)
        return false;
    if (kind == CellKind::Date)
        return std::fabs(number - other.number) <= kDateTolerance;
    return number == other.number;
}

CellValue valueOf(const Cell& cell, const std::vector<std::string>& texts)
{
    CellValue value{cell.kind, cell.number, {}, cell.code};
    if (cell.kind == CellKind::Text)
        value.text = texts.at(cell.text);
    return value;
}

std::optional<std::string> differenceAfterWrite(WorkbookCells expected, std::size_t sheetIndex,
                                                const std::vector<CellWrite>& cells,
                                                const WorkbookCells& actual)
{
    for (const CellWrite& cell : cells) {
        const CellPlace place{sheetIndex, cell.row, cell.column};
        CellValue value{cell.value.kind, cell.value.number, {}, cell.value.code};
        if (cell.value.kind == CellKind::Text)
            value.text = cell.text;
        if (value.kind == CellKind::Empty || (value.kind == CellKind::Text && value.text.empty()))
            expected.erase(place);
        else
            expected[place] = std::move(value);
    }
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

} // namespace table
