// Table names, the statement, the connection string and the sort text.
#include "workbook/Statement.h"
#include "common/Error.h"
#include "support/TestSupport.h"
#include "workbook/ConnectionString.h"
#include "workbook/SortText.h"

#include <gtest/gtest.h>

using testing_support::errorOf;

namespace {

const common::CodePage kUtf8{65001};

TEST(TableName, QuotesNamesThatAnUnbracketedNameCannotHold)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Sheet1", "Sheet1$"}, {"日线", "日线$"}, {"日线 数据", "'日线 数据$'"}, {"my_data", "my_data$"},
        {"2024", "'2024$'"},   {"a-b", "'a-b$'"}, {"it's", "'it''s$'"},          {"", "'$'"}};
    for (const auto& [sheet, table] : cases)
        EXPECT_EQ(workbook::tableNameOf(sheet, kUtf8), table) << sheet;
}

TEST(Statement, TakesSelectStarFromABracketedOrPlainName)
{
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT * FROM [Sheet1$]", "Sheet1$"},
        {"select * from [Sheet1$]", "Sheet1$"},
        {"  SELECT\t*\r\nFROM   [日线 数据$] ;", "日线 数据$"},
        {"SELECT * FROM ['日线 数据$']", "'日线 数据$'"},
        {"SELECT *FROM[Sheet1$]", "Sheet1$"},
        {"SELECT * FROM Sheet1$", "Sheet1$"},
        {"SELECT * FROM '日线 数据$'", "'日线 数据$'"},
    };
    for (const auto& [statement, name] : cases)
        EXPECT_EQ(workbook::tableNameInStatement(statement, kUtf8), name) << statement;
}

TEST(Statement, RefusesEveryOtherStatementWithAClearMessage)
{
    const char* unsupported[] = {"",
                                 "SELECT Code FROM [Sheet1$]",
                                 "SELECT * FROM",
                                 "SELECT * FROM []",
                                 "SELECT * FROM [Sheet1$",
                                 "SELECT * FROM [Sheet1$] WHERE Code = 1",
                                 "SELECT * FROM 日线 数据$",
                                 "DELETE * FROM [Sheet1$]",
                                 "SELECT * FROMSheet1$",
                                 "SELECT* FROM [Sheet1$]"};
    for (const char* statement : unsupported)
        EXPECT_EQ(errorOf([&] { workbook::tableNameInStatement(statement, kUtf8); }),
                  "Only statements of the form SELECT * FROM [table] can be run on a workbook")
            << statement;
    EXPECT_EQ(errorOf([] { workbook::tableNameInStatement("SELECT * FROM [a]b$]", kUtf8); }),
              "A table name may not contain the character \"]\"");
}

// GBK characters whose trail byte is "[" (癧, B0 5B), "]" (癩, B0 5D) or
// "\" (誠, D5 5C) are letters of a name, never brackets.
TEST(Statement, TrailBytesOfDoubleByteCharactersAreNeverBrackets)
{
    const common::CodePage gbk(936);
    EXPECT_EQ(workbook::tableNameOf("\xB0\x5D\xD5\x5C", gbk), "\xB0\x5D\xD5\x5C$");
    EXPECT_EQ(workbook::tableNameInStatement("SELECT * FROM [\xB0\x5D\xB0\x5B$]", gbk), "\xB0\x5D\xB0\x5B$");
    EXPECT_EQ(workbook::tableNameInStatement("SELECT * FROM \xB0\x5D$", gbk), "\xB0\x5D$");
    const std::vector<workbook::SortKey> keys = workbook::parseSortText("[\xB0\x5D \xB0\x5B] DESC", gbk);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].field, "\xB0\x5D \xB0\x5B");
    EXPECT_TRUE(keys[0].descending);
}

