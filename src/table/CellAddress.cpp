#include "table/CellAddress.h"

namespace table {

std::string cellAddress(std::uint32_t row, std::uint32_t column)
{
    std::string letters;
    for (std::uint64_t c = std::uint64_t{column} + 1; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(std::uint64_t{row} + 1);
}

} // namespace table
