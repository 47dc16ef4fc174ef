#include "convert/ColumnMapping.h"

namespace convert {

ColumnMapping parseColumnMapping(std::string_view line)
{
    // The separator is plain ASCII and no GBK trail byte is "<", so a byte
    // search cannot split a double-byte character.
    const std::size_t at = line.find(kMappingSeparator);
    if (at == std::string_view::npos)
        return {std::string(), std::string(line)};
    return {std::string(line.substr(0, at)), std::string(line.substr(at + kMappingSeparator.size()))};
}

std::string formatColumnMapping(std::string_view column, std::string_view customDataName)
{
    std::string line(column);
    line += kMappingSeparator;
    line += customDataName;
    return line;
}

} // namespace convert
