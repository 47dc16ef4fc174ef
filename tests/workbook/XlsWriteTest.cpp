// Posted rows written into real workbooks (LibreOffice and Gnumeric): the
// file read again, by our reader and by FreeXL, holds the posted values and
// every other cell of every sheet as before.
#include "support/PostedWorkbook.h"
#include "support/WorkbookFixtures.h"

#include "common/Error.h"
#include "common/FileNames.h"
#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"
#include "workbook/Statement.h"

#include <gtest/gtest.h>
#if TARNVALE_HAVE_FREEXL
#include <freexl.h>
#endif

#include <chrono>
#include <filesystem>
#include <functional>

using namespace workbook_testing;
using workbook::Query;
using Sheets = std::vector<std::vector<std::vector<std::string>>>;
using testing_support::errorOf;

namespace {

Sheets sheetTexts(const std::string& path)
{
    const auto book = readWorkbook(path);
    Sheets sheets;
    for (const xls::Sheet& sheet : book->sheets())
        sheets.push_back(tableTexts(*sheet.table));
    return sheets;
}

#if TARNVALE_HAVE_FREEXL
// FreeXL's reading of one cell of the first sheet, as text.
std::string freeXlCell(const std::string& path, unsigned row, unsigned short column)
{
    const void* handle = nullptr;
    if (freexl_open(path.c_str(), &handle) != FREEXL_OK)
        return "<not opened>";
    FreeXL_CellValue value;
    std::string text = "<no cell>";
    if (freexl_select_active_worksheet(handle, 0) == FREEXL_OK &&
        freexl_get_cell_value(handle, row, column, &value) == FREEXL_OK) {
        if (value.type == FREEXL_CELL_NULL)
            text = "";
        else if (value.type == FREEXL_CELL_INT)
            text = std::to_string(value.value.int_value);
        else if (value.type == FREEXL_CELL_DOUBLE)
            text = std::to_string(value.value.double_value);
        else if (value.type == FREEXL_CELL_TEXT || value.type == FREEXL_CELL_SST_TEXT)
            text = value.value.text_value;
        else
            text = "<type " + std::to_string(value.type) + ">";
    }
    freexl_close(handle);
    return text;
}

unsigned freeXlRows(const std::string& path)
{
    const void* handle = nullptr;
    unsigned rows = 0;
    unsigned short columns = 0;
    if (freexl_open(path.c_str(), &handle) != FREEXL_OK)
        return 0;
    if (freexl_select_active_worksheet(handle, 0) != FREEXL_OK ||
        freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
        rows = 0;
    freexl_close(handle);
    return rows;
}

// FreeXL reads the written file a second time where it is there (it has no
// Windows build): a check of the writer by a reader that is not ours.
#define EXPECT_FREEXL_EQ(freeXlReading, expected) EXPECT_EQ(freeXlReading, expected)
#else
#define EXPECT_FREEXL_EQ(freeXlReading, expected)
#endif

class XlsWrite : public testing::TestWithParam<const char*>, protected PostedWorkbook {
  protected:
    void SetUp() override
    {
        openCopy(GetParam(), "Sheet1$", "Book.xls");
        before = sheetTexts(path);
    }
    void reopen()
    {
        query.close();
        connection.open();
        query.open();
    }
    std::size_t sharedStrings() const { return readWorkbook(path)->texts().size(); }

    Sheets before;
};

TEST_P(XlsWrite, ANumberCellIsWrittenAndNothingElseChanges)
{
    post(1, "Close", "13.75");
    before[0][2][column("Close")] = "13.75";
    EXPECT_EQ(sheetTexts(path), before);
    EXPECT_FREEXL_EQ(freeXlCell(path, 2, 2), "13.750000");
}

TEST_P(XlsWrite, ANewTextGoesIntoTheSharedStringsAndReadsBack)
{
    post(0, "Name", "招商银行");
    before[0][1][column("Name")] = "招商银行";
    EXPECT_EQ(sheetTexts(path), before);
    EXPECT_FREEXL_EQ(freeXlCell(path, 1, 1), "招商银行");
}

TEST_P(XlsWrite, ATextAlreadySharedIsReusedWithoutGrowingTheTable)
{
    const auto book = readWorkbook(path);
    post(3, "Name", "宁德时代");
    before[0][4][column("Name")] = "宁德时代";
    EXPECT_EQ(sheetTexts(path), before);
    const auto after = readWorkbook(path);
    // The text list holds the shared strings first, then one entry per other text.
    EXPECT_EQ(after->texts().size(), book->texts().size());
}

TEST_P(XlsWrite, AnEmptiedCellLosesItsRecord)
{
    post(0, "Vol", "");
    before[0][1][column("Vol")] = "";
    EXPECT_EQ(sheetTexts(path), before);
    EXPECT_FREEXL_EQ(freeXlCell(path, 1, 3), "");
}

TEST_P(XlsWrite, AFormulaCellTakesTheValueAndTheOtherFormulasKeepTheirs)
{
    post(0, "Up", "false");
    post(0, "Sum", "-1");
    before[0][1][column("Up")] = "False";
    before[0][1][column("Sum")] = "-1";
    EXPECT_EQ(sheetTexts(path), before);
}

TEST_P(XlsWrite, ARowInsertedAfterTheLastIsWrittenBelowIt)
{
    [[maybe_unused]] const auto rowsBefore = static_cast<unsigned>(before[0].size());
    query.append();
    query.setCellText(column("Code"), "601318");
    query.setCellText(column("Close"), "45.5");
    query.setCellText(column("Day"), "2025-3-1");
    query.post();
    std::vector<std::string> added(before[0][0].size(), "");
    added[column("Code")] = "601318";
    added[column("Close")] = "45.5";
    added[column("Day")] = "2025-3-1";
    before[0].push_back(added);
    EXPECT_EQ(sheetTexts(path), before);
    EXPECT_FREEXL_EQ(freeXlRows(path), rowsBefore + 1);
    EXPECT_FREEXL_EQ(freeXlCell(path, rowsBefore, 0), "601318");
}

TEST_P(XlsWrite, ASortedQueryWritesToTheRowsPlaceInTheSheet)
{
    query.setSort("Close");
    // Ascending by Close: the empty cell, then -2.5 (the sheet's last row).
    ASSERT_EQ(query.cellText(1, column("Code")), "600519");
    post(1, "Code", "600520");
    before[0][5][column("Code")] = "600520";
    EXPECT_EQ(sheetTexts(path), before);
}

TEST_P(XlsWrite, EditsOfOtherSheetsAndManyPostsAddUp)
{
    post(0, "Close", "1");
    post(4, "Close", "2");
    Query other(connection, "ADOQuery2");
    other.setStatement("SELECT * FROM [行情$]");
    other.open();
    other.edit();
    other.setCellText(0, "x");
    other.post();
    before[0][1][column("Close")] = "1";
    before[0][5][column("Close")] = "2";
    before[3][1][0] = "x";
    EXPECT_EQ(sheetTexts(path), before);
}

TEST_P(XlsWrite, TheReplacedFileKeepsItsPermissions)
{
    if (common::pathSeparator() == '\\')
        GTEST_SKIP() << "Windows files have no mode bits (their attributes: WindowsFiles tests)";
    namespace fs = std::filesystem;
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, mode);
    post(0, "Close", "1");
    EXPECT_EQ(fs::status(path).permissions(), mode);
    EXPECT_EQ(testing_support::entryCount(folder.path()), 1u); // the temporary became the workbook
}

TEST_P(XlsWrite, AnInsertThatCannotBeWrittenIsCancelled)
{
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    query.append();
    query.setCellText(0, "601318");
    EXPECT_NE(errorOf([&] { query.post(); }), testing_support::kNoError);
    EXPECT_EQ(query.rowCount(), 5u);
    query.refresh();
    EXPECT_EQ(query.rowCount(), 5u);
}

TEST_P(XlsWrite, TheFirstRowOfASheetWithOnlyAHeaderGoesBelowIt)
{
    Query empty(connection, "ADOQuery2");
    empty.setStatement("SELECT * FROM [空表$]");
    empty.open();
    empty.edit();
    empty.setCellText(0, "600000");
    empty.post();
    ASSERT_EQ(before[2], (std::vector<std::vector<std::string>>{{"Code", "Close"}}));
    before[2].push_back({"600000", ""});
    EXPECT_EQ(sheetTexts(path), before);
}

TEST_P(XlsWrite, AWorkbookChangedSinceItWasReadRefusesThePostAndKeepsTheOtherChange)
{
    // Another connection's post, another program's save through a rename
    // (the same bytes, a new file) and one in place (a new time): each
    // leaves this connection's view behind, and its post is refused.
    const std::string changed = "The workbook \"" + path +
                                "\" was changed by another program after it was opened: the edit was "
                                "cancelled and nothing was written; open the workbook again to edit it";
    const std::vector<std::function<void()>> otherWriters = {
        [&] {
            workbook::Connection other{kUtf8, chineseSettings(), kTestYear};
            other.setConnectionString(workbook::connectionStringFor(path));
            other.open();
            Query otherQuery(other, "ADOQuery2");
            otherQuery.setStatement("SELECT * FROM [Sheet1$]");
            otherQuery.open();
            otherQuery.edit();
            otherQuery.setCellText(column("Vol"), "1");
            otherQuery.post();
        },
        [&] {
            testing_support::writeBytes(path + ".new", testing_support::readBytes(path));
            std::filesystem::rename(path + ".new", path);
        },
        [&] {
            std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) +
                                                       std::chrono::seconds(1));
        },
    };
    for (const auto& otherWriter : otherWriters) {
        reopen();
        otherWriter();
        const std::string bytes = testing_support::readBytes(path);
        query.moveTo(1);
        query.edit();
        query.setCellText(column("Close"), "99");
        EXPECT_EQ(errorOf([&] { query.post(); }), changed);
        EXPECT_EQ(query.state(), Query::State::Browse);
        EXPECT_EQ(query.cellText(1, column("Close")), "12.25");
        EXPECT_EQ(testing_support::readBytes(path), bytes);
    }
    // Opened again, the connection reads the file as it is now and posts.
    reopen();
    post(1, "Close", "99");
    before[0][2][column("Close")] = "99";
    before[0][1][column("Vol")] = "1";
    EXPECT_EQ(sheetTexts(path), before);
}

