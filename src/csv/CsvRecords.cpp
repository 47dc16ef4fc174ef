#include "csv/CsvRecords.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "csv/CsvMessages.h"

#include <algorithm>

namespace csv {

namespace {

constexpr std::string_view kFieldEnds = ",\r\n";

} // namespace

bool RecordReader::next()
{
    if (m_pos >= m_text.size())
        return false;
    m_begin = m_pos;
    m_buffer.clear();
    m_ends.clear();
    for (;;) {
        if (m_ends.size() == kMaxFields)
            throw common::Error(common::formatMessage(
                kReasonTooManyFields, {std::to_string(lineAt(m_text, m_begin)), std::to_string(kMaxFields)}));
        if (m_pos < m_text.size() && m_text[m_pos] == '"')
            readQuoted();
        // An unquoted field, or what follows a closing quote, up to the next delimiter.
        const std::size_t stop = std::min(m_text.find_first_of(kFieldEnds, m_pos), m_text.size());
        m_buffer.append(m_text, m_pos, stop - m_pos);
        m_pos = stop;
        m_ends.push_back(m_buffer.size());
        if (m_pos == m_text.size()) {
            m_fieldsEnd = m_pos;
            return true;
        }
        const char delimiter = m_text[m_pos++];
        if (delimiter == ',')
            continue;
        m_fieldsEnd = m_pos - 1;
        if (delimiter == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n')
            ++m_pos;
        return true;
    }
}

void RecordReader::readQuoted()
{
    const std::size_t open = m_pos++;
    for (;;) {
        const std::size_t quote = m_text.find('"', m_pos);
        if (quote == std::string_view::npos)
            throw common::Error(
                common::formatMessage(kReasonOpenQuote, {std::to_string(lineAt(m_text, open))}));
        m_buffer.append(m_text, m_pos, quote - m_pos);
        m_pos = quote + 1;
        if (m_pos < m_text.size() && m_text[m_pos] == '"') {
            m_buffer += '"';
            ++m_pos;
            continue;
        }
        return;
    }
}

std::string_view RecordReader::field(std::size_t index) const
{
    const std::size_t start = index == 0 ? 0 : m_ends[index - 1];
    return std::string_view(m_buffer).substr(start, m_ends[index] - start);
}

LineBreak lineBreakOf(std::string_view text)
{
    RecordReader records(text);
    while (records.next()) {
        const std::string_view lineBreak =
            text.substr(records.fieldsEnd(), records.end() - records.fieldsEnd());
        if (lineBreak == "\n")
            return LineBreak::Lf;
        if (lineBreak == "\r")
            return LineBreak::Cr;
        if (!lineBreak.empty())
            return LineBreak::CrLf;
    }
    return LineBreak::CrLf;
}

std::string_view textOf(LineBreak lineBreak)
{
    switch (lineBreak) {
    case LineBreak::Lf:
        return "\n";
    case LineBreak::Cr:
        return "\r";
    case LineBreak::CrLf:
        break;
    }
    return "\r\n";
}

std::size_t lineAt(std::string_view text, std::size_t position)
{
    std::size_t line = 1;
    const std::string_view before = text.substr(0, position);
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == '\n' || (before[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++line;
    }
    return line;
}

} // namespace csv
