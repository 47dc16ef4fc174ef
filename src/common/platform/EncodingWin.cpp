// Code-page conversions through MultiByteToWideChar and WideCharToMultiByte.
// A text converts in one call when every character converts; otherwise it
// is done again a character at a time, so that each character that cannot
// be converted becomes one "?", as the POSIX conversions give it.
#include "common/Encoding.h"

#include "common/platform/WinApi.h"

#include <algorithm>

namespace common {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 is the system's wide text");

constexpr UINT kUtf8 = CP_UTF8;

bool isUsable(UINT codePage)
{
    return codePage == kUtf8 || IsValidCodePage(codePage);
}

// The length of the character that starts at `index`, as the source's rules
// say (a lead byte and its trail byte; a UTF-8 sequence); the caller checks it.
std::size_t characterLength(std::string_view text, std::size_t index, UINT codePage, const CodePage& rules)
{
    const auto byte = static_cast<unsigned char>(text[index]);
    std::size_t length = 1;
    if (codePage == kUtf8)
        length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    else if (rules.isLeadByte(byte))
        length = 2;
    return std::min(length, text.size() - index);
}

// The characters of `text` as UTF-16 units; false when one does not convert.
bool decode(std::string_view text, UINT codePage, std::u16string& units)
{
    const int size = static_cast<int>(text.size());
    // A few code pages (50220, 65000, ...) take no flags at all, and so
    // cannot tell a malformed byte.
    DWORD flags = MB_ERR_INVALID_CHARS;
    int needed = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    if (needed <= 0 && GetLastError() == ERROR_INVALID_FLAGS) {
        flags = 0;
        needed = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
    }
    if (needed <= 0)
        return false;
    const std::size_t start = units.size();
    units.resize(start + static_cast<std::size_t>(needed));
    MultiByteToWideChar(codePage, flags, text.data(), size, reinterpret_cast<wchar_t*>(units.data() + start),
                        needed);
    return true;
}

std::u16string toUtf16(std::string_view text, UINT codePage, const CodePage& rules)
{
    std::u16string units;
    if (text.empty())
        return units;
    if (!isUsable(codePage)) {
        // A code page the system does not have: its ASCII part, which every
        // code page shares, and "?" for the rest.
        for (char c : text)
            units += static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c) : u'?';
        return units;
    }
    units.reserve(text.size());
    if (decode(text, codePage, units))
        return units;
    units.clear();
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = characterLength(text, i, codePage, rules);
        if (decode(text.substr(i, length), codePage, units)) {
            i += length;
        } else {
            units += u'?';
            ++i;
        }
    }
    return units;
}

// The units as characters of the code page; false when one has no
// character there (or is half a surrogate pair).
bool encode(std::u16string_view units, UINT codePage, std::string& bytes)
{
    const auto* wide = reinterpret_cast<const wchar_t*>(units.data());
    const int size = static_cast<int>(units.size());
    // UTF-8 knows no default character; the others must not fall back on a
    // look-alike ("best fit") where they have no character.
    DWORD flags = codePage == kUtf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultFlag = codePage == kUtf8 ? nullptr : &usedDefault;
    int needed = WideCharToMultiByte(codePage, flags, wide, size, nullptr, 0, nullptr, usedDefaultFlag);
    if (needed <= 0 && GetLastError() == ERROR_INVALID_FLAGS) {
        // GB18030, 50220, ...: no flags, and no word on a default character.
        flags = 0;
        usedDefaultFlag = nullptr;
        needed = WideCharToMultiByte(codePage, flags, wide, size, nullptr, 0, nullptr, nullptr);
    }
    if (needed <= 0 || usedDefault)
        return false;
    const std::size_t start = bytes.size();
    bytes.resize(start + static_cast<std::size_t>(needed));
    WideCharToMultiByte(codePage, flags, wide, size, bytes.data() + start, needed, nullptr, nullptr);
    return true;
}

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::string fromUtf16(std::u16string_view units, UINT codePage)
{
    std::string bytes;
    if (units.empty())
        return bytes;
    if (!isUsable(codePage)) {
        for (char16_t unit : units)
            bytes += unit < 0x80 ? static_cast<char>(unit) : '?';
        return bytes;
    }
    bytes.reserve(units.size() * 2);
    if (encode(units, codePage, bytes))
        return bytes;
    bytes.clear();
    for (std::size_t i = 0; i < units.size();) {
        // A surrogate pair is one character.
        const std::size_t length =
            isHighSurrogate(units[i]) && i + 1 < units.size() && isLowSurrogate(units[i + 1]) ? 2 : 1;
        if (!encode(units.substr(i, length), codePage, bytes))
            bytes += '?';
        i += length;
    }
    return bytes;
}

UINT windowsNumber(const CodePage& codePage)
{
    return static_cast<UINT>(codePage.number());
}

} // namespace

std::string utf16ToCodePage(std::u16string_view text, const CodePage& target)
{
    return fromUtf16(text, windowsNumber(target));
}

std::u16string codePageToUtf16(std::string_view text, const CodePage& source)
{
    return toUtf16(text, windowsNumber(source), source);
}

std::string utf8ToCodePage(std::string_view utf8, const CodePage& target)
{
    if (target.number() == 65001)
        return std::string(utf8);
    static const CodePage utf8Rules(65001);
    return fromUtf16(toUtf16(utf8, kUtf8, utf8Rules), windowsNumber(target));
}

std::string codePageToUtf8(std::string_view text, const CodePage& source)
{
    if (source.number() == 65001)
        return std::string(text);
    return fromUtf16(toUtf16(text, windowsNumber(source), source), kUtf8);
}

} // namespace common
