// tarnvale-cli sheets and show, run in-process under fixed settings.
#include "cli/Cli.h"

#include "common/Encoding.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using testing_support::dataPath;

namespace {

class WorkbookCommandsTest : public ::testing::Test {
  protected:
    WorkbookCommandsTest()
    {
        m_context.settings.shortDateFormat = "yyyy-m-d";
        m_context.settings.dateSeparator = '-';
    }
    int run(std::vector<std::string> args)
    {
        m_out.str("");
        m_err.str("");
        args.insert(args.begin(), "tarnvale-cli");
        return cli::runCli(args, m_context);
    }

    std::ostringstream m_out;
    std::ostringstream m_err;
    cli::CliContext m_context{m_out, m_err, common::CodePage(65001), common::RegionalSettings{}, 2026};
};

TEST_F(WorkbookCommandsTest, SheetsPrintsOneTableNamePerLine)
{
    EXPECT_EQ(run({"sheets", dataPath("Mixed.xls")}), 0);
    EXPECT_EQ(m_out.str(), "Sheet1$\n'日线 数据$'\n空表$\n行情$\n");
    EXPECT_EQ(m_err.str(), "");
}

TEST_F(WorkbookCommandsTest, SheetsPrintsTheNamesInTheSystemCodePage)
{
    m_context.codePage = common::CodePage(936);
    EXPECT_EQ(run({"sheets", dataPath("Biff5Cp936.xls")}), 0);
    EXPECT_EQ(m_out.str(),
              "Sheet1$\n'\xC8\xD5\xCF\xDF\x20\xCA\xFD\xBE\xDD$'\n\xBF\xD5\xB1\xED$\n\xD0\xD0\xC7\xE9$\n");
}

TEST_F(WorkbookCommandsTest, ShowPrintsFieldNamesThenEveryRowsCellTexts)
{
    EXPECT_EQ(run({"show", dataPath("Quotes.xls"), "Sheet1$"}), 0);
    EXPECT_EQ(m_out.str(),
              "Code\tClose\tVol\n600000\t10.5\t123456\n000001\t12.25\t7890\n300750\t198.8\t4321\n");
}

// A .csv lists one table named after the file, and shows as the .xls of
// the same data does: LibreOffice's export, behind a byte-order mark, in GBK.
TEST_F(WorkbookCommandsTest, ACsvShowsAsTheXlsOfTheSameData)
{
    struct Case {
        const char* csv;
        const char* xls;
        std::string sheet;
        int codePage;
    };
    const std::string daily = "'日线 数据$'";
    const Case cases[] = {
        {"Quotes.csv", "Quotes.xls", "Sheet1$", 65001}, {"Daily.csv", "Mixed.xls", daily, 65001},
        {"DailyBom.csv", "Mixed.xls", daily, 65001},    {"DailyBom.csv", "Mixed.xls", daily, 936},
        {"DailyGbk.csv", "Mixed.xls", daily, 936},
    };
    for (const Case& c : cases) {
        m_context.codePage = common::CodePage(c.codePage);
        ASSERT_EQ(run({"sheets", dataPath(c.csv)}), 0) << c.csv;
        EXPECT_EQ(m_out.str(), std::string(c.csv) + "\n");
        ASSERT_EQ(run({"show", dataPath(c.xls), common::utf8ToCodePage(c.sheet, m_context.codePage)}), 0);
        const std::string xls = m_out.str();
        ASSERT_EQ(run({"show", dataPath(c.csv), c.csv}), 0) << m_err.str();
        EXPECT_EQ(m_out.str(), xls) << c.csv << " " << c.codePage;
        EXPECT_NE(xls.find('\n'), xls.size() - 1) << "rows expected";
    }
}

TEST_F(WorkbookCommandsTest, ShowGivesFormulaResultsAndSortsOnRequest)
{
    EXPECT_EQ(run({"show", dataPath("GnumericFormulas.xls"), "公式$", "--sort", "Price DESC"}), 0);
    EXPECT_EQ(m_out.str(), "Code\tPrice\tLabel\tDouble\tCheck\tOops\tBlank\tJoined\n"
                           "300750\t198.8\tSZ300750\t397.6\tTrue\t#VALUE!\t\t300750-198.8\n"
                           "600000\t10.5\tSH600000\t21\tTrue\t#DIV/0!\t\t600000-10.5\n"
                           "000001\t9.25\tSZ000001\t18.5\tFalse\t#N/A\t\t000001-9.25\n"
                           "600519\t-3\t中文600519\t-6\tFalse\t#NUM!\t\t600519--3\n");
}

TEST_F(WorkbookCommandsTest, ShowOfAHeaderOnlySheetPrintsTheFieldNames)
{
    EXPECT_EQ(run({"show", dataPath("Mixed.xls"), "空表$"}), 0);
    EXPECT_EQ(m_out.str(), "Code\tClose\n");
}

TEST_F(WorkbookCommandsTest, DataLayerErrorsStopWithTheirMessage)
{
    EXPECT_EQ(run({"show", dataPath("Mixed.xls"), "Nope$"}), 1);
    EXPECT_EQ(m_err.str(), "tarnvale-cli: show: The workbook has no table named 'Nope$'\n");
    EXPECT_EQ(run({"show", dataPath("Mixed.xls"), "'日线 数据$'", "--sort", "收盘 价"}), 1);
    EXPECT_EQ(m_err.str(), "tarnvale-cli: show: Cannot sort by '收盘 价': a field name with spaces must be "
                           "written in brackets\n");
    EXPECT_EQ(m_out.str(), "");
    EXPECT_EQ(run({"sheets", dataPath("Encrypted.xls")}), 1);
    EXPECT_EQ(m_err.str(), "tarnvale-cli: sheets: Cannot open the workbook \"" + dataPath("Encrypted.xls") +
                               "\": it is protected by a password (encrypted workbooks are not supported)\n");
}

TEST_F(WorkbookCommandsTest, MissingArgumentsAreAUsageError)
{
    EXPECT_EQ(run({"show", dataPath("Mixed.xls")}), 2);
    EXPECT_EQ(run({"sheets"}), 2);
}

} // namespace
