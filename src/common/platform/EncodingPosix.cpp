// Code-page conversions through iconv.
#include "common/Encoding.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <map>
#include <utility>

namespace common {

namespace {

constexpr const char* kUtf16 = "UTF-16LE";

// iconv descriptors are costly to open and a workbook converts every cell, so
// each direction is opened once per thread and reset before every use.
class ConverterCache {
  public:
    ~ConverterCache()
    {
        for (auto& entry : m_converters)
            iconv_close(entry.second);
    }
    // (iconv_t)-1 when iconv does not know one of the names.
    iconv_t get(const std::string& from, const std::string& to)
    {
        auto key = std::make_pair(from, to);
        auto it = m_converters.find(key);
        if (it == m_converters.end())
            it = m_converters.emplace(key, iconv_open(to.c_str(), from.c_str())).first;
        if (it->second != reinterpret_cast<iconv_t>(-1))
            iconv(it->second, nullptr, nullptr, nullptr, nullptr);
        return it->second;
    }

  private:
    std::map<std::pair<std::string, std::string>, iconv_t> m_converters;
};

thread_local ConverterCache t_converters;

// How many input bytes to give up on when iconv refuses the character at `in`.
using SkipRule = std::size_t (*)(const char* in, std::size_t left);

std::size_t skipOneByte(const char*, std::size_t)
{
    return 1;
}

std::size_t skipUtf16Unit(const char* in, std::size_t left)
{
    if (left < 2)
        return left;
    const unsigned unit = static_cast<unsigned char>(in[0]) | (static_cast<unsigned char>(in[1]) << 8);
    if (unit >= 0xD800 && unit <= 0xDBFF && left >= 4) {
        const unsigned next = static_cast<unsigned char>(in[2]) | (static_cast<unsigned char>(in[3]) << 8);
        if (next >= 0xDC00 && next <= 0xDFFF)
            return 4;
    }
    return 2;
}

// Converts `input`; every character that cannot be converted (unknown in the
// target, or malformed in the source) becomes `replacement`.
std::string convert(std::string_view input, const std::string& from, const std::string& to,
                    std::string_view replacement, SkipRule skip)
{
    std::string output;
    iconv_t cd = t_converters.get(from, to);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // A code page this iconv does not know: keep its ASCII part, which
        // every code page shares, and let the rest become "?".
        const bool fromIsCodePage = from != kUtf16 && from != "UTF-8";
        if ((fromIsCodePage ? from : to) == "ASCII")
            return std::string(input);
        return fromIsCodePage ? convert(input, "ASCII", to, replacement, skip)
                              : convert(input, from, "ASCII", replacement, skip);
    }
    output.reserve(input.size() * 2 + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (a character cut off at the end).
        const std::size_t skipped = std::min(inLeft, skip(in, inLeft));
        in += skipped;
        inLeft -= skipped;
        output.append(replacement);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &out, &outLeft);
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    return output;
}

} // namespace

std::string utf16ToCodePage(std::u16string_view text, const CodePage& target)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return convert(bytes, kUtf16, target.iconvName(), "?", skipUtf16Unit);
}

std::u16string codePageToUtf16(std::string_view text, const CodePage& source)
{
    const std::string bytes =
        convert(text, source.iconvName(), kUtf16, std::string_view("?\0", 2), skipOneByte);
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                       (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return units;
}

std::string utf8ToCodePage(std::string_view utf8, const CodePage& target)
{
    if (target.number() == 65001)
        return std::string(utf8);
    return convert(utf8, "UTF-8", target.iconvName(), "?", skipOneByte);
}

std::string codePageToUtf8(std::string_view text, const CodePage& source)
{
    if (source.number() == 65001)
        return std::string(text);
    return convert(text, source.iconvName(), "UTF-8", "?", skipOneByte);
}

} // namespace common
