// Reading real .xlsx and .xlsm workbooks: the same data as an .xls gives
// the same tables, whichever program wrote it; and the cells that only
// Office Open XML writers store (inline and rich text, formulas without a
// result, built-in date formats, the strict namespaces).
#include "support/WorkbookFixtures.h"
#include "xlsx/Workbook.h"

#include <gtest/gtest.h>

using namespace workbook_testing;
using Rows = std::vector<std::vector<std::string>>;

namespace {

std::unique_ptr<xlsx::Workbook> openXlsx(const std::string& name, const common::CodePage& codePage = kUtf8)
{
    return xlsx::Workbook::read(testing_support::readBytes(testing_support::dataPath(name)), codePage,
                                chineseSettings());
}

struct SameData {
    const char* xlsx;
    const char* xls;
};

class SameDataAsXls : public testing::TestWithParam<SameData> {};

TEST_P(SameDataAsXls, GivesTheSameTablesAsTheXls)
{
    for (const common::CodePage& codePage : {kUtf8, kGbk})
        EXPECT_EQ(viewsOf(openXlsx(GetParam().xlsx, codePage)->sheets()),
                  viewsOf(openFixture(GetParam().xls, codePage)->sheets()));
}

// LibreOffice's files, openpyxl's saving of them (inline texts, Python's
// numbers), the strict form, Info-ZIP's zip64 package.
INSTANTIATE_TEST_SUITE_P(
    Writers, SameDataAsXls,
    testing::Values(SameData{"Mixed.xlsx", "Mixed.xls"}, SameData{"MixedOpenpyxl.xlsx", "Mixed.xls"},
                    SameData{"MixedStrict.xlsx", "Mixed.xls"}, SameData{"Quotes.xlsx", "Quotes.xls"},
                    SameData{"QuotesOpenpyxl.xlsx", "Quotes.xls"}, SameData{"Zip64.xlsx", "Quotes.xls"},
                    SameData{"Dates1904.xlsx", "Dates1904.xls"},
                    SameData{"Dates1904Openpyxl.xlsx", "Dates1904.xls"},
                    SameData{"EmptySheet.xlsx", "EmptySheet.xls"},
                    SameData{"ArrayFormula.xlsx", "ArrayFormula.xls"}, SameData{"Large.xlsx", "Large.xls"}),
    [](const auto& info) {
        const std::string name = info.param.xlsx;
        return name.substr(0, name.find('.'));
    });

TEST(XlsxReader, GnumericsFileGivesGnumericsXlsTables)
{
    // Gnumeric writes 21 digits where LibreOffice writes 15; both show 15.
    EXPECT_EQ(viewsOf(openXlsx("MixedGnumeric.xlsx")->sheets()),
              viewsOf(openFixture("MixedGnumeric.xls")->sheets()));
}

TEST(XlsxReader, OpenpyxlsFormulasWithoutResultsAreEmptyAndSparseRowsAreKept)
{
    const auto book = openXlsx("OpenpyxlCells.xlsx");
    ASSERT_EQ(book->sheets().size(), 1u);
    EXPECT_EQ(tableTexts(*book->sheets()[0].table),
              (Rows{{"Code", "Close", "Day", "Listed", "Double", "Note"},
                    {"600000", "10.5", "2024-1-5", "True", "", "浦发银行"},
                    {"000001", "1E-5", "2024-1-5 10:30:00", "False", "", "平安银行"},
                    {"", "", "", "", "", "#N/A"},
                    {"", "", "", "", "", ""},
                    {"300750", "-2.5", "", "", "", ""}}));
}

TEST(XlsxReader, XlsxWritersRichTextArrayFormulasAndBuiltInDateFormats)
{
    for (const char* name : {"XlsxWriterCells.xlsx", "Macro.xlsm"}) {
        const auto book = openXlsx(name);
        ASSERT_EQ(book->sheets().size(), 1u) << name;
        const table::Table& table = *book->sheets()[0].table;
        EXPECT_EQ(tableTexts(table),
                  (Rows{{"Code", "Close", "Day", "Stamp", "Double", "Note", "Since"},
                        {"600000", "10.5", "2024-1-5", "2024-1-5 10:30:00", "21", "浦发银行", "2024-1-5"},
                        {"000001", "12.25", "1999-12-31", "1900-3-1 0:00:01", "0", "000001", "1999-12-31"}}))
            << name;
        EXPECT_EQ(table.fields()[6].type, table::FieldType::DateTime) << name;
    }
}

TEST(XlsxReader, TextsAreConvertedFromUtf8IntoTheSystemCodePage)
{
    const auto book = openXlsx("Mixed.xlsx", kGbk);
    EXPECT_EQ(book->sheets()[1].name, "\xC8\xD5\xCF\xDF\x20\xCA\xFD\xBE\xDD"); // 日线 数据
    EXPECT_EQ(book->sheets()[0].table->cellText(0, 1, chineseSettings()), "\xC6\xD6\xB7\xA2\xD2\xF8\xD0\xD0");
}

} // namespace
