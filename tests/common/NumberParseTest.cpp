// The number parse: accepted and refused texts, the overflow error, rounding to single precision.
#include "common/NumberParse.h"

#include "common/Error.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using common::RegionalSettings;

namespace {

RegionalSettings withDecimal(char separator)
{
    RegionalSettings settings;
    settings.decimalSeparator = separator;
    return settings;
}

TEST(NumberParse, AcceptedAndRefusedTexts)
{
    const struct {
        const char* text;
        std::optional<float> value;
    } cases[] = {
        {"12.5", 12.5f},
        {"  -0.5  ", -0.5f},
        {"+3", 3.0f},
        {".", 0.0f},
        {"1e", 1.0f},
        {"1e3", 1000.0f},
        {"1E+2", 100.0f},
        {"25e-1", 2.5f},
        {"-.5", -0.5f},
        {"5.", 5.0f},
        {".e3", 0.0f},
        {"1e-", 1.0f},
        {"007", 7.0f},
        {"1,234", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {" ", std::nullopt},
        {"1e5000", std::nullopt},
        {"12\t", std::nullopt},
        {"\t12", std::nullopt},
        {"- 5", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x10", std::nullopt},
        {"1 2", std::nullopt},
        {"12.5.", std::nullopt},
        {"e3", std::nullopt},
        {"$5", std::nullopt},
        {"1e4999", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<float> got = common::parseNumber(c.text, withDecimal('.'));
        EXPECT_EQ(got, c.value) << "\"" << c.text << "\"";
    }
}

TEST(NumberParse, DecimalSeparatorComesFromTheSettings)
{
    EXPECT_FALSE(common::parseNumber("12.5", withDecimal(',')));
    EXPECT_EQ(common::parseNumber("12,5", withDecimal(',')), 12.5f);
}

TEST(NumberParse, ValuesBeyondSinglePrecisionRaiseOverflow)
{
    for (const char* text : {"1e39", "-1e39", "1e499", "340282356779733661637539395458142568448"}) {
        try {
            common::parseNumber(text, withDecimal('.'));
            ADD_FAILURE() << text << " did not overflow";
        } catch (const common::Error& error) {
            EXPECT_STREQ(error.what(), "Floating point overflow") << text;
        }
    }
}

TEST(NumberParse, TheLargestFloatAndValuesRoundingToItAreAccepted)
{
    const float largest = std::numeric_limits<float>::max();
    EXPECT_EQ(common::parseNumber("3.4028234663852886e38", withDecimal('.')), largest);
    // Below half-way between the largest float and 2^128 (3.40282356779...e38).
    EXPECT_EQ(common::parseNumber("3.402823567e38", withDecimal('.')), largest);
}

TEST(NumberParse, TinyValuesBecomeZeroOrDenormalWithoutError)
{
    EXPECT_EQ(common::parseNumber("1e-50", withDecimal('.')), 0.0f);
    const std::optional<float> denormal = common::parseNumber("1e-40", withDecimal('.'));
    ASSERT_TRUE(denormal);
    EXPECT_EQ(std::fpclassify(*denormal), FP_SUBNORMAL);
    EXPECT_EQ(common::parseNumber("1e-499", withDecimal('.')), 0.0f);
}

TEST(NumberParse, ExponentDigitsStopAtFiveHundred)
{
    // 1e0500: digits are taken while the exponent is below 500, so "05" then
    // "0" gives 50... then 500 and nothing is left over.
    EXPECT_EQ(common::parseNumber("1e-0500", withDecimal('.')), 0.0f);
    EXPECT_FALSE(common::parseNumber("1e-5000", withDecimal('.')));
}

TEST(NumberParse, NegativeZeroKeepsItsSign)
{
    const std::optional<float> value = common::parseNumber("-0", withDecimal('.'));
    ASSERT_TRUE(value);
    EXPECT_TRUE(std::signbit(*value));
}

TEST(NumberParse, ManyDigitsAreEvaluatedAsOneNumber)
{
    const std::string text = "0." + std::string(5000, '0') + "1e5001";
    EXPECT_FALSE(common::parseNumber(text, withDecimal('.'))); // exponent digit left over
    const std::string longMantissa = std::string(400, '1') + "e-399";
    const std::optional<float> value = common::parseNumber(longMantissa, withDecimal('.'));
    ASSERT_TRUE(value);
    EXPECT_FLOAT_EQ(*value, 1.1111111f);
    // Extended precision first, then single: 16777217 is half-way between two
    // floats and goes to the even one.
    EXPECT_EQ(common::parseNumber("16777217", withDecimal('.')), 16777216.0f);
    EXPECT_EQ(common::parseNumber("16777219", withDecimal('.')), 16777220.0f);
}

} // namespace
