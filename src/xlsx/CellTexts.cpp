#include "xlsx/CellTexts.h"

#include "common/Encoding.h"

#include <cstdint>

namespace xlsx {

namespace {

constexpr std::string_view kEscapeStart = "_x";
constexpr std::size_t kEscapeLength = 7; // _xHHHH_

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The UTF-16 unit of an escape at `at`, or -1 when none starts there.
long escapeAt(std::string_view text, std::size_t at)
{
    if (text.size() - at < kEscapeLength || text.compare(at, 2, kEscapeStart) != 0 || text[at + 6] != '_')
        return -1;
    long unit = 0;
    for (std::size_t i = at + 2; i < at + 6; ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0)
            return -1;
        unit = unit * 16 + digit;
    }
    return unit;
}

void appendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool isAscii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

std::string unescapeText(std::string_view stored)
{
    std::size_t at = stored.find(kEscapeStart);
    if (at == std::string_view::npos)
        return std::string(stored);
    std::string text(stored.substr(0, at));
    while (at < stored.size()) {
        const long unit = escapeAt(stored, at);
        if (unit < 0) {
            text += stored[at++];
            continue;
        }
        at += kEscapeLength;
        std::uint32_t code = static_cast<std::uint32_t>(unit);
        if (code >= 0xD800 && code <= 0xDBFF) {
            const long low = escapeAt(stored, at);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + static_cast<std::uint32_t>(low - 0xDC00);
                at += kEscapeLength;
            } else {
                code = 0xFFFD;
            }
        } else if (code >= 0xDC00 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        appendUtf8(text, code);
    }
    return text;
}

std::string escapeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto c = static_cast<unsigned char>(text[at]);
        const bool control = c < 0x20 && c != '\t' && c != '\n';
        if (control || (c == '_' && escapeAt(text, at) >= 0)) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += "_x00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
            out += '_';
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string storedTextToCodePage(std::string_view stored, const common::CodePage& codePage)
{
    // Most cell texts (codes, numbers kept as text) are ASCII, which every
    // code page shares.
    if (isAscii(stored) && stored.find(kEscapeStart) == std::string_view::npos)
        return std::string(stored);
    return common::utf8ToCodePage(unescapeText(stored), codePage);
}

} // namespace xlsx
