#include "xls/BiffRecords.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/LittleEndian.h"
#include "xls/ReadMessages.h"

#include <algorithm>
#include <cstdio>

namespace xls {

std::string describeRecord(std::uint16_t type, std::size_t offset)
{
    char text[64];
    std::snprintf(text, sizeof text, "record 0x%04X at offset %zu", static_cast<unsigned>(type), offset);
    return text;
}

RecordStream::RecordStream(std::string_view stream, std::size_t start) : m_stream(stream), m_position(start)
{
}

bool RecordStream::next(Record& record)
{
    if (m_position + biff::kRecordHeaderSize > m_stream.size())
        return false;
    const std::uint16_t type = common::readU16(m_stream, m_position);
    const std::size_t length = common::readU16(m_stream, m_position + 2);
    const std::size_t body = m_position + biff::kRecordHeaderSize;
    if (body + length > m_stream.size())
        throw common::Error(common::formatMessage(
            kReasonBadRecord, {describeRecord(type, m_position) + " runs past the stream's end"}));
    record.type = type;
    record.offset = m_position;
    record.data = m_stream.substr(body, length);
    m_position = body + length;
    while (m_position + biff::kRecordHeaderSize <= m_stream.size() &&
           common::readU16(m_stream, m_position) == biff::kContinue) {
        const std::size_t more = common::readU16(m_stream, m_position + 2);
        if (m_position + biff::kRecordHeaderSize + more > m_stream.size())
            throw common::Error(common::formatMessage(
                kReasonBadRecord,
                {describeRecord(biff::kContinue, m_position) + " runs past the stream's end"}));
        m_position += biff::kRecordHeaderSize + more;
    }
    record.continuedEnd = m_position;
    return true;
}

ContinuedReader::ContinuedReader(std::string_view stream, const Record& record)
    : m_stream(stream), m_type(record.type), m_piece(record.data),
      m_nextOffset(record.offset + biff::kRecordHeaderSize + record.data.size()), m_end(record.continuedEnd)
{
}

void ContinuedReader::pastEnd() const
{
    char text[80];
    std::snprintf(text, sizeof text, "the data of a record 0x%04X is cut short",
                  static_cast<unsigned>(m_type));
    throw common::Error(common::formatMessage(kReasonBadRecord, {text}));
}

bool ContinuedReader::nextPiece()
{
    if (m_nextOffset + biff::kRecordHeaderSize > m_end)
        return false;
    const std::size_t length = common::readU16(m_stream, m_nextOffset + 2);
    m_piece = m_stream.substr(m_nextOffset + biff::kRecordHeaderSize, length);
    m_nextOffset += biff::kRecordHeaderSize + length;
    return true;
}

std::uint8_t ContinuedReader::u8()
{
    while (m_piece.empty())
        if (!nextPiece())
            pastEnd();
    const std::uint8_t value = common::byteAt(m_piece, 0);
    m_piece.remove_prefix(1);
    return value;
}

std::uint16_t ContinuedReader::u16()
{
    if (m_piece.size() >= 2) {
        const std::uint16_t value = common::readU16(m_piece, 0);
        m_piece.remove_prefix(2);
        return value;
    }
    const std::uint16_t low = u8();
    return static_cast<std::uint16_t>(low | (u8() << 8));
}

std::uint32_t ContinuedReader::u32()
{
    const std::uint32_t low = u16();
    return low | (static_cast<std::uint32_t>(u16()) << 16);
}

void ContinuedReader::skip(std::size_t count)
{
    while (count > 0) {
        while (m_piece.empty())
            if (!nextPiece())
                pastEnd();
        const std::size_t take = std::min(count, m_piece.size());
        m_piece.remove_prefix(take);
        count -= take;
    }
}

std::u16string ContinuedReader::characters(std::size_t count, bool wide)
{
    std::u16string text;
    text.reserve(std::min(count, remaining()));
    while (text.size() < count) {
        if (m_piece.empty()) {
            if (!nextPiece() || m_piece.empty())
                pastEnd();
            wide = (common::byteAt(m_piece, 0) & 0x01) != 0;
            m_piece.remove_prefix(1);
            continue;
        }
        const std::size_t width = wide ? 2 : 1;
        const std::size_t take = std::min(count - text.size(), m_piece.size() / width);
        if (take == 0)
            pastEnd(); // half a 16-bit character before the cut
        for (std::size_t i = 0; i < take; ++i)
            text.push_back(wide ? static_cast<char16_t>(common::readU16(m_piece, 2 * i))
                                : static_cast<char16_t>(common::byteAt(m_piece, i)));
        m_piece.remove_prefix(take * width);
    }
    return text;
}

std::size_t ContinuedReader::remaining() const
{
    return m_piece.size() + (m_end > m_nextOffset ? m_end - m_nextOffset : 0);
}

} // namespace xls
