// Edits on the open query: edit, insert, append, post, cancel, refresh, and
// the refused delete. Posted rows live in the connection's workbook.
#include "support/WorkbookFixtures.h"

#include "common/Error.h"
#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"

#include <gtest/gtest.h>

using namespace workbook_testing;
using workbook::Query;
using State = workbook::Query::State;
using testing_support::errorOf;

namespace {

// Posted rows are written into the workbook file: edit copies, never the fixtures.
std::string copyOf(const testing_support::TempDir& folder, const std::string& fixture)
{
    const std::string copy = folder.file(fixture);
    testing_support::writeBytes(copy, testing_support::readBytes(testing_support::dataPath(fixture)));
    return copy;
}

class QueryEditTest : public testing::Test {
  protected:
    void SetUp() override
    {
        connection.setConnectionString(workbook::connectionStringFor(copyOf(folder, "Quotes.xls")));
        connection.open();
        query.setStatement("SELECT * FROM [Sheet1$]");
        query.open();
    }
    std::vector<std::string> rows(Query& q)
    {
        std::vector<std::string> texts;
        for (std::size_t r = 0; r < q.rowCount(); ++r)
            texts.push_back(q.cellText(r, 0) + "|" + q.cellText(r, 1) + "|" + q.cellText(r, 2));
        return texts;
    }

