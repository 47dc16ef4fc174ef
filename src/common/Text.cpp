#include "common/Text.h"

namespace common {

namespace {

// Case folding of one byte of a single-byte code page. Windows-1252 and
// Latin-1 fold their accented letters as well; 0xD7 and 0xF7 (the
// multiplication and division signs) sit among them and are not letters.
unsigned char foldSingleByte(unsigned char byte, int codePage)
{
    if (byte >= 'a' && byte <= 'z')
        return static_cast<unsigned char>(byte - 'a' + 'A');
    if (codePage != 1252 && codePage != 28591)
        return byte;
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)
        return static_cast<unsigned char>(byte - 0x20);
    if (codePage == 1252) {
        switch (byte) {
        case 0x9A:
            return 0x8A; // š
        case 0x9C:
            return 0x8C; // œ
        case 0x9E:
            return 0x8E; // ž
        case 0xFF:
            return 0x9F; // ÿ
        default:
            break;
        }
    }
    return byte;
}

} // namespace

std::size_t textPos(std::string_view pattern, std::string_view text)
{
    if (pattern.empty() || text.empty())
        return 0;
    const std::size_t found = text.find(pattern);
    return found == std::string_view::npos ? 0 : found + 1;
}

std::string textCopy(std::string_view text, long long start, long long count)
{
    if (start < 1)
        start = 1;
    const auto size = static_cast<long long>(text.size());
    if (count <= 0 || start > size)
        return {};
    const long long available = size - start + 1;
    return std::string(text.substr(static_cast<std::size_t>(start - 1),
                                   static_cast<std::size_t>(count < available ? count : available)));
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to,
                       const CodePage& codePage)
{
    if (from.empty())
        return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        // i is always the first byte of a character here.
        if (text.compare(i, from.size(), from) == 0) {
            result.append(to);
            i += from.size();
            continue;
        }
        const bool lead = codePage.isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        result.append(text.substr(i, lead ? 2 : 1));
        i += lead ? 2 : 1;
    }
    return result;
}

std::string_view trimmed(std::string_view text, std::string_view blanks)
{
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string upperAscii(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

bool sameTextIgnoreCase(std::string_view a, std::string_view b, const CodePage& codePage)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (codePage.isLeadByte(x) && i + 1 < a.size()) {
            // A double-byte character compares exactly, trail byte included.
            if (x != y || a[i + 1] != b[i + 1])
                return false;
            ++i;
            continue;
        }
        if (foldSingleByte(x, codePage.number()) != foldSingleByte(y, codePage.number()))
            return false;
    }
    return true;
}

} // namespace common
