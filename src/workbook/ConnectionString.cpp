#include "workbook/ConnectionString.h"

#include "common/Text.h"

#include <cctype>

namespace workbook {

namespace {

constexpr std::string_view kDataSourceKey = "DATA SOURCE=";

// True when `text` begins with "Key=" (a key of letters, digits, blanks, ":").
bool beginsWithKey(std::string_view text)
{
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text.front())))
        return false;
    for (char c : text) {
        if (c == '=')
            return true;
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != ' ' && c != ':')
            return false;
    }
    return false;
}

} // namespace

std::string connectionStringFor(std::string_view workbookPath)
{
    std::string text = "Provider=Microsoft.Jet.OLEDB.4.0;Mode=ReadWrite;Extended Properties=Excel 8.0;";
    text += "Data Source=";
    text += workbookPath;
    text += ";";
    text += "Persist Security Info=False";
    return text;
}

std::optional<std::string> dataSourceOf(std::string_view connectionString)
{
    const std::string upper = common::upperAscii(connectionString);
    std::size_t key = 0;
    for (;;) {
        key = upper.find(kDataSourceKey, key);
        if (key == std::string::npos)
            return std::nullopt;
        std::size_t before = key;
        while (before > 0 && upper[before - 1] == ' ')
            --before; // "; Data Source=" too
        if (before == 0 || upper[before - 1] == ';')
            break;
        ++key;
    }
    const std::size_t start = key + kDataSourceKey.size();
    std::size_t end = start;
    while ((end = connectionString.find(';', end)) != std::string_view::npos) {
        if (beginsWithKey(connectionString.substr(end + 1)) || end + 1 == connectionString.size())
            break;
        ++end;
    }
    if (end == std::string_view::npos)
        end = connectionString.size();
    return std::string(connectionString.substr(start, end - start));
}

} // namespace workbook
