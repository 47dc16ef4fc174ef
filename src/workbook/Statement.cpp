#include "workbook/Statement.h"

#include "common/Error.h"
#include "common/Text.h"
#include "workbook/WorkbookMessages.h"

#include <cctype>

namespace workbook {

namespace {

// What separates the words of a statement.
constexpr std::string_view kBlanks = " \t\r\n";

bool isBlank(char c)
{
    return kBlanks.find(c) != std::string_view::npos;
}

bool isPlainNameByte(unsigned char c)
{
    return c >= 0x80 || std::isalnum(c) || c == '_';
}

std::string_view trimmed(std::string_view text)
{
    return common::trimmed(text, kBlanks);
}

// Removes `keyword` (any case) from the front of `text`; false when it is not there.
bool takeKeyword(std::string_view& text, std::string_view keyword)
{
    if (text.size() < keyword.size() || common::upperAscii(text.substr(0, keyword.size())) != keyword)
        return false;
    text.remove_prefix(keyword.size());
    return true;
}

[[noreturn]] void unsupported()
{
    throw common::Error(kUnsupportedStatement);
}

std::string unquoted(std::string_view name)
{
    if (name.size() < 2 || name.front() != '\'' || name.back() != '\'')
        return std::string(name);
    std::string text;
    const std::string_view inner = name.substr(1, name.size() - 2);
    for (std::size_t i = 0; i < inner.size(); ++i) {
        text += inner[i];
        if (inner[i] == '\'' && i + 1 < inner.size() && inner[i + 1] == '\'')
            ++i;
    }
    return text;
}

} // namespace

std::size_t findSingleByte(std::string_view text, char byte, std::size_t from,
                           const common::CodePage& codePage)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        if (codePage.isLeadByte(static_cast<unsigned char>(text[i])))
            ++i; // the pair is one character
        else if (text[i] == byte)
            return i;
    }
    return std::string_view::npos;
}

std::string tableNameOf(std::string_view sheetName, const common::CodePage& codePage)
{
    bool plain = !sheetName.empty() && !std::isdigit(static_cast<unsigned char>(sheetName.front()));
    for (std::size_t i = 0; i < sheetName.size(); ++i) {
        if (codePage.isLeadByte(static_cast<unsigned char>(sheetName[i])))
            ++i;
        else
            plain = plain && isPlainNameByte(static_cast<unsigned char>(sheetName[i]));
    }
    if (plain)
        return std::string(sheetName) + "$";
    std::string name = "'";
    for (char c : sheetName) {
        name += c;
        if (c == '\'')
            name += '\'';
    }
    return name + "$'";
}

std::string selectAllFrom(std::string_view tableName)
{
    return "SELECT * FROM [" + std::string(tableName) + "]";
}

std::string tableNameInStatement(std::string_view statement, const common::CodePage& codePage)
{
    std::string_view rest = trimmed(statement);
    if (!rest.empty() && rest.back() == ';')
        rest = trimmed(rest.substr(0, rest.size() - 1));
    if (!takeKeyword(rest, "SELECT") || rest.empty() || !isBlank(rest.front()))
        unsupported();
    rest = trimmed(rest);
    if (rest.empty() || rest.front() != '*')
        unsupported();
    rest = trimmed(rest.substr(1));
    if (!takeKeyword(rest, "FROM") || rest.empty())
        unsupported();
    const bool spaced = isBlank(rest.front());
    rest = trimmed(rest);
    if (rest.empty())
        unsupported();
    if (rest.front() == '[') {
        const std::size_t close = findSingleByte(rest, ']', 1, codePage);
        if (close == std::string_view::npos)
            unsupported();
        const std::string_view after = trimmed(rest.substr(close + 1));
        if (findSingleByte(after, ']', 0, codePage) != std::string_view::npos)
            throw common::Error(kBracketInName);
        if (!after.empty() || close == 1)
            unsupported();
        return std::string(rest.substr(1, close - 1));
    }
    if (!spaced)
        unsupported();
    const std::string_view name = rest;
    const bool quoted = name.size() >= 2 && name.front() == '\'' && name.back() == '\'';
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (codePage.isLeadByte(static_cast<unsigned char>(name[i])))
            ++i;
        else if ((isBlank(name[i]) && !quoted) || name[i] == '[' || name[i] == ']')
            unsupported();
    }
    return std::string(name);
}

bool namesSheet(std::string_view writtenName, std::string_view sheetName, const common::CodePage& codePage)
{
    return common::sameTextIgnoreCase(unquoted(writtenName), std::string(sheetName) + "$", codePage);
}

bool namesFile(std::string_view writtenName, std::string_view fileName, const common::CodePage& codePage)
{
    return common::sameTextIgnoreCase(unquoted(writtenName), std::string(fileName), codePage);
}

} // namespace workbook
