// The cell-text rule: general format with 15 significant digits, dates in the
// regional short date format, booleans and error values.
#include "workbook/CellText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct NumberCase {
    double value;
    const char* text;
};

class NumberText : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberText, GivesTheGeneralFormWith15Digits)
{
    EXPECT_EQ(workbook::numberText(GetParam().value, '.'), GetParam().text);
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
    EXPECT_EQ(workbook::numberText(12.5, ','), "12,5");
    EXPECT_EQ(workbook::numberText(0.0001, ','), "0,0001");
    EXPECT_EQ(workbook::numberText(1.5e-7, ','), "1,5E-7");
}

// The quick path must agree with the exact conversion on every value; a
// sweep over many magnitudes and digit patterns compares both.
TEST(NumberText, AgreesWithExactRoundingOverManyValues)
{
    double value = 1.0000001e-4;
    for (int i = 0; i < 200000; ++i) {
        char exact[64];
        std::snprintf(exact, sizeof exact, "%.14e", value);
        const std::string text = workbook::numberText(value, '.');
        // Both must name the same 15-digit decimal.
        EXPECT_EQ(std::stod(text), std::stod(exact)) << text << " vs " << exact;
        value *= 1.000173;
        if (value > 9e14)
            value /= 7.3e18;
    }
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

class DateTimeText : public testing::TestWithParam<DateCase> {};

TEST_P(DateTimeText, FollowsTheShortDateFormatAndAddsTheTime)
{
    const DateCase& c = GetParam();
    EXPECT_EQ(workbook::dateTimeText(c.value, settings(c.format, c.separator)), c.text);
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
    EXPECT_EQ(workbook::dateTimeText(45296.5, s), "2024-1-5 12.00.00");
}

TEST(CellText, BooleansAndErrorValuesHaveFixedTexts)
{
    EXPECT_EQ(workbook::booleanText(true), "True");
    EXPECT_EQ(workbook::booleanText(false), "False");
    const std::pair<std::uint8_t, const char*> errors[] = {
        {0x00, "#NULL!"}, {0x07, "#DIV/0!"}, {0x0F, "#VALUE!"}, {0x17, "#REF!"},
        {0x1D, "#NAME?"}, {0x24, "#NUM!"},   {0x2A, "#N/A"},    {0x99, "#ERR153"}};
    for (const auto& [code, text] : errors)
        EXPECT_EQ(workbook::errorText(code), text);
}

} // namespace
