// .csv files through the data layer: the schema names the one table after
// the file, a statement opens it, posted rows go into the file through the
// write-back path every format shares, and a refused post leaves the file
// and the query as they were.
#include "support/WorkbookFixtures.h"

#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace workbook_testing;
using testing_support::errorOf;
using testing_support::readBytes;
using testing_support::writeBytes;
using workbook::Query;

namespace {

class CsvWorkbook : public testing::Test {
  protected:
    // Opens a copy of `fixture` (or of `bytes`) named `name`, and its table.
    void open(const std::string& name, const std::string& bytes)
    {
        path = folder.file(name);
        writeBytes(path, bytes);
        connection.setConnectionString(workbook::connectionStringFor(path));
        connection.open();
        query.setStatement("SELECT * FROM [" + name + "]");
        query.open();
    }
    void post(std::size_t row, std::size_t field, const std::string& text)
    {
        query.moveTo(row);
        query.edit();
        query.setCellText(field, text);
        query.post();
    }

    testing_support::TempDir folder;
    std::string path;
    const std::string quoting = readBytes(testing_support::dataPath("Quoting.csv"));
    workbook::Connection connection{kUtf8, chineseSettings(), kTestYear};
    Query query{connection};
};

TEST_F(CsvWorkbook, TheTableIsNamedAfterTheFile)
{
    open("行情.csv", quoting);
    ASSERT_EQ(connection.tables().size(), 1u);
    EXPECT_EQ(connection.tables()[0].tableType, "TABLE");
    EXPECT_EQ(connection.tables()[0].tableName, "行情.csv");
    Query other(connection, "ADOQuery2");
    other.setStatement("SELECT * FROM [行情.CSV]");
    other.open();
    EXPECT_EQ(other.fields().size(), 5u);
    other.close();
    other.setStatement("SELECT * FROM [行情.csv$]");
    EXPECT_EQ(errorOf([&] { other.open(); }), "The workbook has no table named '行情.csv$'");
}

TEST_F(CsvWorkbook, PostedCellsAndRowsGoIntoTheFileAndNothingElseChanges)
{
    open("quoting.csv", quoting);
    post(0, 1, "招商,银行");
    query.append();
    query.setCellText(0, "601318");
    query.setCellText(3, "x");
    query.post();
    std::string expected = quoting;
    const std::string line = "600000,浦发银行,";
    expected.replace(expected.find(line), line.size(), "600000,\"招商,银行\",");
    EXPECT_EQ(readBytes(path), expected + "601318,,,x\r\n");

    workbook::Connection again(kUtf8, chineseSettings(), kTestYear);
    again.setConnectionString(workbook::connectionStringFor(path));
    again.open();
    Query reread(again);
    reread.setStatement("SELECT * FROM [quoting.csv]");
    reread.open();
    ASSERT_EQ(reread.rowCount(), 9u);
    EXPECT_EQ(reread.cellText(0, 1), "招商,银行");
    EXPECT_EQ(reread.cellText(8, 0), "601318");
    EXPECT_EQ(reread.cellText(8, 3), "x");
}

TEST_F(CsvWorkbook, AnEmptyFileTakesItsFirstRowUnderTheHeaderF1)
{
    open("empty.csv", "");
    post(0, 0, "600000");
    EXPECT_EQ(readBytes(path), "F1\r\n600000\r\n");
}

TEST_F(CsvWorkbook, ARefusedPostKeepsTheFileAndTheQuery)
{
    open("quoting.csv", quoting);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    query.moveTo(0);
    query.edit();
    query.setCellText(0, "600001");
    EXPECT_EQ(errorOf([&] { query.post(); }),
              "Cannot write the posted row into the workbook \"" + path + "\": the file is read-only");
    EXPECT_EQ(query.state(), Query::State::Browse);
    EXPECT_EQ(query.cellText(0, 0), "600000");
    EXPECT_EQ(readBytes(path), quoting);
    EXPECT_EQ(testing_support::entryCount(folder.path()), 1u);
}

TEST_F(CsvWorkbook, AFileThatCannotBeReadSaysWhere)
{
    const std::string broken = folder.file("broken.csv");
    writeBytes(broken, "Code,Name\n600000,\"浦发\n");
    connection.setConnectionString(workbook::connectionStringFor(broken));
    EXPECT_EQ(
        errorOf([&] { connection.open(); }),
        "Cannot open the workbook \"" + broken +
            "\": the quoted field that begins on line 2 has no closing quote before the end of the file");
}

} // namespace
