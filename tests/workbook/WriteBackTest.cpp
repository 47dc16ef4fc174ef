// What posting does the same way in every workbook format, over the same
// data as .xls and .xlsx: the workbook read again through the data layer
// holds the posted values, or the refused post left the file as it was.
#include "support/PostedWorkbook.h"
#include "support/WorkbookFixtures.h"

#include "common/FileSystem.h"
#include "workbook/WorkbookFormat.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace workbook_testing;
using Rows = std::vector<std::vector<std::string>>;
using testing_support::errorOf;

namespace {

// Every table of the file as texts, read by its format's reader.
std::vector<Rows> fileTexts(const std::string& path)
{
    const auto file = workbook::openWorkbookFile(path, kUtf8, chineseSettings());
    std::vector<Rows> sheets;
    for (std::size_t i = 0; i < file->tables().size(); ++i)
        sheets.push_back(tableTexts(file->table(i)));
    return sheets;
}

class WriteBack : public testing::TestWithParam<const char*>, protected PostedWorkbook {};

std::string nameOf(const testing::TestParamInfo<const char*>& info)
{
    std::string name = info.param;
    for (char& c : name)
        if (c == '.')
            c = '_';
    return name;
}

class RelativePath : public WriteBack {};

// The window opens a typed relative name; a conversion then changes the
// current folder before the user posts an edit.
TEST_P(RelativePath, APostReachesTheWorkbookOpenedAfterTheCurrentFolderChanged)
{
    const std::string start = common::currentFolder();
    path = folder.file(GetParam());
    testing_support::writeBytes(path, testing_support::readBytes(testing_support::dataPath(GetParam())));
    common::changeCurrentFolder(folder.path().string());
    connection.setConnectionString(workbook::connectionStringFor(GetParam()));
    connection.open();
    query.setStatement(workbook::selectAllFrom("Sheet1$"));
    query.open();
    testing_support::TempDir elsewhere;
    common::changeCurrentFolder(elsewhere.path().string());
    const std::string error = errorOf([&] { post(1, "Close", "13.5"); });
    common::changeCurrentFolder(start);
    EXPECT_EQ(error, testing_support::kNoError);
    EXPECT_EQ(fileTexts(path)[0][2][column("Close")], "13.5");
}

INSTANTIATE_TEST_SUITE_P(Formats, RelativePath, testing::Values("Mixed.xls", "Mixed.xlsx"), nameOf);

class ReadOnly : public WriteBack {};

TEST_P(ReadOnly, AReadOnlyWorkbookKeepsFileAndQueryUnchanged)
{
    openCopy(GetParam());
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    query.moveTo(1);
    query.edit();
    query.setCellText(column("Close"), "99");
    EXPECT_EQ(errorOf([&] { query.post(); }), refusal("the file is read-only"));
    EXPECT_EQ(query.state(), workbook::Query::State::Browse);
    EXPECT_EQ(query.cellText(1, column("Close")), "12.25");
    EXPECT_EQ(testing_support::readBytes(path), original);
    EXPECT_EQ(testing_support::entryCount(folder.path()), 1u); // no temporary left
}

INSTANTIATE_TEST_SUITE_P(Formats, ReadOnly,
                         testing::Values("Mixed.xls", "MixedGnumeric.xls", "Mixed.xlsx",
                                         "MixedOpenpyxl.xlsx"),
                         nameOf);

class ArrayFormula : public WriteBack {};

// LibreOffice's ArrayFormula.fods: B2:B3 hold one array formula, =A2:A3*2.
TEST_P(ArrayFormula, ACellOfTheFormulaIsRefusedAndTheOtherCellsCanBeWritten)
{
    openCopy(GetParam());
    for (std::size_t row : {0u, 1u}) {
        query.moveTo(row);
        query.edit();
        query.setCellText(1, "1");
        EXPECT_EQ(errorOf([&] { query.post(); }),
                  refusal("cell B" + std::to_string(row + 2) +
                          " of sheet 'Sheet1' holds a shared, array or table formula"));
        EXPECT_EQ(query.cellText(row, 1), row == 0 ? "21" : "24");
    }
    EXPECT_EQ(testing_support::readBytes(path), original);
    query.edit();
    query.setCellText(0, "11");
    query.post();
    EXPECT_EQ(fileTexts(path)[0], (Rows{{"Close", "Double"}, {"10.5", "21"}, {"11", "24"}}));
}

INSTANTIATE_TEST_SUITE_P(Formats, ArrayFormula, testing::Values("ArrayFormula.xls", "ArrayFormula.xlsx"),
                         nameOf);

class Dates1904 : public WriteBack {};

TEST_P(Dates1904, DatesGoIntoAWorkbookOfThe1904SystemAsItsOwnSerials)
{
    openCopy(GetParam(), "Dates$");
    std::vector<Rows> before = fileTexts(path);
    query.edit();
    query.setCellText(query.fieldIndex("Day"), "2025-3-1");
    query.post();
    query.append();
    query.setCellText(query.fieldIndex("Day"), "1904-1-2");
    query.post();
    before[0][1][1] = "2025-3-1";
    before[0].push_back({"", "1904-1-2"});
    EXPECT_EQ(fileTexts(path), before);
}

INSTANTIATE_TEST_SUITE_P(Formats, Dates1904,
                         testing::Values("Dates1904.xls", "Dates1904.xlsx", "Dates1904Openpyxl.xlsx"),
                         nameOf);

} // namespace
