#include "convert/QueryRowSource.h"

#include "workbook/FieldLookup.h"
#include "workbook/Query.h"
#include "workbook/WorkbookMessages.h"

namespace convert {

bool QueryRowSource::isOpen() const
{
    return m_query.isOpen();
}

void QueryRowSource::first()
{
    m_query.first();
}

bool QueryRowSource::eof() const
{
    return m_query.eof();
}

void QueryRowSource::next()
{
    m_query.next();
}

std::size_t QueryRowSource::fieldIndex(std::string_view name) const
{
    return m_query.fieldIndex(name);
}

std::string QueryRowSource::cellText(std::size_t field) const
{
    return m_query.cellText(field);
}

RowSnapshot::RowSnapshot(const workbook::Query& query, common::CodePage codePage)
    : m_codePage(codePage), m_queryName(query.name()), m_open(query.isOpen())
{
    if (!m_open)
        return;
    m_fields = query.fields();
    m_rowCount = query.rowCount();
    m_cells.reserve(m_rowCount * m_fields.size());
    for (std::size_t field = 0; field < m_fields.size(); ++field) {
        for (std::size_t row = 0; row < m_rowCount; ++row)
            m_cells.push_back(query.cellText(row, field));
    }
}

void RowSnapshot::next()
{
    if (m_row < m_rowCount)
        ++m_row;
}

std::size_t RowSnapshot::fieldIndex(std::string_view name) const
{
    // The query's own lookup and message, so that a run over the copy reads
    // the same as one over the query.
    return workbook::fieldByName(m_fields, name, m_codePage, m_queryName);
}

std::string RowSnapshot::cellText(std::size_t field) const
{
    if (m_row >= m_rowCount || field >= m_fields.size())
        return std::string();
    return m_cells[field * m_rowCount + m_row];
}

} // namespace convert