TEST_P(XlsWrite, ANumberThatIsNotFiniteIsRefused)
{
    query.edit();
    query.setCellText(column("Close"), "inf");
    EXPECT_EQ(errorOf([&] { query.post(); }), "Cannot write the posted row into the workbook \"" + path +
                                                  "\": the number for cell C2 is not a finite number");
    EXPECT_EQ(sheetTexts(path), before);
}

INSTANTIATE_TEST_SUITE_P(Writers, XlsWrite, testing::Values("Mixed.xls", "MixedGnumeric.xls"),
                         [](const auto& info) {
                             const std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

// EmptySheet.xls (LibreOffice) is small enough for its workbook stream to
// live in the container's mini stream.
TEST(XlsWriteEmptySheet, TheFirstRowOfASheetWithoutCellsGetsTheFieldNameAsItsHeader)
{
    testing_support::TempDir folder;
    const std::string path = folder.file("EmptySheet.xls");
    testing_support::writeBytes(path,
                                testing_support::readBytes(testing_support::dataPath("EmptySheet.xls")));
    Sheets before = sheetTexts(path);
    ASSERT_EQ(before.at(1), (std::vector<std::vector<std::string>>{{"F1"}}));
    workbook::Connection connection{kUtf8, chineseSettings(), kTestYear};
    connection.setConnectionString(workbook::connectionStringFor(path));
    connection.open();
    Query query(connection);
    query.setStatement("SELECT * FROM [Empty$]");
    query.open();
    query.edit();
    query.setCellText(0, "600000");
    query.post();
    query.append();
    query.setCellText(0, "000001");
    query.post();
    before[1] = {{"F1"}, {"600000"}, {"000001"}};
    EXPECT_EQ(sheetTexts(path), before);
    EXPECT_FREEXL_EQ(freeXlCell(path, 1, 1), "10.500000"); // the first sheet, untouched
}

TEST(XlsWriteCodePage, TextInTheSystemCodePageIsStoredAsUnicode)
{
    testing_support::TempDir folder;
    const std::string path = folder.file("Quotes.xls");
    testing_support::writeBytes(path, testing_support::readBytes(testing_support::dataPath("Quotes.xls")));
    workbook::Connection connection{kGbk, chineseSettings(), kTestYear};
    connection.setConnectionString(workbook::connectionStringFor(path));
    connection.open();
    Query query(connection);
    query.setStatement("SELECT * FROM [Sheet1$]");
    query.open();
    query.edit();
    query.setCellText(0, "\xD5\xD0\xC9\xCC"); // 招商 in GBK
    query.post();
    EXPECT_EQ(sheetTexts(path)[0][1][0], "招商");
    EXPECT_FREEXL_EQ(freeXlCell(path, 1, 0), "招商");
}

} // namespace
