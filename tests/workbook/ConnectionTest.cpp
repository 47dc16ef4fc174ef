// The workbook connection: opening from the connection string and the table schema.
#include "support/WorkbookFixtures.h"

#include "common/Error.h"
#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"

#include <gtest/gtest.h>

using namespace workbook_testing;

namespace {

std::vector<std::string> tableNames(const workbook::Connection& connection)
{
    std::vector<std::string> names;
    for (const workbook::TableSchemaRow& row : connection.tables()) {
        EXPECT_EQ(row.tableType, "TABLE");
        names.push_back(row.tableName);
    }
    return names;
}

TEST(Connection, ListsTheWorksheetsInWorkbookOrder)
{
    workbook::Connection connection(kUtf8, chineseSettings(), kTestYear);
    connection.setConnectionString(workbook::connectionStringFor(testing_support::dataPath("Mixed.xls")));
    connection.setLoginPrompt(false);
    connection.open();
    EXPECT_TRUE(connection.isOpen());
    EXPECT_EQ(connection.dataSource(), testing_support::dataPath("Mixed.xls"));
    EXPECT_EQ(tableNames(connection),
              (std::vector<std::string>{"Sheet1$", "'日线 数据$'", "空表$", "行情$"}));
}

TEST(Connection, NamesTablesInTheSystemCodePage)
{
    workbook::Connection connection(kGbk, chineseSettings(), kTestYear);
    connection.setConnectionString(
        workbook::connectionStringFor(testing_support::dataPath("Biff5Cp936.xls")));
    connection.open();
    EXPECT_EQ(tableNames(connection)[1], "'\xC8\xD5\xCF\xDF\x20\xCA\xFD\xBE\xDD$'");
}

TEST(Connection, AFailedOpenLeavesItClosed)
{
    workbook::Connection connection(kUtf8, chineseSettings(), kTestYear);
    connection.setConnectionString(workbook::connectionStringFor(testing_support::dataPath("Mixed.xls")));
    connection.open();
    connection.setConnectionString(workbook::connectionStringFor(testing_support::dataPath("Encrypted.xls")));
    EXPECT_THROW(connection.open(), common::Error);
    EXPECT_FALSE(connection.isOpen());
    try {
        connection.tables();
        FAIL() << "tables of a closed connection";
    } catch (const common::Error& error) {
        EXPECT_STREQ(error.what(), "The workbook connection is not open");
    }
}

TEST(Connection, AStringWithoutDataSourceIsRefused)
{
    workbook::Connection connection(kUtf8, chineseSettings(), kTestYear);
    connection.setConnectionString("Provider=Microsoft.Jet.OLEDB.4.0");
    try {
        connection.open();
        FAIL() << "opened without a Data Source";
    } catch (const common::Error& error) {
        EXPECT_STREQ(error.what(), "The connection string names no Data Source");
    }
}

} // namespace
