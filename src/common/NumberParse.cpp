#include "common/NumberParse.h"

#include "common/Error.h"
#include "common/LocaleFreeNumber.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace common {

namespace {

constexpr int kExponentLimit = 500;

// A uint64 holds any 19 decimal digits, and the 64-bit mantissa of long
// double holds that integer and every power of ten up to 10^27 (5^27 < 2^63)
// exactly. Within these bounds the value is one correctly rounded product or
// quotient, which is what the C library's correctly rounded read gives too.
constexpr std::size_t kQuickDigits = 19;
constexpr int kQuickPower = 27;

constexpr std::array<long double, kQuickPower + 1> kPowersOfTen = [] {
    std::array<long double, kQuickPower + 1> powers{};
    long double power = 1.0L;
    for (long double& entry : powers) {
        entry = power;
        power *= 10.0L;
    }
    return powers;
}();

// Half-way between the largest float and 2^128 already rounds to infinity
// (ties go to the even mantissa, which is 2^128): 2^128 - 2^103.
constexpr long double kOverflowBound = 0x1.ffffffp127L;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The parts of an accepted text, as views into it.
struct NumberText {
    bool negative = false;
    std::string_view integerDigits;
    std::string_view fractionDigits;
    bool negativeExponent = false;
    int exponent = 0; // stops growing at kExponentLimit, see scanNumber
    // The digits as an integer, leading zeros skipped, gathered while
    // scanning; valid only while `significant` <= kQuickDigits.
    std::uint64_t mantissa = 0;
    std::size_t significant = 0;
};

// Takes the digits from `pos` on into the number's mantissa; returns the
// position after them.
std::size_t takeDigits(std::string_view text, std::size_t pos, NumberText& number)
{
    for (; pos < text.size(); ++pos) {
        const unsigned digit = static_cast<unsigned char>(text[pos]) - static_cast<unsigned>('0');
        if (digit > 9)
            break;
        if (number.significant == 0 && digit == 0)
            continue;
        if (++number.significant <= kQuickDigits)
            number.mantissa = number.mantissa * 10 + digit;
    }
    return pos;
}

// Accepts "  [+|-]digits[<separator>digits][E|e[+|-]digits]  " with at least
// a digit or the separator in the body; nothing for any other text.
// The parts are filled in place, by reference: no std::optional of them to
// copy on every call.
bool scanNumber(std::string_view text, char decimalSeparator, NumberText& number)
{
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    if (pos == text.size())
        return false;
    if (text[pos] == '+' || text[pos] == '-')
        number.negative = text[pos++] == '-';
    const std::size_t bodyStart = pos;
    pos = takeDigits(text, pos, number);
    number.integerDigits = text.substr(bodyStart, pos - bodyStart);
    if (pos < text.size() && text[pos] == decimalSeparator) {
        const std::size_t fractionStart = ++pos;
        pos = takeDigits(text, pos, number);
        number.fractionDigits = text.substr(fractionStart, pos - fractionStart);
    }
    if (pos == bodyStart)
        return false;
    if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            number.negativeExponent = text[pos++] == '-';
        // A digit left over once the limit is reached makes the text refused.
        while (pos < text.size() && isDigit(text[pos]) && number.exponent < kExponentLimit)
            number.exponent = number.exponent * 10 + (text[pos++] - '0');
    }
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    if (pos != text.size())
        return false;
    return true;
}

// Any accepted text, through the C library on "[-]0digits.digits0e[-]exp";
// nothing when even extended precision overflows.
std::optional<long double> libraryValue(const NumberText& number)
{
    std::string canonical;
    canonical.reserve(number.integerDigits.size() + number.fractionDigits.size() + 16);
    canonical += number.negative ? "-0" : "0";
    canonical.append(number.integerDigits).append(".").append(number.fractionDigits);
    canonical += "0e";
    canonical += number.negativeExponent ? "-" : "";
    canonical += std::to_string(number.exponent);
    return readLongDoubleC(canonical);
}

// The texts most files hold (a few digits, a small exponent) without building
// a string; false when the text is beyond the exact bounds above. Inline and
// by reference: the value then stays in a register on its way to the float.
inline bool quickValue(const NumberText& number, long double& value)
{
    // The bounds hold for the 64-bit mantissa only; where long double is
    // narrower every text goes to the library.
    if constexpr (std::numeric_limits<long double>::digits < 64)
        return false;
    if (number.significant > kQuickDigits)
        return false;
    const long long exponent = (number.negativeExponent ? -number.exponent : number.exponent) -
                               static_cast<long long>(number.fractionDigits.size());
    const long double digits = static_cast<long double>(number.mantissa);
    if (number.mantissa == 0)
        value = digits;
    else if (exponent >= 0 && exponent <= kQuickPower)
        value = digits * kPowersOfTen[static_cast<std::size_t>(exponent)];
    else if (exponent < 0 && exponent >= -kQuickPower)
        value = digits / kPowersOfTen[static_cast<std::size_t>(-exponent)];
    else
        return false;
    if (number.negative)
        value = -value;
    return true;
}

inline std::optional<long double> evaluate(const NumberText& number)
{
    long double value;
    if (quickValue(number, value))
        return value;
    return libraryValue(number);
}

} // namespace

namespace detail {

std::optional<long double> numberValue(std::string_view text, char decimalSeparator)
{
    NumberText number;
    return scanNumber(text, decimalSeparator, number) ? evaluate(number) : std::nullopt;
}

std::optional<long double> quickNumberValue(std::string_view text, char decimalSeparator)
{
    NumberText number;
    long double value;
    if (scanNumber(text, decimalSeparator, number) && quickValue(number, value))
        return value;
    return std::nullopt;
}

std::optional<long double> libraryNumberValue(std::string_view text, char decimalSeparator)
{
    NumberText number;
    return scanNumber(text, decimalSeparator, number) ? libraryValue(number) : std::nullopt;
}

} // namespace detail

std::optional<float> parseNumber(std::string_view text, const RegionalSettings& settings)
{
    NumberText number;
    if (!scanNumber(text, settings.decimalSeparator, number))
        return std::nullopt;
    long double value;
    if (!quickValue(number, value)) {
        const std::optional<long double> slow = libraryValue(number);
        if (!slow)
            return std::nullopt;
        value = *slow;
    }
    if (std::fabs(value) >= kOverflowBound)
        throw Error(kFloatingPointOverflow);
    return static_cast<float>(value);
}

} // namespace common
