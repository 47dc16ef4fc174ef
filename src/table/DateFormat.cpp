#include "table/DateFormat.h"

namespace table {

namespace {

char16_t lower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool isDateLetter(char16_t c)
{
    const char16_t l = lower(c);
    return l == u'y' || l == u'm' || l == u'd' || l == u'h' || l == u's';
}

// [h], [mm], [ss]: elapsed time. Anything else in brackets is a colour, a
// condition or a locale and says nothing about dates.
bool isElapsedBracket(std::u16string_view inside)
{
    if (inside.empty())
        return false;
    const char16_t first = lower(inside[0]);
    if (first != u'h' && first != u'm' && first != u's')
        return false;
    for (char16_t c : inside)
        if (lower(c) != first)
            return false;
    return true;
}

} // namespace

bool isBuiltInDateFormat(std::uint16_t formatIndex)
{
    return (formatIndex >= 14 && formatIndex <= 22) || (formatIndex >= 45 && formatIndex <= 47) ||
           (formatIndex >= 27 && formatIndex <= 36) || (formatIndex >= 50 && formatIndex <= 58);
}

bool isDateFormatCode(std::u16string_view code)
{
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char16_t c = code[i];
        if (c == u';')
            return false; // only the first section decides
        if (c == u'"') {
            const std::size_t close = code.find(u'"', i + 1);
            if (close == std::u16string_view::npos)
                return false;
            i = close;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i; // the next character is shown literally (or is padding)
        } else if (c == u'[') {
            const std::size_t close = code.find(u']', i + 1);
            if (close == std::u16string_view::npos)
                return false;
            if (isElapsedBracket(code.substr(i + 1, close - i - 1)))
                return true;
            i = close;
        } else if (isDateLetter(c)) {
            return true;
        }
    }
    return false;
}

} // namespace table