    testing_support::TempDir folder;
    workbook::Connection connection{kUtf8, chineseSettings(), kTestYear};
    Query query{connection};
};

TEST_F(QueryEditTest, APostedEditChangesTheRowForEveryReader)
{
    query.moveTo(1);
    query.edit();
    EXPECT_EQ(query.state(), State::Edit);
    query.setCellText(1, "13.5");
    query.setCellText(0, "000002");
    EXPECT_EQ(query.cellText(1), "13.5"); // the edit shows before it is posted
    query.post();
    EXPECT_EQ(query.state(), State::Browse);
    EXPECT_EQ(rows(query),
              (std::vector<std::string>{"600000|10.5|123456", "000002|13.5|7890", "300750|198.8|4321"}));
    Query other(connection, "ADOQuery2");
    other.setStatement("SELECT * FROM [Sheet1$]");
    other.open();
    EXPECT_EQ(rows(other), rows(query));
}

TEST_F(QueryEditTest, CancelDropsTheEdit)
{
    query.edit();
    query.setCellText(2, "1");
    query.cancel();
    EXPECT_EQ(query.state(), State::Browse);
    EXPECT_EQ(query.cellText(2), "123456");
}

TEST_F(QueryEditTest, InsertPutsANewRowBeforeTheCurrentOne)
{
    query.moveTo(1);
    query.insert();
    EXPECT_EQ(query.state(), State::Insert);
    EXPECT_EQ(query.rowCount(), 4u);
    EXPECT_EQ(query.currentRow(), 1u);
    EXPECT_TRUE(query.insertedRowUnchanged());
    query.setCellText(0, "600519");
    EXPECT_FALSE(query.insertedRowUnchanged());
    query.setCellText(1, "1700");
    query.post();
    EXPECT_EQ(rows(query), (std::vector<std::string>{"600000|10.5|123456", "600519|1700|",
                                                     "000001|12.25|7890", "300750|198.8|4321"}));
    // The data source keeps posted rows at the end of the sheet.
    query.refresh();
    EXPECT_EQ(rows(query), (std::vector<std::string>{"600000|10.5|123456", "000001|12.25|7890",
                                                     "300750|198.8|4321", "600519|1700|"}));
}

TEST_F(QueryEditTest, AppendAddsAfterTheLastRowAndCancelTakesItBack)
{
    query.append();
    EXPECT_EQ(query.currentRow(), 3u);
    EXPECT_EQ(query.cellText(0), "");
    query.cancel();
    EXPECT_EQ(query.rowCount(), 3u);
    EXPECT_EQ(query.currentRow(), 2u);
}

TEST_F(QueryEditTest, MovingAwayPostsAChangedRowAndDropsAnUntouchedInsert)
{
    query.insert();
    query.next();
    EXPECT_EQ(query.rowCount(), 3u);
    query.edit();
    query.setCellText(2, "99");
    query.first();
    EXPECT_EQ(query.state(), State::Browse);
    EXPECT_EQ(rows(query)[1], "000001|12.25|99");
}

TEST_F(QueryEditTest, TextsAreCheckedAgainstTheFieldType)
{
    query.edit();
    EXPECT_EQ(errorOf([&] { query.setCellText(1, "abc"); }), "'abc' is not a valid floating point value");
    EXPECT_EQ(errorOf([&] { query.setCellText(1, "1,5"); }), "'1,5' is not a valid floating point value");
    query.setCellText(1, " -2.5e1 ");
    query.setCellText(0, "12.5"); // a Text field takes any text
    query.setCellText(2, "");
    query.post();
    EXPECT_EQ(rows(query)[0], "12.5|-25|");
}

TEST_F(QueryEditTest, DeletingIsRefusedAndKeepsTheRow)
{
    EXPECT_EQ(errorOf([&] { query.remove(); }), "Deleting rows is not supported in a workbook sheet");
    EXPECT_EQ(query.rowCount(), 3u);
    query.insert();
    query.remove(); // an inserted row was never stored: removing it is a cancel
    EXPECT_EQ(query.state(), State::Browse);
    EXPECT_EQ(query.rowCount(), 3u);
}

TEST_F(QueryEditTest, CellsCannotBeSetOutsideAnEdit)
{
    EXPECT_EQ(errorOf([&] { query.setCellText(0, "x"); }), "ADOQuery1: Dataset not in edit or insert mode");
    query.close();
    EXPECT_EQ(errorOf([&] { query.edit(); }), "ADOQuery1: Cannot perform this operation on a closed dataset");
    EXPECT_EQ(errorOf([&] { query.setSort("Code"); }),
              "ADOQuery1: Cannot perform this operation on a closed dataset");
    EXPECT_FALSE(query.canModify());
}

TEST_F(QueryEditTest, EditingAnEmptySheetInsertsARow)
{
    workbook::Connection mixed{kUtf8, chineseSettings(), kTestYear};
    mixed.setConnectionString(workbook::connectionStringFor(copyOf(folder, "Mixed.xls")));
    mixed.open();
    Query empty(mixed);
    empty.setStatement("SELECT * FROM [空表$]");
    empty.open();
    empty.edit();
    EXPECT_EQ(empty.state(), State::Insert);
    empty.setCellText(0, "600000");
    empty.post();
    EXPECT_EQ(empty.rowCount(), 1u);
    EXPECT_EQ(empty.cellText(0, 0), "600000");
}

TEST_F(QueryEditTest, DatesAndBooleansAreParsedForTheirFields)
{
    // Booleans.xls holds plain boolean and date cells and no formulas, which
    // the file writer could not rebuild.
    workbook::Connection flags{kUtf8, chineseSettings(), kTestYear};
    flags.setConnectionString(workbook::connectionStringFor(copyOf(folder, "Booleans.xls")));
    flags.open();
    Query sheet(flags);
    sheet.setStatement("SELECT * FROM [Flags$]");
    sheet.open();
    ASSERT_EQ(sheet.fields()[sheet.fieldIndex("Since")].type, table::FieldType::DateTime);
    ASSERT_EQ(sheet.fields()[sheet.fieldIndex("Listed")].type, table::FieldType::Boolean);
    sheet.edit();
    sheet.setCellText(sheet.fieldIndex("Since"), "2025-3-1");
    sheet.setCellText(sheet.fieldIndex("Listed"), "false");
    EXPECT_EQ(errorOf([&] { sheet.setCellText(sheet.fieldIndex("Since"), "2025-2-30"); }),
              "'2025-2-30' is not a valid date and time");
    EXPECT_EQ(errorOf([&] { sheet.setCellText(sheet.fieldIndex("Listed"), "yes"); }),
              "'yes' is not a valid boolean value");
    sheet.post();
    EXPECT_EQ(sheet.cellText(sheet.fieldIndex("Since")), "2025-3-1");
    EXPECT_EQ(sheet.cellText(sheet.fieldIndex("Listed")), "False");
}

TEST_F(QueryEditTest, ASortAfterAnEditSortsThePostedValues)
{
    query.moveTo(2);
    query.edit();
    query.setCellText(1, "1");
    query.setSort("Close");
    EXPECT_EQ(rows(query).front(), "300750|1|4321");
}

} // namespace
