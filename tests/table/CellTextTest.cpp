// The cell-text rule: general format with 15 significant digits, dates in the
// regional short date format, booleans and error values; ISO 8601 dates.
#include "table/CellText.h"
#include "table/IsoDateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

struct NumberCase {
    double value;
    const char* text;
};

class NumberText : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberText, GivesTheGeneralFormWith15Digits)
{
    EXPECT_EQ(table::numberText(GetParam().value, '.'), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberText,
    testing::Values(NumberCase{0.0, "0"}, NumberCase{-0.0, "0"}, NumberCase{600000, "600000"},
                    NumberCase{12.5, "12.5"}, NumberCase{0.5, "0.5"}, NumberCase{-2.5, "-2.5"},
                    NumberCase{0.0001, "0.0001"}, NumberCase{0.00001, "1E-5"}, NumberCase{0.000015, "1.5E-5"},
                    NumberCase{1e15, "1E15"}, NumberCase{-1e15, "-1E15"},
                    NumberCase{123456789012345, "123456789012345"}, NumberCase{999999999999999.9, "1E15"},
                    NumberCase{0.00009999999999999999, "0.0001"}, NumberCase{1.0 / 3, "0.333333333333333"},
                    NumberCase{2.0 / 3, "0.666666666666667"}, NumberCase{0.1 + 0.2, "0.3"},
                    NumberCase{12.345, "12.345"}, NumberCase{1.005, "1.005"},
                    NumberCase{123456.7890123456, "123456.789012346"},
                    NumberCase{1.23456789012345678e20, "1.23456789012346E20"}, NumberCase{1e100, "1E100"},
                    NumberCase{-1.5e-300, "-1.5E-300"}, NumberCase{5e-324, "4.94065645841247E-324"},
                    NumberCase{1e21, "1E21"}, NumberCase{100, "100"}, NumberCase{1234567.5, "1234567.5"},
                    // A "half" at the 15th digit is decided by the binary value (here just below it).
                    NumberCase{0.1234567890123455, "0.123456789012345"}, NumberCase{2.5e-5, "2.5E-5"},
                    NumberCase{std::numeric_limits<double>::infinity(), "INF"},
                    NumberCase{-std::numeric_limits<double>::infinity(), "-INF"},
                    NumberCase{std::numeric_limits<double>::quiet_NaN(), "NAN"}));

TEST(NumberText, UsesTheRegionalDecimalSeparatorInBothNotations)
{
    EXPECT_EQ(table::numberText(12.5, ','), "12,5");
    EXPECT_EQ(table::numberText(0.0001, ','), "0,0001");
    EXPECT_EQ(table::numberText(1.5e-7, ','), "1,5E-7");
}

// The quick path must agree with the exact conversion on every value; a
// sweep over many magnitudes and digit patterns compares both.
TEST(NumberText, AgreesWithExactRoundingOverManyValues)
{
    double value = 1.0000001e-4;
    for (int i = 0; i < 200000; ++i) {
        char exact[64];
        std::snprintf(exact, sizeof exact, "%.14e", value);
        const std::string text = table::numberText(value, '.');
        // Both must name the same 15-digit decimal.
        EXPECT_EQ(std::stod(text), std::stod(exact)) << text << " vs " << exact;
        value *= 1.000173;
        if (value > 9e14)
            value /= 7.3e18;
    }
}

// The rule spelled out the slow, obvious way: printf's correctly rounded
// 15-digit scientific form, its trailing zeros dropped, laid out plainly for
// exponents -4 .. 14. The formatter's quick ways must give the same bytes.
std::string referenceNumberText(double value, char separator)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0.0)
        return "0";
    char scientific[64];
    std::snprintf(scientific, sizeof scientific, "%.14e", std::fabs(value));
    std::string digits = std::string(1, scientific[0]) + std::string(scientific + 2, 14);
    const int exponent = std::atoi(scientific + 17);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string text = value < 0 ? "-" : "";
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0)
            return text + "0" + separator + std::string(static_cast<std::size_t>(-exponent - 1), '0') +
                   digits;
        const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerDigits)
            return text + digits + std::string(integerDigits - digits.size(), '0');
        return text + digits.substr(0, integerDigits) + separator + digits.substr(integerDigits);
    }
    text += digits.substr(0, 1);
    if (digits.size() > 1)
        text += separator + digits.substr(1);
    return text + "E" + std::to_string(exponent);
}

