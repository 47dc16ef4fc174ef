#include "table/CellText.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace table {

namespace {

constexpr int kSignificantDigits = 15;
constexpr std::uint64_t kLowestMantissa = 100000000000000ULL; // 10^14
constexpr std::uint64_t kMantissaLimit = 1000000000000000ULL; // 10^15
constexpr double kPlainLowest = 1e-4;
constexpr double kPlainLimit = 1e15;
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// 10^e for e = -3 .. 15: the upper bounds of the decimal exponents -4 .. 14.
constexpr double kExponentLimits[] = {1e-3, 1e-2, 1e-1, 1e0,  1e1,  1e2,  1e3,  1e4,  1e5, 1e6,
                                      1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// What a string holds without allocating (15 characters in the common
// libraries; where it is less, only speed is lost).
constexpr std::size_t kInlineText = 15;

// A text of `length` characters at `begin`, of which kInlineText can be read:
// a copy whose length is known when compiling is a few moves, while one
// known only when running is a call, which costs as much as the rest of a
// number's text.
std::string numberString(const char* begin, std::size_t length)
{
    // One named result, so that it is built in place of the caller's.
    std::string text(begin, kInlineText);
    if (length > kInlineText)
        text.assign(begin, length);
    else
        text.resize(length);
    return text;
}

// |x| rounded to 15 significant digits: mantissa * 10^(exponent - 14), with
// 10^14 <= mantissa < 10^15.
struct Decimal {
    std::uint64_t mantissa;
    int exponent;
};

// The largest count of decimals the short way tries before it leaves a value
// to the general way: prices and amounts have a few, and a value with many
// (a computed ratio) would cost a try per decimal in vain.
constexpr int kShortDecimalsTried = 4;

// A value whose shortest decimal has at most 15 significant digits: n / 10^k,
// with n < 10^15 and as few decimals k as read back as the same double. Such
// a decimal lies within half a unit in the last binary place of the value,
// far closer than half a step of the 15-digit grid, so it is the value
// rounded to 15 digits: the same text as the general way gives. n and 10^k
// are exact doubles and the quotient is rounded correctly, so the test is
// exact; a wrong guess for n only fails it.
bool shortDecimal(double magnitude, std::uint64_t& digits, int& decimals)
{
    if (!(magnitude >= kPlainLowest && magnitude < kPlainLimit))
        return false;
    for (int k = 0; k <= kShortDecimalsTried; ++k) {
        const double scaled = magnitude * kPowersOfTen[k];
        if (!(scaled < kPlainLimit))
            return false;
        // Signed: one instruction each way, and scaled < 2^50.
        const auto n = static_cast<std::int64_t>(scaled + 0.5);
        if (static_cast<double>(n) / kPowersOfTen[k] == magnitude) {
            digits = static_cast<std::uint64_t>(n);
            decimals = k;
            return true;
        }
    }
    return false;
}

// A short decimal written backwards, to end before `p`: the k decimals
// (leading zeros kept), the separator, then the whole part, at least "0".
// The fewest decimals never end in a zero, so none needs dropping.
template <typename Unsigned>
char* writeShortDecimal(char* p, Unsigned digits, int decimals, char decimalSeparator)
{
    if (decimals > 0) {
        for (int i = 0; i < decimals; ++i) {
            *--p = static_cast<char>('0' + digits % 10);
            digits /= 10;
        }
        *--p = decimalSeparator;
    }
    while (digits >= 100) {
        const auto pair = static_cast<std::size_t>(digits % 100) * 2;
        digits /= 100;
        p -= 2;
        std::memcpy(p, kDigitPairs + pair, 2);
    }
    if (digits >= 10) {
        p -= 2;
        std::memcpy(p, kDigitPairs + static_cast<std::size_t>(digits) * 2, 2);
    } else {
        *--p = static_cast<char>('0' + digits);
    }
    return p;
}

std::string shortDecimalText(std::uint64_t digits, int decimals, bool negative, char decimalSeparator)
{
    // Written backwards to end at `end`; the bytes after it are read, not used.
    char text[48] = {};
    char* const end = text + 32;
    // Most have at most ten digits, and dividing 32 bits by a constant is cheaper.
    char* p = digits <= 0xFFFFFFFFu
                  ? writeShortDecimal(end, static_cast<std::uint32_t>(digits), decimals, decimalSeparator)
                  : writeShortDecimal(end, digits, decimals, decimalSeparator);
    if (negative)
        *--p = '-';
    return numberString(p, static_cast<std::size_t>(end - p));
}

// Values of moderate size: scale by a power of ten (exact up to 10^22) and
// round. The product lies below 2^50, so every integer and half is a double
// there and rounding to the nearest double never carries the product across
// one: a fraction (taken exactly) above or below a half says on which side
// the exact product lies. Only a fraction of exactly a half is undecided (an
// exact half, rounded to even, or a value next to it); it goes, with the
// values out of range, the exact way.
bool quickDecimal(double magnitude, Decimal& out)
{
    if (!(magnitude >= kPlainLowest && magnitude < kPlainLimit))
        return false;
    // The decimal exponent from the binary one (log10(2) ~ 1233 / 4096), then
    // corrected by at most one step against the exact limits.
    const int binary = static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7FF) - 1023;
    int exponent = std::clamp((binary * 1233) >> 12, -4, 14);
    if (exponent > -4 && magnitude < kExponentLimits[exponent + 3])
        --exponent;
    else if (exponent < 14 && magnitude >= kExponentLimits[exponent + 4])
        ++exponent;
    const double scaled = magnitude * kPowersOfTen[kSignificantDigits - 1 - exponent];
    const auto whole = static_cast<std::uint64_t>(scaled); // scaled < 2^50: exact truncation
    const double fraction = scaled - static_cast<double>(whole);
    if (fraction == 0.5)
        return false;
    const std::uint64_t mantissa = whole + (fraction >= 0.5 ? 1 : 0);
    if (mantissa < kLowestMantissa || mantissa >= kMantissaLimit)
        return false;
    out = {mantissa, exponent};
    return true;
}

Decimal exactDecimal(double magnitude)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                                      kSignificantDigits - 1);
    // d.dddddddddddddde[+-]x...
    Decimal out{static_cast<std::uint64_t>(text[0] - '0'), 0};
    const char* p = text + 2;
    for (; *p != 'e'; ++p)
        out.mantissa = out.mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    std::from_chars(p + (p[1] == '+' ? 2 : 1), result.ptr, out.exponent);
    return out;
}

