#include "pages/PreviewGrid.h"

#include "pages/DataSource.h"
#include "workbook/Query.h"

#include <exception>

namespace pages {

std::vector<std::string> PreviewGrid::columns() const
{
    std::vector<std::string> names;
    if (m_source.isActive()) {
        for (const table::Field& field : m_source.query().fields())
            names.push_back(field.name);
    }
    return names;
}

std::size_t PreviewGrid::rows() const
{
    return m_source.isActive() ? m_source.query().rowCount() : 0;
}

std::string PreviewGrid::cellText(std::size_t row, std::size_t column) const
{
    if (!m_source.isActive())
        return {};
    try {
        return m_source.query().cellText(row, column);
    } catch (const std::exception&) {
        return {};
    }
}

bool PreviewGrid::isNumberColumn(std::size_t column) const
{
    if (!m_source.isActive())
        return false;
    const std::vector<table::Field>& fields = m_source.query().fields();
    return column < fields.size() && fields[column].type == table::FieldType::Float;
}

bool PreviewGrid::isEditable() const
{
    return m_source.isActive() && m_source.query().canModify();
}

RowMark PreviewGrid::mark(std::size_t row) const
{
    if (!m_source.isActive())
        return RowMark::None;
    const workbook::Query& query = m_source.query();
    if (query.isEmpty() || row >= query.rowCount() || query.currentRow() != row)
        return RowMark::None;
    switch (query.state()) {
    case workbook::Query::State::Edit:
        return RowMark::Edit;
    case workbook::Query::State::Insert:
        return RowMark::Insert;
    default:
        return RowMark::Current;
    }
}

bool PreviewGrid::setCellText(std::size_t row, std::size_t column, const std::string& text)
{
    if (!isEditable())
        return false;
    return m_source.setCellText(row, column, text);
}

} // namespace pages
