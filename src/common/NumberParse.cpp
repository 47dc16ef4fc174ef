#include "common/NumberParse.h"

#include "common/Error.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace common {

namespace {

constexpr int kExponentLimit = 500;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The C locale, so that strtold reads "." as the decimal point whatever the
// program's LC_NUMERIC is.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// Rebuilds the accepted text as "[-]digits.digitsE[-]exp" for strtold;
// nothing when the text does not have the accepted form.
std::optional<std::string> canonicalNumber(std::string_view text, char decimalSeparator)
{
    std::size_t pos = 0;
    auto skipSpaces = [&] {
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
    };
    skipSpaces();
    std::string canonical;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        canonical += text[pos++] == '-' ? "-" : "";
    const std::size_t bodyStart = pos;
    std::string mantissa;
    while (pos < text.size() && isDigit(text[pos]))
        mantissa += text[pos++];
    mantissa += '.';
    if (pos < text.size() && text[pos] == decimalSeparator) {
        ++pos;
        while (pos < text.size() && isDigit(text[pos]))
            mantissa += text[pos++];
    }
    if (pos == bodyStart)
        return std::nullopt;
    canonical += '0' + mantissa + '0';
    int exponent = 0;
    bool negativeExponent = false;
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            negativeExponent = text[pos++] == '-';
        while (pos < text.size() && isDigit(text[pos]) && exponent < kExponentLimit)
            exponent = exponent * 10 + (text[pos++] - '0');
    }
    skipSpaces();
    if (pos != text.size())
        return std::nullopt;
    canonical += 'e';
    canonical += negativeExponent ? "-" : "";
    canonical += std::to_string(exponent);
    return canonical;
}

} // namespace

std::optional<float> parseNumber(std::string_view text, const RegionalSettings& settings)
{
    const std::optional<std::string> canonical = canonicalNumber(text, settings.decimalSeparator);
    if (!canonical)
        return std::nullopt;
    errno = 0;
    const long double value = strtold_l(canonical->c_str(), nullptr, cLocale());
    if (errno == ERANGE && std::isinf(value))
        return std::nullopt;
    // Half-way between the largest float and 2^128 already rounds to infinity
    // (ties go to the even mantissa, which is 2^128).
    static const long double kOverflowBound = std::ldexp(1.0L, 128) - std::ldexp(1.0L, 103);
    if (std::fabs(value) >= kOverflowBound)
        throw Error(kFloatingPointOverflow);
    return static_cast<float>(value);
}

} // namespace common
