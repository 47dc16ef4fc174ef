#include "xlswrite/SharedStringsWrite.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/LittleEndian.h"
#include "xls/ReadMessages.h"
#include "xlswrite/ByteWriter.h"

#include <algorithm>

namespace xlswrite {

namespace {

constexpr std::size_t kMaxRecordData = 8224; // BIFF8's limit for one record's data
constexpr std::size_t kMaxBuckets = 128;
constexpr std::uint16_t kExtSst = 0x00FF;

[[noreturn]] void cutShort()
{
    throw common::Error(
        common::formatMessage(xls::kReasonBadRecord, {"its shared strings run past their records"}));
}

// Reads across the SST's pieces. Only characters cut by a record boundary
// start the next piece with a flags byte; everything else simply goes on.
class PieceCursor {
  public:
    explicit PieceCursor(const std::vector<std::string>& pieces) : m_pieces(pieces) {}

    bool atEnd()
    {
        skipEmpty();
        return m_piece >= m_pieces.size();
    }
    std::size_t piece() const { return m_piece; }
    std::size_t offset() const { return m_offset; }
    std::uint8_t u8()
    {
        skipEmpty();
        if (m_piece >= m_pieces.size())
            cutShort();
        return static_cast<std::uint8_t>(m_pieces[m_piece][m_offset++]);
    }
    std::uint16_t u16() { return static_cast<std::uint16_t>(u8() | (u8() << 8)); }
    std::uint32_t u32() { return u16() | (static_cast<std::uint32_t>(u16()) << 16); }
    void skip(std::size_t count)
    {
        for (; count > 0; --count)
            u8();
    }
    std::u16string characters(std::size_t count, bool wide)
    {
        std::u16string text;
        while (text.size() < count) {
            if (m_piece < m_pieces.size() && m_offset == m_pieces[m_piece].size()) {
                nextPiece();
                wide = (u8() & 0x01) != 0;
                continue;
            }
            text.push_back(wide ? u16() : u8());
        }
        return text;
    }

  private:
    void nextPiece()
    {
        ++m_piece;
        m_offset = 0;
        if (m_piece >= m_pieces.size())
            cutShort();
    }
    void skipEmpty()
    {
        while (m_piece < m_pieces.size() && m_offset >= m_pieces[m_piece].size()) {
            ++m_piece;
            m_offset = 0;
        }
    }

    const std::vector<std::string>& m_pieces;
    std::size_t m_piece = 0;
    std::size_t m_offset = 8; // past the two counts
};

} // namespace

SharedStringsWriter::SharedStringsWriter(std::string_view stream, const xls::Record& sst)
{
    if (sst.data.size() < 8)
        cutShort();
    m_pieces.emplace_back(sst.data);
    for (std::size_t at = sst.offset + xls::biff::kRecordHeaderSize + sst.data.size();
         at < sst.continuedEnd;) {
        const std::size_t length = common::readU16(stream, at + 2);
        m_pieces.emplace_back(stream.substr(at + xls::biff::kRecordHeaderSize, length));
        at += xls::biff::kRecordHeaderSize + length;
    }
    m_total = common::readU32(sst.data, 0);
    const std::uint32_t unique = common::readU32(sst.data, 4);
    PieceCursor cursor(m_pieces);
    for (std::uint32_t i = 0; i < unique && !cursor.atEnd(); ++i) {
        m_starts.push_back({cursor.piece(), cursor.offset()});
        const std::uint16_t count = cursor.u16();
        const std::uint8_t flags = cursor.u8();
        const std::uint16_t runs = (flags & 0x08) ? cursor.u16() : 0;
        const std::uint32_t phonetic = (flags & 0x04) ? cursor.u32() : 0;
        std::u16string text = cursor.characters(count, (flags & 0x01) != 0);
        cursor.skip(4 * static_cast<std::size_t>(runs) + phonetic);
        m_index.emplace(std::move(text), i);
    }
}

std::uint32_t SharedStringsWriter::indexOf(std::u16string_view text)
{
    const auto found = m_index.find(std::u16string(text));
    if (found != m_index.end())
        return found->second;
    const auto index = static_cast<std::uint32_t>(m_starts.size());
    append(text);
    m_index.emplace(std::u16string(text), index);
    return index;
}

void SharedStringsWriter::append(std::u16string_view text)
{
    const bool wide = std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; });
    const std::size_t width = wide ? 2 : 1;
    // The count and flags never straddle records: start a CONTINUE when they
    // and a first character do not fit.
    if (m_pieces.back().size() + 3 + width > kMaxRecordData)
        m_pieces.emplace_back();
    m_starts.push_back({m_pieces.size() - 1, m_pieces.back().size()});
    common::appendU16(m_pieces.back(), static_cast<std::uint16_t>(text.size()));
    m_pieces.back().push_back(wide ? 1 : 0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (m_pieces.back().size() + width > kMaxRecordData) {
            m_pieces.emplace_back();
            m_pieces.back().push_back(wide ? 1 : 0);
        }
        if (wide)
            common::appendU16(m_pieces.back(), text[i]);
        else
            m_pieces.back().push_back(static_cast<char>(text[i]));
    }
}

std::string SharedStringsWriter::records() const
{
    std::string first = m_pieces.front();
    common::putU32(first, 0, m_total);
    common::putU32(first, 4, static_cast<std::uint32_t>(m_starts.size()));
    std::string out;
    appendRecord(out, xls::biff::kSst, first);
    for (std::size_t p = 1; p < m_pieces.size(); ++p)
        appendRecord(out, xls::biff::kContinue, m_pieces[p]);
    return out;
}

std::string SharedStringsWriter::extSst(std::size_t sstOffset, std::uint16_t perBucket) const
{
    std::vector<std::size_t> pieceStart; // stream offset of each piece's record header
    std::size_t at = sstOffset;
    for (const std::string& piece : m_pieces) {
        pieceStart.push_back(at);
        at += xls::biff::kRecordHeaderSize + piece.size();
    }
    std::string data;
    common::appendU16(data, perBucket);
    for (std::size_t i = 0; i < m_starts.size(); i += perBucket) {
        const Start& start = m_starts[i];
        const std::size_t inRecord = xls::biff::kRecordHeaderSize + start.offset;
        common::appendU32(data, static_cast<std::uint32_t>(pieceStart[start.piece] + inRecord));
        common::appendU16(data, static_cast<std::uint16_t>(inRecord));
        common::appendU16(data, 0);
    }
    std::string out;
    appendRecord(out, kExtSst, data);
    return out;
}

std::uint16_t stringsPerBucket(std::optional<std::uint16_t> original, std::size_t stringCount)
{
    std::size_t perBucket = original && *original > 0 ? *original : 8;
    if ((stringCount + perBucket - 1) / perBucket > kMaxBuckets)
        perBucket = (stringCount + kMaxBuckets - 1) / kMaxBuckets;
    return static_cast<std::uint16_t>(std::min<std::size_t>(perBucket, 0xFFFF));
}

} // namespace xlswrite