// Eight decimal digits of x < 10^8 in ASCII, the first in the lowest byte:
// the halves, then the pairs, then the digits are split in lanes of one word,
// all lanes at once (x / 100 as x * 10486 >> 20 and x / 10 as x * 103 >> 10,
// both exact in their range).
std::uint64_t eightDigits(std::uint32_t x)
{
    std::uint64_t v = (x / 10000) | (static_cast<std::uint64_t>(x % 10000) << 32);
    const std::uint64_t hundreds = ((v * 10486) >> 20) & 0x0000007F0000007FULL;
    v = hundreds | ((v - hundreds * 100) << 16);
    const std::uint64_t tens = ((v * 103) >> 10) & 0x000F000F000F000FULL;
    v = tens | ((v - tens * 10) << 8);
    return v + 0x3030303030303030ULL;
}

void storeDigits(char* out, std::uint64_t digits)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &digits, sizeof digits);
    } else {
        for (int i = 0; i < 8; ++i)
            out[i] = static_cast<char>(digits >> (8 * i));
    }
}

// The 15 digits of the mantissa at digits[1 .. 15] (digits[0] is a spare
// '0'), followed by '0's up to digits[31] so that the layout can copy whole
// blocks; returns how many are significant, trailing zeros dropped.
int mantissaDigits(std::uint64_t mantissa, char* digits)
{
    constexpr std::uint64_t kZeros = 0x3030303030303030ULL;
    const std::uint64_t high = eightDigits(static_cast<std::uint32_t>(mantissa / 100000000));
    const std::uint64_t low = eightDigits(static_cast<std::uint32_t>(mantissa % 100000000));
    storeDigits(digits, high);
    storeDigits(digits + 8, low);
    std::memset(digits + 16, '0', 16);
    // The last digit lies in the word's highest byte, so trailing zero digits
    // are its leading zero bytes once '0' is taken off every byte.
    if (low != kZeros)
        return kSignificantDigits - std::countl_zero(low - kZeros) / 8;
    return kSignificantDigits - 8 - std::countl_zero(high - kZeros) / 8;
}

// Writes the text into a local buffer first, copying digits in fixed blocks:
// most number texts fit the string's inline storage, so the result needs no
// allocation.
std::string layout(const Decimal& d, bool negative, char decimalSeparator)
{
    char buffer[32];
    const int count = mantissaDigits(d.mantissa, buffer);
    const char* digits = buffer + 1;
    char text[48] = {};
    char* out = text;
    if (negative)
        *out++ = '-';
    if (d.exponent >= -4 && d.exponent < kSignificantDigits) {
        if (d.exponent < 0) {
            // "0," then up to three zeros: the digits land over the zeros not needed.
            out[0] = '0';
            out[1] = decimalSeparator;
            std::memcpy(out + 2, "000", 3);
            std::memcpy(out + 1 - d.exponent, digits, 16);
            return numberString(text, static_cast<std::size_t>(out + 1 - d.exponent + count - text));
        }
        const int integerDigits = d.exponent + 1;
        std::memcpy(out, digits, 16);
        if (count <= integerDigits)
            return numberString(text, static_cast<std::size_t>(out + integerDigits - text));
        out[integerDigits] = decimalSeparator;
        std::memcpy(out + integerDigits + 1, digits + integerDigits, 16);
        return numberString(text, static_cast<std::size_t>(out + count + 1 - text));
    }
    *out++ = digits[0];
    if (count > 1) {
        *out++ = decimalSeparator;
        std::memcpy(out, digits + 1, 16);
        out += count - 1;
    }
    *out++ = 'E';
    out = std::to_chars(out, text + sizeof text, d.exponent).ptr;
    return numberString(text, static_cast<std::size_t>(out - text));
}

