// Sorting the open query: a stable sort of the presented order by one or
// more fields. Empty cells come first in ascending order, as the original
// data layer put its nulls; texts compare without regard to ASCII case.
#include "workbook/Query.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/Text.h"
#include "workbook/Connection.h"
#include "workbook/FieldLookup.h"
#include "workbook/QueryImpl.h"
#include "workbook/SortText.h"
#include "workbook/WorkbookMessages.h"

#include <algorithm>
#include <numeric>

namespace workbook {

namespace {

// One field's sort values, computed once per row so that comparing is cheap.
struct SortColumn {
    bool descending = false;
    bool byText = false;
    std::vector<char> present;      // 0 for an empty cell
    std::vector<double> numbers;    // Float, DateTime, Boolean
    std::vector<std::string> texts; // Text fields: upper-cased cell texts
};

SortColumn sortColumn(const table::Table& table, std::size_t field, bool descending,
                      const common::RegionalSettings& settings)
{
    SortColumn column;
    column.descending = descending;
    column.byText = table.fields()[field].type == table::FieldType::Text;
    const std::size_t rows = table.rowCount();
    column.present.resize(rows);
    (column.byText ? (void)column.texts.resize(rows) : column.numbers.resize(rows));
    for (std::size_t row = 0; row < rows; ++row) {
        const table::Cell& cell = table.cell(row, field);
        column.present[row] = cell.kind != table::CellKind::Empty;
        if (column.byText)
            column.texts[row] = common::upperAscii(table.cellText(row, field, settings));
        else
            column.numbers[row] = cell.kind == table::CellKind::Boolean ? cell.code : cell.number;
    }
    return column;
}

// <0, 0, >0 as row a sorts before, with or after row b in ascending order.
int compareRows(const SortColumn& column, std::size_t a, std::size_t b)
{
    if (column.present[a] != column.present[b])
        return column.present[a] ? 1 : -1;
    if (!column.present[a])
        return 0;
    if (column.byText)
        return column.texts[a].compare(column.texts[b]);
    return column.numbers[a] < column.numbers[b] ? -1 : column.numbers[a] > column.numbers[b] ? 1 : 0;
}

} // namespace

void sortRows(const table::Table& table, std::vector<std::size_t>& order,
              const std::vector<std::size_t>& fields, const std::vector<bool>& descending,
              const common::RegionalSettings& settings)
{
    if (fields.empty())
        return;
    std::vector<SortColumn> columns;
    for (std::size_t i = 0; i < fields.size(); ++i)
        columns.push_back(sortColumn(table, fields[i], descending[i], settings));
    std::stable_sort(order.begin(), order.end(), [&columns](std::size_t a, std::size_t b) {
        for (const SortColumn& column : columns) {
            const int result = compareRows(column, a, b);
            if (result != 0)
                return column.descending ? result > 0 : result < 0;
        }
        return false;
    });
}

void Query::setSort(const std::string& sortText)
{
    Impl& q = *m_impl;
    if (!q.isOpen())
        throw common::Error(m_name + ": " + kQueryClosed);
    std::vector<SortKey> keys = parseSortText(sortText, m_connection.codePage());
    for (const SortKey& key : keys) {
        if (!findField(fields(), key.field, m_connection.codePage()))
            throw common::Error(common::formatMessage(kSortUnknownField, {key.field}));
    }
    checkBrowseMode();
    q.sortKeys = std::move(keys);
    m_sort = sortText;
    q.order.resize(q.table->rowCount());
    std::iota(q.order.begin(), q.order.end(), std::size_t{0});
    applySortKeys();
    first();
}

void Query::applySortKeys()
{
    Impl& q = *m_impl;
    std::vector<std::size_t> indexes;
    std::vector<bool> descending;
    for (const SortKey& key : q.sortKeys) {
        indexes.push_back(fieldIndex(key.field));
        descending.push_back(key.descending);
    }
    sortRows(*q.table, q.order, indexes, descending, m_connection.settings());
}

} // namespace workbook
