#include "xls/BiffText.h"

#include "common/Encoding.h"
#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/LittleEndian.h"
#include "xls/ReadMessages.h"

#include <algorithm>

namespace xls {

namespace {

constexpr int kDefaultSource = 1252;

int sourceFromRecord(unsigned value)
{
    switch (value) {
    case 367:
        return 20127; // US-ASCII
    case 0x8000:
        return 10000; // Macintosh Roman
    case 1200:        // UTF-16: only BIFF8 says so, and BIFF8 text carries its own width
    case 0:
        return kDefaultSource;
    default:
        return static_cast<int>(value);
    }
}

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

[[noreturn]] void cutShort(const char* what)
{
    throw common::Error(common::formatMessage(kReasonBadRecord, {std::string(what) + " is cut short"}));
}

std::size_t readCount(std::string_view data, std::size_t& pos, std::size_t countSize, const char* what)
{
    if (pos + countSize > data.size())
        cutShort(what);
    const std::size_t count = countSize == 1 ? common::byteAt(data, pos) : common::readU16(data, pos);
    pos += countSize;
    return count;
}

} // namespace

TextDecoder::TextDecoder(common::CodePage target)
    : m_target(target), m_source(kDefaultSource),
      m_targetIsAscii(target.number() != 1200 && target.number() != 1201)
{
}

void TextDecoder::setSourceCodePage(unsigned codePageRecordValue)
{
    m_source = common::CodePage(sourceFromRecord(codePageRecordValue));
}

std::string TextDecoder::fromUtf16(std::u16string_view text) const
{
    if (m_targetIsAscii && std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; }))
        return std::string(text.begin(), text.end());
    return common::utf16ToCodePage(text, m_target);
}

std::string TextDecoder::fromBytes(std::string_view text) const
{
    if ((m_targetIsAscii && isAscii(text)) || m_source.number() == m_target.number())
        return std::string(text);
    return common::utf16ToCodePage(common::codePageToUtf16(text, m_source), m_target);
}

std::u16string TextDecoder::bytesToUtf16(std::string_view text) const
{
    return common::codePageToUtf16(text, m_source);
}

std::string readUnicodeString(std::string_view data, std::size_t& pos, std::size_t countSize,
                              const TextDecoder& decoder, const char* what)
{
    return decoder.fromUtf16(readUnicodeCharacters(data, pos, countSize, what));
}

std::u16string readUnicodeCharacters(std::string_view data, std::size_t& pos, std::size_t countSize,
                                     const char* what)
{
    const std::size_t count = readCount(data, pos, countSize, what);
    if (pos + 1 > data.size())
        cutShort(what);
    const std::uint8_t flags = common::byteAt(data, pos++);
    std::size_t runs = 0;
    std::size_t phonetic = 0;
    if (flags & 0x08) {
        if (pos + 2 > data.size())
            cutShort(what);
        runs = common::readU16(data, pos);
        pos += 2;
    }
    if (flags & 0x04) {
        if (pos + 4 > data.size())
            cutShort(what);
        phonetic = common::readU32(data, pos);
        pos += 4;
    }
    const bool wide = (flags & 0x01) != 0;
    const std::size_t bytes = count * (wide ? 2 : 1);
    if (pos + bytes > data.size())
        cutShort(what);
    std::u16string text(count, u'\0');
    for (std::size_t i = 0; i < count; ++i)
        text[i] = wide ? static_cast<char16_t>(common::readU16(data, pos + 2 * i))
                       : static_cast<char16_t>(common::byteAt(data, pos + i));
    pos += bytes;
    // Formatting runs and phonetic data trail the characters; cells only need the text.
    pos = std::min(data.size(), pos + 4 * runs + phonetic);
    return text;
}

std::string readByteString(std::string_view data, std::size_t& pos, std::size_t countSize,
                           const TextDecoder& decoder, const char* what)
{
    const std::size_t count = readCount(data, pos, countSize, what);
    if (pos + count > data.size())
        cutShort(what);
    const std::string_view bytes = data.substr(pos, count);
    pos += count;
    return decoder.fromBytes(bytes);
}

} // namespace xls
