#include "common/FloatText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace common {

std::string shortestFloatText(float value)
{
    // std::to_chars without a format counts characters, not digits: it
    // prints -27891492864 (the value's exact integer) where -27891493000
    // reads back as the same float with three digits fewer. The scientific
    // form has the fewest digits; the fixed form is made from those.
    char scientific[32];
    const auto end =
        std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific).ptr;
    const std::string_view text(scientific, static_cast<std::size_t>(end - scientific));
    if (!std::isfinite(value))
        return std::string(text);
    const std::size_t e = text.find('e');
    const bool negative = text.front() == '-';
    std::string digits;
    for (char c : text.substr(0, e))
        if (c >= '0' && c <= '9')
            digits += c;
    const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    // digits d1 d2 ... dn stand for d1.d2...dn x 10^exponent.
    std::string fixed = negative ? "-" : "";
    const int pointAfter = exponent + 1; // digits before the decimal point
    if (pointAfter <= 0) {
        fixed += "0.";
        fixed.append(static_cast<std::size_t>(-pointAfter), '0');
        fixed += digits;
    } else if (static_cast<std::size_t>(pointAfter) >= digits.size()) {
        fixed += digits;
        fixed.append(static_cast<std::size_t>(pointAfter) - digits.size(), '0');
    } else {
        fixed += digits.substr(0, static_cast<std::size_t>(pointAfter));
        fixed += '.';
        fixed += digits.substr(static_cast<std::size_t>(pointAfter));
    }
    if (fixed.size() <= text.size())
        return fixed;
    return std::string(text);
}

} // namespace common
