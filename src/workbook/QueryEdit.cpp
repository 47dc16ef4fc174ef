// Edits on the open query: the edit buffer, posting into the table, cancel,
// refresh. A posted row lives in the workbook's table, so every query on the
// same connection and a refresh see it.
#include "workbook/Query.h"

#include "common/DateTimeParse.h"
#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/Text.h"
#include "workbook/Connection.h"
#include "workbook/QueryImpl.h"
#include "workbook/QueryWriteBack.h"
#include "workbook/WorkbookMessages.h"

#include <algorithm>
#include <charconv>
#include <numeric>

namespace workbook {

namespace {

// A number typed in the regional format ("12,5" under a decimal comma).
std::optional<double> parseFloatText(std::string_view text, char decimalSeparator)
{
    std::string plain(common::trimmed(text));
    if (decimalSeparator != '.') {
        if (plain.find('.') != std::string::npos)
            return std::nullopt;
        std::replace(plain.begin(), plain.end(), decimalSeparator, '.');
    }
    if (!plain.empty() && plain.front() == '+')
        plain.erase(0, 1);
    double value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (plain.empty() || result.ec != std::errc() || result.ptr != plain.data() + plain.size())
        return std::nullopt;
    return value;
}

} // namespace

Query::State Query::state() const
{
    return m_impl->state;
}

bool Query::canModify() const
{
    return m_impl->isOpen();
}

bool Query::insertedRowUnchanged() const
{
    return m_impl->state == State::Insert && !m_impl->modified;
}

void Query::edit()
{
    Impl& q = *m_impl;
    if (!q.isOpen())
        throw common::Error(m_name + ": " + kQueryClosed);
    if (q.editing())
        return;
    if (q.order.empty()) {
        insert();
        return;
    }
    q.buffer.assign(q.table->fieldCount(), PendingCell{});
    q.modified = false;
    q.state = State::Edit;
}

void Query::insert()
{
    Impl& q = *m_impl;
    if (!q.isOpen())
        throw common::Error(m_name + ": " + kQueryClosed);
    checkBrowseMode();
    const std::size_t at = std::min(q.current, q.order.size());
    q.order.insert(q.order.begin() + static_cast<std::ptrdiff_t>(at), kPendingRow);
    q.current = at;
    q.buffer.assign(q.table->fieldCount(), PendingCell{});
    q.modified = false;
    q.bof = false;
    q.eof = false;
    q.state = State::Insert;
}

void Query::append()
{
    Impl& q = *m_impl;
    if (!q.isOpen())
        throw common::Error(m_name + ": " + kQueryClosed);
    checkBrowseMode();
    q.current = q.order.size();
    insert();
}

void Query::setCellText(std::size_t field, const std::string& text)
{
    Impl& q = *m_impl;
    if (!q.editing())
        throw common::Error(m_name + ": " + kNotEditing);
    if (field >= q.buffer.size())
        throw common::Error(m_name + ": " +
                            common::formatMessage(kFieldNotFound, {"#" + std::to_string(field)}));
    PendingCell value;
    value.set = true;
    const common::RegionalSettings& settings = m_connection.settings();
    if (!text.empty()) {
        switch (q.table->fields()[field].type) {
        case table::FieldType::Float: {
            const auto number = parseFloatText(text, settings.decimalSeparator);
            if (!number)
                throw common::Error(common::formatMessage(kNotFloat, {text}));
            value.cell = table::Cell::ofNumber(*number);
            break;
        }
        case table::FieldType::DateTime: {
            const auto date = common::parseDateTime(text, settings, m_connection.currentYear());
            if (!date)
                throw common::Error(common::formatMessage(kNotDateTime, {text}));
            value.cell = table::Cell::ofDate(*date);
            break;
        }
        case table::FieldType::Boolean:
            if (common::upperAscii(text) != "TRUE" && common::upperAscii(text) != "FALSE")
                throw common::Error(common::formatMessage(kNotBoolean, {text}));
            value.cell = table::Cell::ofBoolean(common::upperAscii(text) == "TRUE");
            break;
        case table::FieldType::Text:
            value.cell = table::Cell::ofText(0);
            value.text = text;
            break;
        }
    }
    q.buffer[field] = std::move(value);
    q.modified = true;
}

void Query::post()
{
    Impl& q = *m_impl;
    if (!q.editing())
        return;
    std::size_t row = q.order[q.current];
    // The hook into the workbook writer (QueryWriteBack.cpp): the row goes
    // into the workbook file before the table; when the file cannot take it,
    // the edit is cancelled, so the query, the table and the file all keep
    // their old values, and the error goes on to the caller.
    try {
        writePostedRow(m_connection, q.file, q.tableIndex, *q.table,
                       row == kPendingRow ? std::nullopt : std::optional(row), q.buffer);
    } catch (const common::Error&) {
        cancel();
        throw;
    }
    if (row == kPendingRow) {
        row = q.table->appendRow();
        q.order[q.current] = row;
    }
    for (std::size_t field = 0; field < q.buffer.size(); ++field) {
        PendingCell& pending = q.buffer[field];
        if (!pending.set)
            continue;
        if (pending.cell.kind == table::CellKind::Text)
            pending.cell.text = q.table->addText(std::move(pending.text));
        q.table->setCell(row, field, pending.cell);
    }
    q.buffer.clear();
    q.modified = false;
    q.state = State::Browse;
}

void Query::cancel()
{
    Impl& q = *m_impl;
    if (!q.editing())
        return;
    if (q.state == State::Insert) {
        q.order.erase(q.order.begin() + static_cast<std::ptrdiff_t>(q.current));
        if (q.current >= q.order.size())
            q.current = q.order.empty() ? 0 : q.order.size() - 1;
        q.bof = q.order.empty();
        q.eof = q.order.empty();
    }
    q.buffer.clear();
    q.modified = false;
    q.state = State::Browse;
}

void Query::checkBrowseMode()
{
    if (!m_impl->editing())
        return;
    if (m_impl->modified)
        post();
    else
        cancel();
}

void Query::remove()
{
    Impl& q = *m_impl;
    if (!q.isOpen())
        throw common::Error(m_name + ": " + kQueryClosed);
    if (q.state == State::Insert) {
        cancel(); // an inserted row was never stored: dropping it deletes nothing
        return;
    }
    if (q.order.empty())
        throw common::Error(m_name + ": " + kQueryEmpty);
    throw common::Error(kDeleteNotSupported);
}

void Query::refresh()
{
    Impl& q = *m_impl;
    if (!q.isOpen())
        throw common::Error(m_name + ": " + kQueryClosed);
    checkBrowseMode();
    q.order.resize(q.table->rowCount());
    std::iota(q.order.begin(), q.order.end(), std::size_t{0});
    applySortKeys();
    if (q.current >= q.order.size())
        q.current = q.order.empty() ? 0 : q.order.size() - 1;
    q.bof = q.order.empty();
    q.eof = q.order.empty();
}

} // namespace workbook
