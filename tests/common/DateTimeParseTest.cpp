// The date parse: worked examples under fixed settings and the year 2026, orders, windows, times.
#include "common/DateTimeParse.h"

#include <cmath>
#include <gtest/gtest.h>

using common::RegionalSettings;

namespace {

constexpr int kYear = 2026;

RegionalSettings ymdSettings()
{
    RegionalSettings settings;
    settings.dateSeparator = '/';
    settings.shortDateFormat = "yyyy/m/d";
    settings.timeSeparator = ':';
    settings.decimalSeparator = '.';
    settings.amMarker = "am";
    settings.pmMarker = "pm";
    return settings;
}

double day(int y, int m, int d)
{
    return static_cast<double>(*common::dayNumber(y, m, d));
}

double timeOfDay(int h, int m, int s = 0, int ms = 0)
{
    return (h * 3600000.0 + m * 60000.0 + s * 1000.0 + ms) / 86400000.0;
}

struct ParseCase {
    const char* text;
    std::optional<double> value;
};

void expectParses(const ParseCase* begin, const ParseCase* end, const RegionalSettings& settings)
{
    for (const ParseCase* c = begin; c != end; ++c) {
        const std::optional<double> got = common::parseDateTime(c->text, settings, kYear);
        if (!c->value) {
            EXPECT_FALSE(got.has_value()) << "\"" << c->text << "\" gave " << got.value_or(0);
        } else {
            ASSERT_TRUE(got.has_value()) << "\"" << c->text << "\" failed";
            EXPECT_NEAR(*got, *c->value, 1e-9) << "\"" << c->text << "\"";
        }
    }
}

TEST(DateTimeParse, DayNumbersCountFrom18991230)
{
    EXPECT_EQ(common::dayNumber(1899, 12, 30), 0);
    EXPECT_EQ(common::dayNumber(1970, 1, 1), 25569);
    EXPECT_EQ(common::dayNumber(2008, 1, 15), 39462);
    EXPECT_EQ(common::dayNumber(1899, 12, 29), -1);
    EXPECT_EQ(common::dayNumber(1, 1, 1), -693593);
    EXPECT_EQ(common::dayNumber(9999, 12, 31), 2958465);
    EXPECT_EQ(common::dayNumber(2000, 2, 29), 36585);
    EXPECT_FALSE(common::dayNumber(1900, 2, 29));
    EXPECT_FALSE(common::dayNumber(2024, 2, 30));
    EXPECT_FALSE(common::dayNumber(0, 1, 1));
    EXPECT_FALSE(common::dayNumber(10000, 1, 1));
    EXPECT_FALSE(common::dayNumber(2024, 13, 1));
    EXPECT_FALSE(common::dayNumber(2024, 4, 31));
}

TEST(DateTimeParse, ExamplesWithYearFirstSettings)
{
    const ParseCase cases[] = {
        {"2024/01/05", day(2024, 1, 5)},
        {" 2024 / 01 / 05 ", day(2024, 1, 5)},
        {"2024/1/5/", day(2024, 1, 5)},
        {"24/1/5", day(2024, 1, 5)},
        {"2024/13/05", std::nullopt},
        {"2024/02/30", std::nullopt},
        {"2024/1/5 10:30", day(2024, 1, 5) + timeOfDay(10, 30)},
        {"2024/1/5 10:30xyz", day(2024, 1, 5) + timeOfDay(10, 30)},
        {"2024/1/5xyz", std::nullopt},
        {"1/5", day(kYear, 1, 5)},
        {"12", 0.5},
        {"9:30", timeOfDay(9, 30)},
        {"2024-01-05", std::nullopt},
        {"20240105", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"\t2024/1/5", std::nullopt},
        {"2024/1/", std::nullopt},
        {"1/5/", std::nullopt},
    };
    expectParses(std::begin(cases), std::end(cases), ymdSettings());
}

TEST(DateTimeParse, TwoDigitYearsFallIntoTheWindowAroundTheCurrentYear)
{
    const ParseCase cases[] = {
        {"76/1/1", day(1976, 1, 1)},
        {"99/12/31", day(1999, 12, 31)},
        {"00/1/1", day(2000, 1, 1)},
        {"75/1/1", day(2075, 1, 1)},
        {"08/1/15", day(2008, 1, 15)},
        {"8/1/15", day(2008, 1, 15)},
        // Three digits, even with a leading zero, are taken as they stand.
        {"024/1/5", day(24, 1, 5)},
        {"0024/1/5", day(24, 1, 5)},
        {"100/1/1", day(100, 1, 1)},
        {"0/1/1", day(2000, 1, 1)},
    };
    expectParses(std::begin(cases), std::end(cases), ymdSettings());
}

TEST(DateTimeParse, NumbersStopAtFourSignificantDigits)
{
    const ParseCase cases[] = {
        // "20245" reads 2024, leaving "5" where a separator must come.
        {"20245/1/1", std::nullopt},
        {"00002024/1/5", day(2024, 1, 5)},
        {"2024/0001/05", day(2024, 1, 5)},
    };
    expectParses(std::begin(cases), std::end(cases), ymdSettings());
}

TEST(DateTimeParse, OrderFollowsTheFirstDateLetterOfTheFormat)
{
    RegionalSettings mdy = ymdSettings();
    mdy.shortDateFormat = "M/d/yy";
    RegionalSettings dmy = ymdSettings();
    dmy.shortDateFormat = "dd/MM/yyyy";
    RegionalSettings none = ymdSettings();
    none.shortDateFormat = "";
    EXPECT_EQ(common::parseDateTime("1/5/24", mdy, kYear), day(2024, 1, 5));
    EXPECT_EQ(common::parseDateTime("1/5/24", dmy, kYear), day(2024, 5, 1));
    EXPECT_EQ(common::parseDateTime("1/5/24", none, kYear), day(2024, 1, 5));
    EXPECT_EQ(common::parseDateTime("1/5", dmy, kYear), day(kYear, 5, 1));
    EXPECT_EQ(common::parseDateTime("1/5", mdy, kYear), day(kYear, 1, 5));
    RegionalSettings era = ymdSettings();
    era.shortDateFormat = "ee/M/d";
    EXPECT_EQ(common::parseDateTime("24/1/5", era, kYear), day(2024, 1, 5));
}

TEST(DateTimeParse, TheDateSeparatorComesFromTheSettings)
{
    RegionalSettings dash = ymdSettings();
    dash.dateSeparator = '-';
    EXPECT_FALSE(common::parseDateTime("2024/01/05", dash, kYear));
    EXPECT_EQ(common::parseDateTime("2024-01-05", dash, kYear), day(2024, 1, 5));
    EXPECT_FALSE(common::parseDateTime("2024-01-05", ymdSettings(), kYear));
}

TEST(DateTimeParse, TimeParts)
{
    RegionalSettings settings = ymdSettings();
    settings.amMarker = "\xC9\xCF\xCE\xE7"; // 上午 in GBK
    settings.pmMarker = "\xCF\xC2\xCE\xE7"; // 下午
    const double d = day(2024, 1, 5);
    const ParseCase cases[] = {
        {"2024/1/5 10:30:15", d + timeOfDay(10, 30, 15)},
        {"2024/1/5 10:30:15.5", d + timeOfDay(10, 30, 15, 5)},
        {"2024/1/5 10:30:15.999", d + timeOfDay(10, 30, 15, 999)},
        {"2024/1/5 10:30:15.1234", std::nullopt},
        {"2024/1/5 10:30:15.", std::nullopt},
        {"2024/1/5 10:", std::nullopt},
        {"2024/1/5 24:00", std::nullopt},
        {"2024/1/5 23:60", std::nullopt},
        {"2024/1/5 23:59:60", std::nullopt},
        {"2024/1/5 2:30 pm", d + timeOfDay(14, 30)},
        {"2024/1/5 2:30 PM", d + timeOfDay(14, 30)},
        {"2024/1/5 12:00 am", d},
        {"2024/1/5 12:00 pm", d + 0.5},
        {"2024/1/5 am 9", d + timeOfDay(9, 0)},
        {"2024/1/5 13 pm", std::nullopt},
        {"2024/1/5 0 am", std::nullopt},
        {"2024/1/5 \xCF\xC2\xCE\xE7 3:15", d + timeOfDay(15, 15)},
        {"2024/1/5 3:15\xC9\xCF\xCE\xE7", d + timeOfDay(3, 15)},
        {"pm 1", timeOfDay(13, 0)},
        {"9:30 xyz", std::nullopt},
        {"9 : 30 : 05", timeOfDay(9, 30, 5)},
        {"25", std::nullopt},
    };
    expectParses(std::begin(cases), std::end(cases), settings);
}

TEST(DateTimeParse, TimeIsSubtractedFromDaysBefore18991230)
{
    const std::optional<double> value = common::parseDateTime("1899/12/29 12:00", ymdSettings(), kYear);
    ASSERT_TRUE(value);
    EXPECT_DOUBLE_EQ(*value, -1.5);
}

TEST(DateTimeParse, OtherSeparatorsForTimeAndMilliseconds)
{
    RegionalSettings settings = ymdSettings();
    settings.timeSeparator = '.';
    settings.decimalSeparator = ',';
    EXPECT_EQ(common::parseDateTime("10.30.15,250", settings, kYear), timeOfDay(10, 30, 15, 250));
    EXPECT_FALSE(common::parseDateTime("10:30", settings, kYear));
}

} // namespace
