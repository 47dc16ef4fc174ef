#include "workbook/CellText.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace workbook {

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

// |x| rounded to 15 significant digits: mantissa * 10^(exponent - 14), with
// 10^14 <= mantissa < 10^15.
struct Decimal {
    std::uint64_t mantissa;
    int exponent;
};

// Most cells hold short decimals of moderate size: scale by a power of ten
// (exact up to 10^22) and round. The product is off by at most 1/16, so the
// result is the correctly rounded one unless the product lies near a half;
// those values, and the rest, go the exact way.
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
    if (fraction > 0.375 && fraction < 0.625)
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

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The significant digits of a mantissa, trailing zeros dropped: most cells
// hold few digits, so the zeros go four and two at a time first.
int significantDigits(std::uint64_t mantissa, char* digits)
{
    int count = kSignificantDigits;
    while (mantissa % 10000 == 0) {
        mantissa /= 10000;
        count -= 4;
    }
    if (mantissa % 100 == 0) {
        mantissa /= 100;
        count -= 2;
    }
    if (mantissa % 10 == 0) {
        mantissa /= 10;
        count -= 1;
    }
    int at = count;
    while (at >= 2) {
        const auto pair = static_cast<std::size_t>(mantissa % 100) * 2;
        mantissa /= 100;
        digits[--at] = kDigitPairs[pair + 1];
        digits[--at] = kDigitPairs[pair];
    }
    if (at == 1)
        digits[0] = static_cast<char>('0' + mantissa);
    return count;
}

// Writes the text into a local buffer first: most number texts fit the
// string's inline storage, so the result needs no allocation.
std::string layout(const Decimal& d, bool negative, char decimalSeparator)
{
    char digits[kSignificantDigits];
    const int count = significantDigits(d.mantissa, digits);
    char text[48];
    char* out = text;
    if (negative)
        *out++ = '-';
    if (d.exponent >= -4 && d.exponent < kSignificantDigits) {
        if (d.exponent < 0) {
            *out++ = '0';
            *out++ = decimalSeparator;
            for (int i = 0; i < -d.exponent - 1; ++i)
                *out++ = '0';
            for (int i = 0; i < count; ++i)
                *out++ = digits[i];
            return std::string(text, out);
        }
        const int integerDigits = d.exponent + 1;
        for (int i = 0; i < integerDigits; ++i)
            *out++ = i < count ? digits[i] : '0';
        if (count > integerDigits) {
            *out++ = decimalSeparator;
            for (int i = integerDigits; i < count; ++i)
                *out++ = digits[i];
        }
        return std::string(text, out);
    }
    *out++ = digits[0];
    if (count > 1) {
        *out++ = decimalSeparator;
        for (int i = 1; i < count; ++i)
            *out++ = digits[i];
    }
    *out++ = 'E';
    out = std::to_chars(out, text + sizeof text, d.exponent).ptr;
    return std::string(text, out);
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

std::string cellText(const Cell& cell, const std::vector<std::string>& texts,
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

} // namespace workbook