struct CivilDate {
    int year;
    unsigned month;
    unsigned day;
};

// Days since 1970-01-01 to a Gregorian date (H. Hinnant's civil_from_days).
CivilDate civilFromDays(long long z)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), m, d};
}

void appendNumber(std::string& text, long long value, int width)
{
    char digits[24];
    std::snprintf(digits, sizeof digits, "%0*lld", width, value);
    text += digits;
}

std::string dateText(const CivilDate& date, const common::RegionalSettings& settings)
{
    std::string text;
    const std::string& format = settings.shortDateFormat;
    for (std::size_t i = 0; i < format.size();) {
        const char c = format[i];
        const char lower = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        std::size_t run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        if (lower == 'y')
            appendNumber(text, run <= 2 ? date.year % 100 : date.year, run <= 2 ? 2 : 4);
        else if (lower == 'm')
            appendNumber(text, date.month, run == 2 ? 2 : 1);
        else if (lower == 'd')
            appendNumber(text, date.day, run == 2 ? 2 : 1);
        else if (c == '/')
            text.append(run, settings.dateSeparator);
        else
            text.append(run, c);
        i += run;
    }
    return text;
}

} // namespace

std::string numberText(double value, char decimalSeparator)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0.0)
        return "0";
    const double magnitude = std::fabs(value);
    std::uint64_t digits;
    int decimals;
    if (shortDecimal(magnitude, digits, decimals))
        return shortDecimalText(digits, decimals, value < 0, decimalSeparator);
    Decimal decimal;
    if (!quickDecimal(magnitude, decimal))
        decimal = exactDecimal(magnitude);
    return layout(decimal, value < 0, decimalSeparator);
}

std::string dateTimeText(double value, const common::RegionalSettings& settings)
{
    if (!std::isfinite(value) || std::fabs(value) > 3e6)
        return numberText(value, settings.decimalSeparator); // beyond the year 9999: no date
    long long day = static_cast<long long>(std::trunc(value));
    long long milliseconds = std::llround(std::fabs(value - static_cast<double>(day)) * 86400000.0);
    if (milliseconds >= 86400000) {
        day += value < 0 ? -1 : 1;
        milliseconds = 0;
    }
    std::string text;
    if (day != 0 || milliseconds == 0)
        text = dateText(civilFromDays(day - 25569), settings);
    if (milliseconds != 0) {
        const long long seconds = milliseconds / 1000;
        if (!text.empty())
            text += ' ';
        appendNumber(text, seconds / 3600, 1);
        text += settings.timeSeparator;
        appendNumber(text, seconds / 60 % 60, 2);
        text += settings.timeSeparator;
        appendNumber(text, seconds % 60, 2);
    }
    return text;
}

std::string booleanText(bool value)
{
    return value ? "True" : "False";
}

std::string errorText(std::uint8_t code)
{
    switch (code) {
    case 0x00:
        return "#NULL!";
    case 0x07:
        return "#DIV/0!";
    case 0x0F:
        return "#VALUE!";
    case 0x17:
        return "#REF!";
    case 0x1D:
        return "#NAME?";
    case 0x24:
        return "#NUM!";
    case 0x2A:
        return "#N/A";
    default:
        return "#ERR" + std::to_string(code);
    }
}

std::uint8_t errorCodeOf(std::string_view text)
{
    static constexpr struct {
        std::string_view text;
        std::uint8_t code;
    } kErrors[] = {{"#NULL!", 0x00}, {"#DIV/0!", 0x07}, {"#VALUE!", 0x0F}, {"#REF!", 0x17},
                   {"#NAME?", 0x1D}, {"#NUM!", 0x24},   {"#N/A", 0x2A},    {"#GETTING_DATA", 0x2B}};
    for (const auto& error : kErrors)
        if (text == error.text)
            return error.code;
    return 0x0F;
}

std::string nonNumberCellText(const Cell& cell, const std::vector<std::string>& texts,
                              const common::RegionalSettings& settings)
{
    switch (cell.kind) {
    case CellKind::Number:
        return numberText(cell.number, settings.decimalSeparator);
    case CellKind::Date:
        return dateTimeText(cell.number, settings);
    case CellKind::Text:
        return cell.text < texts.size() ? texts[cell.text] : std::string();
    case CellKind::Boolean:
        return booleanText(cell.code != 0);
    case CellKind::Error:
        return errorText(cell.code);
    case CellKind::Empty:
        break;
    }
    return {};
}

} // namespace table