// Short decimals (n / 10^k), integers, random bit patterns of every
// magnitude, and the places where the form or the rounding turns: 1E15,
// 1E-4, 1E-5, halves at the 16th digit and their neighbours, negative zero,
// subnormals and the extremes.
std::vector<double> numbersToCompare()
{
    std::mt19937_64 random(20261208);
    std::vector<double> values;
    const auto neighbours = [&values](double centre, int steps) {
        double below = centre;
        double above = centre;
        for (int i = 0; i < steps; ++i) {
            below = std::nextafter(below, -std::numeric_limits<double>::infinity());
            above = std::nextafter(above, std::numeric_limits<double>::infinity());
            values.push_back(below);
            values.push_back(above);
        }
        values.push_back(centre);
    };
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 17);
        const auto whole = static_cast<double>(random() % static_cast<std::uint64_t>(std::pow(10.0, digits)));
        const int decimals = static_cast<int>(random() % 24) - 4;
        const double value = whole / std::pow(10.0, decimals);
        values.push_back(i % 2 == 0 ? value : -value);
    }
    for (std::int64_t n = 999999999999000; n <= 1000000000001000; ++n)
        values.push_back(static_cast<double>(n));
    for (int i = 0; i < 20000; ++i)
        values.push_back(static_cast<double>(random() % 1000000000000000ULL) + 0.5);
    // Near halves at the 16th digit in every decade: the scaled value then
    // carries a rounding error of its own, largest for high mantissas.
    for (int i = 0; i < 20000; ++i) {
        const auto whole = static_cast<double>(100000000000000ULL + random() % 900000000000000ULL);
        const double power = std::pow(10.0, static_cast<int>(random() % 19) + 1);
        const double nearHalf = (whole + 0.5) / power;
        values.push_back(nearHalf);
        values.push_back(std::nextafter(nearHalf, 0.0));
        values.push_back(std::nextafter(nearHalf, 1e300));
    }
    const double turns[] = {1e15,
                            999999999999999.5,
                            1e-4,
                            9.999999999999995e-5,
                            1e-5,
                            9.999999999999995e-6,
                            0.1,
                            1.0,
                            10.0,
                            1e14,
                            1234567890123.125,
                            0.1234567890123455,
                            4503599627370496.0,
                            9007199254740992.0,
                            1e22,
                            1e23};
    for (const double turn : turns) {
        neighbours(turn, 300);
        neighbours(-turn, 30);
    }
    for (int e = -30; e <= 30; ++e)
        neighbours(std::pow(10.0, e), 20);
    neighbours(std::numeric_limits<double>::denorm_min(), 50);
    neighbours(std::numeric_limits<double>::min(), 50);
    neighbours(std::numeric_limits<double>::max(), 50);
    values.push_back(-0.0);
    return values;
}

TEST(NumberText, GivesTheSameBytesAsTheCorrectlyRoundedRuleOverManyValues)
{
    int mismatches = 0;
    for (const double value : numbersToCompare())
        for (const char separator : {'.', ','}) {
            const std::string expected = referenceNumberText(value, separator);
            const std::string text = table::numberText(value, separator);
            if (text != expected && ++mismatches <= 20)
                ADD_FAILURE() << std::hexfloat << value << ": " << text << " instead of " << expected;
        }
    EXPECT_EQ(mismatches, 0);
}

common::RegionalSettings settings(const char* format, char separator)
{
    common::RegionalSettings s;
    s.shortDateFormat = format;
    s.dateSeparator = separator;
    s.timeSeparator = ':';
    return s;
}

struct DateCase {
    double value;
    const char* format;
    char separator;
    const char* text;
};

// Named by what it expects, so that CTest's test names stay the same from run
// to run (the default printer shows the bytes, pointers included).
void PrintTo(const DateCase& c, std::ostream* os)
{
    *os << c.value << ' ' << c.format << " -> " << c.text;
}

class DateTimeText : public testing::TestWithParam<DateCase> {};

