// Reading real workbooks: every cell of the LibreOffice and Gnumeric
// fixtures, as field names, field types and cell texts.
#include "support/WorkbookFixtures.h"

#include <gtest/gtest.h>

using namespace workbook_testing;
using table::FieldType;
using Rows = std::vector<std::vector<std::string>>;

namespace {

// Mixed.fods as LibreOffice writes it; Gnumeric differs in one error code.
Rows mixedSheet(const std::string& sqrtOfMinusOne)
{
    return {
        {"Code", "Name", "Close", "Vol", "Day", "Stamp", "Flag", "Mixed", "F9", "Sum", "Up", "Bad", "close"},
        {"600000", "浦发银行", "10.5", "1000000", "2024-1-5", "2024-1-5 10:30:00", "1", "abc", "1",
         "1000010.5", "True", "#DIV/0!", "7"},
        {"000001", "平安银行", "12.25", "0", "2023-12-29", "2023-12-29", "0", "42", "2", "12.25", "True",
         "#N/A", "8"},
        {"300750", "宁德时代", "0.0001", "1E15", "", "1999-12-31 23:59:59", "", "3.5", "3", "1E15", "False",
         sqrtOfMinusOne, "9"},
        {"", "", "", "123456789012345", "1999-12-31", "", "1", "", "4", "123456789012345", "False", "-0.5",
         "10"},
        {"600519", "贵州茅台", "-2.5", "1E-5", "2024-2-29", "2024-2-29 9:15:00", "0", "x", "5", "-2.49999",
         "False", "1.23456789012346E20", "11"},
    };
}

const std::vector<FieldType> kMixedTypes = {
    FieldType::Text,     FieldType::Text,  FieldType::Float, FieldType::Float, FieldType::DateTime,
    FieldType::DateTime, FieldType::Float, FieldType::Text,  FieldType::Float, FieldType::Float,
    FieldType::Boolean,  FieldType::Text,  FieldType::Float};

std::vector<FieldType> typesOf(const table::Table& table)
{
    std::vector<FieldType> types;
    for (const table::Field& field : table.fields())
        types.push_back(field.type);
    return types;
}

std::vector<std::string> sheetNames(const xls::Workbook& book)
{
    std::vector<std::string> names;
    for (const xls::Sheet& sheet : book.sheets())
        names.push_back(sheet.name);
    return names;
}

struct MixedCase {
    const char* fixture;
    int biffVersion;
    const char* sqrtOfMinusOne;
};

class MixedWorkbook : public testing::TestWithParam<MixedCase> {};

TEST_P(MixedWorkbook, ReadsEveryCellOfEverySheet)
{
    const auto book = openFixture(GetParam().fixture);
    EXPECT_EQ(book->biffVersion(), GetParam().biffVersion);
    EXPECT_EQ(sheetNames(*book), (std::vector<std::string>{"Sheet1", "日线 数据", "空表", "行情"}));
    EXPECT_EQ(tableTexts(tableOf(*book, "Sheet1")), mixedSheet(GetParam().sqrtOfMinusOne));
    EXPECT_EQ(typesOf(tableOf(*book, "Sheet1")), kMixedTypes);
    EXPECT_EQ(tableTexts(tableOf(*book, "日线 数据")),
              (Rows{{"代码", "收盘 价"}, {"600000", "10.5"}, {"000001", "9.75"}}));
    // A header-only sheet has its fields and no rows.
    EXPECT_EQ(tableTexts(tableOf(*book, "空表")), (Rows{{"Code", "Close"}}));
    // The used range starts where the values start (here B2), not at A1.
    const table::Table& offset = tableOf(*book, "行情");
    EXPECT_EQ(tableTexts(offset), (Rows{{"代码", "开盘"}, {"600036", "35.2"}}));
    EXPECT_EQ(offset.headerRow(), 1u);
    EXPECT_EQ(offset.firstColumn(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Writers, MixedWorkbook,
                         testing::Values(MixedCase{"Mixed.xls", 8, "#VALUE!"},
                                         MixedCase{"MixedGnumeric.xls", 8, "#NUM!"},
                                         MixedCase{"Biff5Cp936.xls", 5, "#NUM!"}));

TEST(WorkbookReader, Excel95TextComesFromCodePage936IntoTheSystemCodePage)
{
    const auto book = openFixture("Biff5Cp936.xls", kGbk);
    EXPECT_EQ(book->sheets()[1].name, "\xC8\xD5\xCF\xDF\x20\xCA\xFD\xBE\xDD"); // 日线 数据
    EXPECT_EQ(tableOf(*book, "Sheet1").cellText(0, 1, chineseSettings()), "\xC6\xD6\xB7\xA2\xD2\xF8\xD0\xD0");
}

TEST(WorkbookReader, Excel97TextIsConvertedFromUtf16IntoTheSystemCodePage)
{
    const auto book = openFixture("Mixed.xls", kGbk);
    EXPECT_EQ(book->sheets()[1].name, "\xC8\xD5\xCF\xDF\x20\xCA\xFD\xBE\xDD");
    EXPECT_EQ(tableOf(*book, "Sheet1").cellText(0, 1, chineseSettings()), "\xC6\xD6\xB7\xA2\xD2\xF8\xD0\xD0");
}

TEST(WorkbookReader, FormulaResultsOfEveryTypeAreRead)
{
    const auto book = openFixture("GnumericFormulas.xls");
    const table::Table& table = tableOf(*book, "公式");
    EXPECT_EQ(tableTexts(table),
              (Rows{{"Code", "Price", "Label", "Double", "Check", "Oops", "Blank", "Joined"},
                    {"600000", "10.5", "SH600000", "21", "True", "#DIV/0!", "", "600000-10.5"},
                    {"000001", "9.25", "SZ000001", "18.5", "False", "#N/A", "", "000001-9.25"},
                    {"300750", "198.8", "SZ300750", "397.6", "True", "#VALUE!", "", "300750-198.8"},
                    {"600519", "-3", "中文600519", "-6", "False", "#NUM!", "", "600519--3"}}));
    EXPECT_EQ(typesOf(table), (std::vector<FieldType>{FieldType::Text, FieldType::Float, FieldType::Text,
                                                      FieldType::Float, FieldType::Boolean, FieldType::Text,
                                                      FieldType::Text, FieldType::Text}));
}

TEST(WorkbookReader, BooleanAndErrorValuesInPlainCells)
{
    const auto book = openFixture("Booleans.xls");
    const table::Table& table = tableOf(*book, "Flags");
    EXPECT_EQ(tableTexts(table), (Rows{{"Code", "Listed", "Since", "Note"},
                                       {"600000", "True", "1995-1-21", "#N/A"},
                                       {"000001", "False", "1995-1-21 18:00:00", "ok"},
                                       {"300750", "", "1900-1-1 12:00:00", ""}}));
    EXPECT_EQ(typesOf(table), (std::vector<FieldType>{FieldType::Text, FieldType::Boolean,
                                                      FieldType::DateTime, FieldType::Text}));
}

TEST(WorkbookReader, DatesOfThe1904SystemGiveTheSameDays)
{
    const auto book = openFixture("Dates1904.xls");
    EXPECT_EQ(tableTexts(tableOf(*book, "Dates")),
              (Rows{{"Code", "Day"}, {"600000", "2024-1-5"}, {"000001", "1999-12-31 6:00:00"}}));
}

TEST(WorkbookReader, TheLargeSheetHasEveryRowAndColumn)
{
    const auto book = openFixture("Large.xls");
    const table::Table& table = tableOf(*book, "Large");
    ASSERT_EQ(table.rowCount(), 5000u);
    ASSERT_EQ(table.fieldCount(), 30u);
    EXPECT_EQ(table.fields()[0].type, FieldType::Text);
    for (std::size_t f = 1; f < 30; ++f)
        EXPECT_EQ(table.fields()[f].type, FieldType::Float) << f;
    EXPECT_EQ(table.fields()[29].name, "V29");
    EXPECT_EQ(table.cellText(0, 0, chineseSettings()), "600000");
    EXPECT_EQ(table.cellText(1, 0, chineseSettings()), "000002");
    EXPECT_EQ(table.cellText(0, 1, chineseSettings()), "256.01");
    EXPECT_EQ(table.cellText(0, 5, chineseSettings()), "42468542");
    EXPECT_EQ(table.cellText(4999, 0, chineseSettings()), "005000");
}

TEST(WorkbookReader, NumberTextsFollowTheRegionalDecimalSeparator)
{
    common::RegionalSettings comma = chineseSettings();
    comma.decimalSeparator = ',';
    const auto book = openFixture("Mixed.xls", kUtf8, comma);
    const table::Table& table = tableOf(*book, "Sheet1");
    EXPECT_EQ(table.cellText(1, 2, comma), "12,25");
    EXPECT_EQ(table.cellText(4, 11, comma), "1,23456789012346E20");
}

} // namespace
