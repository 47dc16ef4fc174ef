#include "workbook/Query.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "table/CellText.h"
#include "workbook/Connection.h"
#include "workbook/FieldLookup.h"
#include "workbook/QueryImpl.h"
#include "workbook/Statement.h"
#include "workbook/WorkbookMessages.h"

#include <algorithm>
#include <numeric>

namespace workbook {

namespace {

const std::vector<table::Field> kNoFields;

bool namesTable(const std::string& writtenName, const FileTable& table, const common::CodePage& codePage)
{
    return table.namedAsSheet ? namesSheet(writtenName, table.sheetName, codePage)
                              : namesFile(writtenName, table.sheetName, codePage);
}

// The rare ways out of cellText, kept out of line so that the usual one, a
// cell of a browsed row, stays short enough to inline.
[[noreturn]] void throwFieldNotFound(const std::string& query, std::size_t field)
{
    throw common::Error(query + ": " + common::formatMessage(kFieldNotFound, {"#" + std::to_string(field)}));
}

std::string pendingCellText(const PendingCell& pending, const table::Table& table,
                            const common::RegionalSettings& settings)
{
    return pending.cell.kind == table::CellKind::Text ? pending.text
                                                      : cellText(pending.cell, table.texts(), settings);
}

} // namespace

Query::Query(Connection& connection, std::string name)
    : m_connection(connection), m_name(std::move(name)), m_impl(std::make_unique<Impl>())
{
}

Query::~Query() = default;

void Query::setStatement(const std::string& sql)
{
    m_statement = sql;
}

void Query::open()
{
    if (isOpen())
        return;
    const std::shared_ptr<WorkbookFile> file = m_connection.file();
    if (!file)
        throw common::Error(kConnectionClosed);
    const std::string name = tableNameInStatement(m_statement, m_connection.codePage());
    const std::vector<FileTable> tables = file->tables();
    std::size_t index = 0;
    while (index < tables.size() && !namesTable(name, tables[index], m_connection.codePage()))
        ++index;
    if (index == tables.size())
        throw common::Error(common::formatMessage(kUnknownTable, {name}));
    table::Table* const table = &file->table(index);
    Impl& q = *m_impl;
    q = Impl{};
    q.file = file;
    q.tableIndex = index;
    q.table = table;
    q.order.resize(table->rowCount());
    std::iota(q.order.begin(), q.order.end(), std::size_t{0});
    q.state = State::Browse;
    m_sort.clear();
    first();
}

void Query::close()
{
    *m_impl = Impl{};
    m_sort.clear();
}

bool Query::isOpen() const
{
    return m_impl->isOpen();
}

const std::vector<table::Field>& Query::fields() const
{
    return m_impl->table ? m_impl->table->fields() : kNoFields;
}

std::size_t Query::fieldIndex(std::string_view name) const
{
    return fieldByName(fields(), name, m_connection.codePage(), m_name);
}

std::size_t Query::rowCount() const
{
    return m_impl->order.size();
}

std::size_t Query::currentRow() const
{
    return m_impl->current;
}

bool Query::bof() const
{
    return m_impl->bof;
}

bool Query::eof() const
{
    return m_impl->eof;
}

std::string Query::cellText(std::size_t field) const
{
    return cellText(m_impl->current, field);
}

std::string Query::cellText(std::size_t row, std::size_t field) const
{
    const Impl& q = *m_impl;
    if (!q.isOpen() || row >= q.order.size())
        return {};
    if (field >= q.table->fieldCount())
        throwFieldNotFound(m_name, field);
    if (const PendingCell* pending = q.bufferedCell(row, field))
        return pendingCellText(*pending, *q.table, m_connection.settings());
    if (q.order[row] == kPendingRow)
        return {};
    return q.table->cellText(q.order[row], field, m_connection.settings());
}

void Query::first()
{
    Impl& q = *m_impl;
    checkBrowseMode();
    q.current = 0;
    q.bof = true;
    q.eof = q.order.empty();
}

void Query::last()
{
    Impl& q = *m_impl;
    checkBrowseMode();
    q.current = q.order.empty() ? 0 : q.order.size() - 1;
    q.bof = q.order.empty();
    q.eof = true;
}

void Query::next()
{
    Impl& q = *m_impl;
    checkBrowseMode();
    if (q.current + 1 < q.order.size()) {
        ++q.current;
        q.bof = false;
        q.eof = false;
    } else {
        q.eof = true;
    }
}

void Query::prior()
{
    Impl& q = *m_impl;
    checkBrowseMode();
    if (q.current > 0 && !q.order.empty()) {
        --q.current;
        q.bof = false;
        q.eof = false;
    } else {
        q.bof = true;
    }
}

void Query::moveTo(std::size_t row)
{
    Impl& q = *m_impl;
    checkBrowseMode();
    if (q.order.empty())
        return;
    q.current = std::min(row, q.order.size() - 1);
    q.bof = false;
    q.eof = false;
}

} // namespace workbook