TEST_P(DateTimeText, FollowsTheShortDateFormatAndAddsTheTime)
{
    const DateCase& c = GetParam();
    EXPECT_EQ(table::dateTimeText(c.value, settings(c.format, c.separator)), c.text);
}

INSTANTIATE_TEST_SUITE_P(Values, DateTimeText,
                         testing::Values(DateCase{45296, "yyyy-m-d", '-', "2024-1-5"},
                                         DateCase{45296, "yyyy/mm/dd", '-', "2024-01-05"},
                                         DateCase{45296, "m/d/yy", '/', "1/5/24"},
                                         DateCase{45296, "dd/mm/yyyy", '.', "05.01.2024"},
                                         DateCase{45296.4375, "yyyy-m-d", '-', "2024-1-5 10:30:00"},
                                         // A time a hair below the minute still shows that minute.
                                         DateCase{45296.4374999999, "yyyy-m-d", '-', "2024-1-5 10:30:00"},
                                         DateCase{45296.99999999999, "yyyy-m-d", '-', "2024-1-6"},
                                         DateCase{0.75, "yyyy-m-d", '-', "18:00:00"},
                                         DateCase{0, "yyyy-m-d", '-', "1899-12-30"},
                                         DateCase{60, "yyyy-m-d", '-', "1900-2-28"},
                                         DateCase{2958465, "yyyy-m-d", '-', "9999-12-31"}));

TEST(DateTimeText, UsesTheRegionalTimeSeparator)
{
    common::RegionalSettings s = settings("yyyy-m-d", '-');
    s.timeSeparator = '.';
    EXPECT_EQ(table::dateTimeText(45296.5, s), "2024-1-5 12.00.00");
}

TEST(CellText, BooleansAndErrorValuesHaveFixedTexts)
{
    EXPECT_EQ(table::booleanText(true), "True");
    EXPECT_EQ(table::booleanText(false), "False");
    const std::pair<std::uint8_t, const char*> errors[] = {
        {0x00, "#NULL!"}, {0x07, "#DIV/0!"}, {0x0F, "#VALUE!"}, {0x17, "#REF!"},
        {0x1D, "#NAME?"}, {0x24, "#NUM!"},   {0x2A, "#N/A"},    {0x99, "#ERR153"}};
    for (const auto& [code, text] : errors) {
        EXPECT_EQ(table::errorText(code), text);
        if (code != 0x99) {
            EXPECT_EQ(table::errorCodeOf(text), code) << text;
        }
    }
    EXPECT_EQ(table::errorCodeOf("#SPILL!"), 0x0F); // unknown to the system: #VALUE!
}

TEST(IsoDateTime, DatesAndDateTimesAreAbsoluteDays)
{
    double value = 0.0;
    ASSERT_TRUE(table::parseIsoDateTime("2024-01-05", value));
    EXPECT_EQ(value, 45296.0);
    ASSERT_TRUE(table::parseIsoDateTime("2024-01-05T10:30:00.5Z", value));
    EXPECT_DOUBLE_EQ(value, 45296.0 + (10.5 * 3600 + 0.5) / 86400);
    for (const char* bad : {"2024-1-5", "2024-13-01", "2024-01-05T25:00", "2024-01-05 10:30", "x"})
        EXPECT_FALSE(table::parseIsoDateTime(bad, value)) << bad;
}

TEST(IsoDateTime, DurationsAreDays)
{
    const std::pair<const char*, double> durations[] = {
        {"PT10H30M00S", 0.4375}, {"PT010H30M00S", 0.4375}, {"PT36H", 1.5},
        {"-PT6H", -0.25},        {"P1DT12H", 1.5},         {"P0Y0M0DT0H0M43.2S", 0.0005}};
    for (const auto& [text, days] : durations) {
        double value = 0.0;
        ASSERT_TRUE(table::parseIsoDuration(text, value)) << text;
        EXPECT_DOUBLE_EQ(value, days) << text;
    }
    double value = 0.0;
    for (const char* bad :
         {"", "P", "PT", "T10H", "PT10", "PT10X", "P1M", "PT1S2H", "PT1H1H", "PT1.2.3S", "10:30"})
        EXPECT_FALSE(table::parseIsoDuration(bad, value)) << bad;
}

} // namespace
