#include "workbook/SortText.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "common/Text.h"
#include "workbook/Statement.h"
#include "workbook/WorkbookMessages.h"

namespace workbook {

namespace {

// What separates a field name from ASC or DESC, and the keys from the commas.
constexpr std::string_view kBlanks = " \t";

bool isBlank(char c)
{
    return kBlanks.find(c) != std::string_view::npos;
}

std::string_view trimmed(std::string_view text)
{
    return common::trimmed(text, kBlanks);
}

[[noreturn]] void badText(std::string_view whole)
{
    throw common::Error(common::formatMessage(kSortBadText, {whole}));
}

// Splits at the commas outside brackets.
std::vector<std::string_view> splitKeys(std::string_view text, const common::CodePage& codePage)
{
    std::vector<std::string_view> keys;
    bool inBrackets = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (codePage.isLeadByte(static_cast<unsigned char>(text[i])))
            ++i; // a double-byte character: its trail byte may look like "[" or "]"
        else if (text[i] == '[')
            inBrackets = true;
        else if (text[i] == ']')
            inBrackets = false;
        else if (text[i] == ',' && !inBrackets) {
            keys.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (inBrackets)
        badText(text);
    keys.push_back(text.substr(start));
    return keys;
}

SortKey parseKey(std::string_view item, std::string_view whole, const common::CodePage& codePage)
{
    SortKey key;
    std::string_view rest;
    const bool bracketed = !item.empty() && item.front() == '[';
    if (bracketed) {
        const std::size_t close = findSingleByte(item, ']', 1, codePage);
        if (close == std::string_view::npos)
            badText(whole);
        key.field = std::string(item.substr(1, close - 1));
        rest = trimmed(item.substr(close + 1));
    } else {
        std::size_t end = 0;
        while (end < item.size() && !isBlank(item[end]))
            ++end;
        key.field = std::string(item.substr(0, end));
        rest = trimmed(item.substr(end));
    }
    if (key.field.empty())
        badText(whole);
    const std::string direction = common::upperAscii(rest);
    if (direction == "DESC")
        key.descending = true;
    else if (!direction.empty() && direction != "ASC")
        throw common::Error(common::formatMessage(bracketed ? kSortBadText : kSortNameNeedsBrackets,
                                                  {bracketed ? whole : item}));
    return key;
}

} // namespace

std::vector<SortKey> parseSortText(std::string_view text, const common::CodePage& codePage)
{
    std::vector<SortKey> keys;
    if (trimmed(text).empty())
        return keys;
    for (std::string_view item : splitKeys(text, codePage))
        keys.push_back(parseKey(trimmed(item), text, codePage));
    return keys;
}

} // namespace workbook