TEST(Statement, MatchesSheetsWithoutRegardToCaseAndQuotes)
{
    EXPECT_TRUE(workbook::namesSheet("Sheet1$", "Sheet1", kUtf8));
    EXPECT_TRUE(workbook::namesSheet("SHEET1$", "Sheet1", kUtf8));
    EXPECT_TRUE(workbook::namesSheet("'日线 数据$'", "日线 数据", kUtf8));
    EXPECT_TRUE(workbook::namesSheet("日线 数据$", "日线 数据", kUtf8));
    EXPECT_TRUE(workbook::namesSheet("'it''s$'", "it's", kUtf8));
    EXPECT_FALSE(workbook::namesSheet("Sheet1", "Sheet1", kUtf8));
    EXPECT_FALSE(workbook::namesSheet("Sheet2$", "Sheet1", kUtf8));
}

TEST(ConnectionString, TheDataSourceIsThePathAsWritten)
{
    const std::string path = "/home/用户/行情 2024.xls";
    const std::string text = workbook::connectionStringFor(path);
    EXPECT_EQ(text,
              "Provider=Microsoft.Jet.OLEDB.4.0;Mode=ReadWrite;Extended Properties=Excel 8.0;Data Source=" +
                  path + ";Persist Security Info=False");
    EXPECT_EQ(workbook::dataSourceOf(text), path);
}

TEST(ConnectionString, APathHoldingASemicolonIsKeptWhole)
{
    EXPECT_EQ(workbook::dataSourceOf(workbook::connectionStringFor("/data/a;b.xls")), "/data/a;b.xls");
    EXPECT_EQ(workbook::dataSourceOf("data source=/x.xls"), "/x.xls");
    EXPECT_EQ(workbook::dataSourceOf("Provider=X;Mode=ReadWrite"), std::nullopt);
    EXPECT_EQ(workbook::dataSourceOf("Old Data Source=/x.xls"), std::nullopt);
}

std::vector<std::pair<std::string, bool>> keysOf(const std::string& text)
{
    std::vector<std::pair<std::string, bool>> keys;
    for (const workbook::SortKey& key : workbook::parseSortText(text, kUtf8))
        keys.emplace_back(key.field, key.descending);
    return keys;
}

TEST(SortText, ReadsNamesDirectionsAndLists)
{
    using Keys = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(keysOf(""), Keys{});
    EXPECT_EQ(keysOf("   "), Keys{});
    EXPECT_EQ(keysOf("Close"), (Keys{{"Close", false}}));
    EXPECT_EQ(keysOf("收盘"), (Keys{{"收盘", false}}));
    EXPECT_EQ(keysOf("Close desc"), (Keys{{"Close", true}}));
    EXPECT_EQ(keysOf("Close ASC, Vol DESC"), (Keys{{"Close", false}, {"Vol", true}}));
    EXPECT_EQ(keysOf("[收盘 价] DESC,Code"), (Keys{{"收盘 价", true}, {"Code", false}}));
    EXPECT_EQ(keysOf("[a,b]"), (Keys{{"a,b", false}}));
}

TEST(SortText, RefusesWhatTheSyntaxCannotTake)
{
    EXPECT_EQ(errorOf([] { workbook::parseSortText("收盘 价", kUtf8); }),
              "Cannot sort by '收盘 价': a field name with spaces must be written in brackets");
    EXPECT_EQ(errorOf([] { workbook::parseSortText("Close DESC, Vol up", kUtf8); }),
              "Cannot sort by 'Vol up': a field name with spaces must be written in brackets");
    EXPECT_EQ(errorOf([] { workbook::parseSortText("Close,", kUtf8); }),
              "The sort text 'Close,' cannot be read");
    EXPECT_EQ(errorOf([] { workbook::parseSortText("[Close", kUtf8); }),
              "The sort text '[Close' cannot be read");
    EXPECT_EQ(errorOf([] { workbook::parseSortText("[] DESC", kUtf8); }),
              "The sort text '[] DESC' cannot be read");
    EXPECT_EQ(errorOf([] { workbook::parseSortText("[A B] sideways", kUtf8); }),
              "The sort text '[A B] sideways' cannot be read");
}

} // namespace
