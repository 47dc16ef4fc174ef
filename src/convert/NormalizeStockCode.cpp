#include "convert/NormalizeStockCode.h"

namespace convert {

std::string NormalizeStockCode(std::string_view cellText)
{
    std::string digits;
    digits.reserve(cellText.size());
    for (char c : cellText) {
        if (c >= '0' && c <= '9')
            digits += c;
    }
    if (digits.starts_with('6'))
        return "SH" + digits;
    if (digits.starts_with("00"))
        return "SZ" + digits;
    return digits;
}

bool hasMarketPrefix(std::string_view code)
{
    return code.starts_with("SH") || code.starts_with("SZ");
}

} // namespace convert
