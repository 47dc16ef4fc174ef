// The sheet query over a real workbook: opening, fields, the cursor, cell
// texts and sort.
#include "support/WorkbookFixtures.h"

#include "common/Error.h"
#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"
#include "workbook/Statement.h"

#include <gtest/gtest.h>

using namespace workbook_testing;
using testing_support::errorOf;
using workbook::Query;

namespace {

class QueryTest : public testing::Test {
  protected:
    void SetUp() override
    {
        connection.setConnectionString(workbook::connectionStringFor(testing_support::dataPath("Mixed.xls")));
        connection.setLoginPrompt(false);
        connection.open();
    }
    void openSheet(const std::string& table)
    {
        query.close();
        query.setStatement(workbook::selectAllFrom(table));
        query.open();
    }
    // One column's texts, in the presented order.
    std::vector<std::string> column(const std::string& field)
    {
        std::vector<std::string> texts;
        const std::size_t index = query.fieldIndex(field);
        for (query.first(); !query.eof(); query.next())
            texts.push_back(query.cellText(index));
        return texts;
    }

    workbook::Connection connection{kUtf8, chineseSettings(), kTestYear};
    Query query{connection};
};

TEST_F(QueryTest, OpensASheetWithItsFieldsInOrder)
{
    openSheet("Sheet1$");
    ASSERT_TRUE(query.isOpen());
    ASSERT_EQ(query.fields().size(), 13u);
    EXPECT_EQ(query.fields()[0].name, "Code");
    EXPECT_EQ(query.fields()[8].name, "F9");
    EXPECT_EQ(query.fields()[2].type, table::FieldType::Float);
    EXPECT_EQ(query.rowCount(), 5u);
    EXPECT_EQ(column("Code"), (std::vector<std::string>{"600000", "000001", "300750", "", "600519"}));
}

TEST_F(QueryTest, FieldByNameTakesTheExactNameFirstThenIgnoresCase)
{
    openSheet("Sheet1$"); // Close is field 2, close field 12
    EXPECT_EQ(query.fieldIndex("Close"), 2u);
    EXPECT_EQ(query.fieldIndex("close"), 12u);
    EXPECT_EQ(query.fieldIndex("CLOSE"), 2u);
    EXPECT_EQ(query.fieldIndex("code"), 0u);
    EXPECT_EQ(errorOf([&] { query.fieldIndex("收盘"); }), "ADOQuery1: Field '收盘' not found");
    Query named(connection, "SheetQuery");
    EXPECT_EQ(errorOf([&] { named.fieldIndex("Code"); }), "SheetQuery: Field 'Code' not found");
}

TEST_F(QueryTest, TheCursorFollowsTheDataSetRules)
{
    openSheet("'日线 数据$'");
    query.first();
    EXPECT_TRUE(query.bof());
    EXPECT_FALSE(query.eof());
    EXPECT_EQ(query.cellText(0), "600000");
    query.next();
    EXPECT_FALSE(query.bof());
    EXPECT_FALSE(query.eof());
    EXPECT_EQ(query.cellText(1), "9.75");
    query.next(); // past the last row: at-end, still on that row
    EXPECT_TRUE(query.eof());
    EXPECT_EQ(query.currentRow(), 1u);
    EXPECT_EQ(query.cellText(0), "000001");
    query.prior();
    EXPECT_EQ(query.currentRow(), 0u);
    EXPECT_FALSE(query.eof());
    query.prior();
    EXPECT_TRUE(query.bof());
    query.last();
    EXPECT_TRUE(query.eof());
    EXPECT_EQ(query.currentRow(), 1u);
    query.moveTo(0);
    EXPECT_FALSE(query.eof());
    EXPECT_EQ(query.cellText(0, 1), "10.5");
}

TEST_F(QueryTest, AnEmptySheetIsAtBothEndsAtOnce)
{
    openSheet("空表$");
    EXPECT_EQ(query.fields().size(), 2u);
    EXPECT_TRUE(query.isEmpty());
    EXPECT_TRUE(query.bof());
    EXPECT_TRUE(query.eof());
    query.first();
    EXPECT_TRUE(query.eof());
    EXPECT_EQ(query.cellText(0), "");
}

TEST_F(QueryTest, UnknownTablesAndOtherStatementsLeaveTheQueryClosed)
{
    query.setStatement("SELECT * FROM [Nope$]");
    EXPECT_EQ(errorOf([&] { query.open(); }), "The workbook has no table named 'Nope$'");
    EXPECT_FALSE(query.isOpen());
    query.setStatement("SELECT * FROM [Sheet1]"); // without the "$": no worksheet of that name
    EXPECT_EQ(errorOf([&] { query.open(); }), "The workbook has no table named 'Sheet1'");
    query.setStatement("SELECT Code FROM [Sheet1$]");
    EXPECT_EQ(errorOf([&] { query.open(); }),
              "Only statements of the form SELECT * FROM [table] can be run on a workbook");
    query.setStatement("SELECT * FROM [a]b$]");
    EXPECT_EQ(errorOf([&] { query.open(); }), "A table name may not contain the character \"]\"");
    EXPECT_FALSE(query.isOpen());
    EXPECT_TRUE(query.fields().empty());
}

TEST_F(QueryTest, AClosedConnectionOpensNoQuery)
{
    connection.close();
    query.setStatement("SELECT * FROM [Sheet1$]");
    EXPECT_EQ(errorOf([&] { query.open(); }), "The workbook connection is not open");
}

TEST_F(QueryTest, SortsAscendingAndStably)
{
    openSheet("Sheet1$");
    query.setSort("Flag");
    EXPECT_TRUE(query.bof());
    // Flag is 1, 0, empty, 1, 0: the empty cell first, equal values in file order.
    EXPECT_EQ(column("Code"), (std::vector<std::string>{"300750", "000001", "600519", "600000", ""}));
    EXPECT_EQ(query.sort(), "Flag");
}

TEST_F(QueryTest, SortingTheSameTitleTwiceGivesTheSameOrder)
{
    openSheet("Sheet1$");
    query.setSort("Close");
    const std::vector<std::string> once = column("Close");
    query.setSort("Close");
    EXPECT_EQ(column("Close"), once);
    EXPECT_EQ(once, (std::vector<std::string>{"", "-2.5", "0.0001", "10.5", "12.25"}));
}

TEST_F(QueryTest, SortsDescendingByTextDateAndSeveralFields)
{
    openSheet("Sheet1$");
    query.setSort("Day DESC");
    EXPECT_EQ(column("Day"),
              (std::vector<std::string>{"2024-2-29", "2024-1-5", "2023-12-29", "1999-12-31", ""}));
    query.setSort("Mixed");
    // A text field sorts by cell text: number texts among the words.
    EXPECT_EQ(column("Mixed"), (std::vector<std::string>{"", "3.5", "42", "abc", "x"}));
    query.setSort("Up DESC, Close ASC");
    EXPECT_EQ(column("Close"), (std::vector<std::string>{"10.5", "12.25", "", "-2.5", "0.0001"}));
    query.setSort("");
    EXPECT_EQ(column("Code"), (std::vector<std::string>{"600000", "000001", "300750", "", "600519"}));
}

TEST_F(QueryTest, SortTextNamesItsFieldAsFieldByNameDoes)
{
    openSheet("Sheet1$"); // close holds 7 to 11 in file order
    query.setSort("close DESC");
    EXPECT_EQ(column("Code"), (std::vector<std::string>{"600519", "", "300750", "000001", "600000"}));
    query.setSort("CLOSE DESC");
    EXPECT_EQ(column("Code"), (std::vector<std::string>{"000001", "600000", "300750", "600519", ""}));
}

TEST_F(QueryTest, ARefusedSortKeepsTheOrder)
{
    openSheet("'日线 数据$'");
    query.setSort("[收盘 价]");
    EXPECT_EQ(column("代码"), (std::vector<std::string>{"000001", "600000"}));
    EXPECT_EQ(errorOf([&] { query.setSort("收盘 价"); }),
              "Cannot sort by '收盘 价': a field name with spaces must be written in brackets");
    EXPECT_EQ(errorOf([&] { query.setSort("Volume"); }),
              "Cannot sort by 'Volume': the query has no such field");
    EXPECT_EQ(query.sort(), "[收盘 价]");
    EXPECT_EQ(column("代码"), (std::vector<std::string>{"000001", "600000"}));
}

TEST_F(QueryTest, ReopeningDropsTheSort)
{
    openSheet("Sheet1$");
    query.setSort("Close DESC");
    openSheet("Sheet1$");
    EXPECT_EQ(query.sort(), "");
    EXPECT_EQ(column("Code").front(), "600000");
}

} // namespace
