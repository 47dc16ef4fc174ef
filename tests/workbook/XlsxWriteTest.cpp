// Posted rows written into real .xlsx and .xlsm packages (LibreOffice,
// Gnumeric, openpyxl, xlsxwriter): read again, the file holds the posted
// values and every other cell of every sheet as before, and every part of
// the package but the sheet (and the shared strings a new text goes to)
// keeps its compressed bytes.
#include "support/PostedWorkbook.h"
#include "support/WorkbookFixtures.h"
#include "support/ZipPatch.h"

#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"
#include "workbook/Statement.h"
#include "xlsx/Workbook.h"
#include "zip/EntryReader.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace workbook_testing;
using workbook::Query;
using Sheets = std::vector<std::vector<std::vector<std::string>>>;
using testing_support::errorOf;

namespace {

Sheets sheetTexts(const std::string& path)
{
    const auto book = xlsx::Workbook::read(testing_support::readBytes(path), kUtf8, chineseSettings());
    Sheets sheets;
    for (const xlsx::Sheet& sheet : book->sheets())
        sheets.push_back(tableTexts(*sheet.table));
    return sheets;
}

// The parts whose compressed bytes differ between two packages.
std::vector<std::string> changedParts(const std::string& before, const std::string& after)
{
    const zip::Archive a(before);
    const zip::Archive b(after);
    std::vector<std::string> changed;
    for (const zip::Entry& entry : a.entries()) {
        const zip::Entry* other = b.find(entry.name);
        if (!other || a.compressedData(entry) != b.compressedData(*other))
            changed.push_back(entry.name);
    }
    return changed;
}

// A fixture copied to a temporary folder, opened, a sheet queried.
class PostedXlsx : public testing::Test, protected PostedWorkbook {
  protected:
    void openCopy(const std::string& fixture, const std::string& table = "Sheet1$")
    {
        PostedWorkbook::openCopy(fixture, table);
        before = sheetTexts(path);
    }

    Sheets before;
};

struct Writer {
    const char* fixture;
    bool sharedStrings; // texts go to the shared strings, not inline
};

class XlsxWrite : public PostedXlsx, public testing::WithParamInterface<Writer> {
  protected:
    void SetUp() override { openCopy(GetParam().fixture); }
};

TEST_P(XlsxWrite, ANumberIsWrittenAndOnlyTheSheetPartChanges)
{
    post(1, "Close", "13.75");
    before[0][2][column("Close")] = "13.75";
    EXPECT_EQ(sheetTexts(path), before);
    EXPECT_EQ(changedParts(original, testing_support::readBytes(path)),
              std::vector<std::string>{"xl/worksheets/sheet1.xml"});
}

TEST_P(XlsxWrite, NewTextsGoToTheSharedStringsOrInlineAndAKnownOneIsReused)
{
    post(0, "Name", "招商 <&> 银行 ");
    post(3, "Name", "宁德时代"); // already a shared string in the files that keep them
    before[0][1][column("Name")] = "招商 <&> 银行 ";
    before[0][4][column("Name")] = "宁德时代";
    EXPECT_EQ(sheetTexts(path), before);
    std::vector<std::string> expected{"xl/worksheets/sheet1.xml"};
    if (GetParam().sharedStrings)
        expected.push_back("xl/sharedStrings.xml");
    std::vector<std::string> changed = changedParts(original, testing_support::readBytes(path));
    std::sort(changed.begin(), changed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(changed, expected);
}

TEST_P(XlsxWrite, EmptiedCellsFormulaCellsBooleansAndDatesReadBackAsPosted)
{
    post(0, "Vol", "");
    post(0, "Sum", "-1"); // a formula cell takes the value; the others keep theirs
    post(1, "Up", "false");
    post(2, "Day", "2025-3-1"); // an empty cell of a date column
    before[0][1][column("Vol")] = "";
    before[0][1][column("Sum")] = "-1";
    before[0][2][column("Up")] = "False";
    before[0][3][column("Day")] = "2025-3-1";
    EXPECT_EQ(sheetTexts(path), before);
}

TEST_P(XlsxWrite, ARowInsertedAfterTheLastIsWrittenBelowIt)
{
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
}

TEST_P(XlsxWrite, EditsOfOtherSheetsAndTheFirstRowOfAHeaderOnlySheetAddUp)
{
    post(4, "Close", "2");
    Query empty(connection, "ADOQuery2");
    empty.setStatement("SELECT * FROM [空表$]");
    empty.open();
    empty.edit();
    empty.setCellText(0, "600000");
    empty.post();
    before[0][5][column("Close")] = "2";
    before[2].push_back({"600000", ""});
    EXPECT_EQ(sheetTexts(path), before);
}

INSTANTIATE_TEST_SUITE_P(Writers, XlsxWrite,
                         testing::Values(Writer{"Mixed.xlsx", true}, Writer{"MixedOpenpyxl.xlsx", false},
                                         Writer{"MixedGnumeric.xlsx", true},
                                         Writer{"MixedStrict.xlsx", true}),
                         [](const auto& info) {
                             const std::string name = info.param.fixture;
                             return name.substr(0, name.find('.'));
                         });

TEST_F(PostedXlsx, AMacroWorkbookKeepsItsVbaProject)
{
    openCopy("Macro.xlsm", "Cells$");
    post(0, "Close", "11");
    before[0][1][1] = "11";
    EXPECT_EQ(sheetTexts(path), before);
    EXPECT_EQ(changedParts(original, testing_support::readBytes(path)),
              std::vector<std::string>{"xl/worksheets/sheet1.xml"});
}

TEST_F(PostedXlsx, TheFirstRowOfASheetWithoutCellsGetsTheFieldNameAsItsHeader)
{
    openCopy("EmptySheet.xlsx", "Empty$");
    query.edit();
    query.setCellText(0, "600000");
    query.post();
    before[1] = {{"F1"}, {"600000"}};
    EXPECT_EQ(sheetTexts(path), before);
}

// No Debian program writes shared formulas or a calculation chain: the
// sheet and the relationship are written by hand into LibreOffice's file.
TEST_F(PostedXlsx, TheFirstCellOfASharedFormulaAndFormulasInACalculationChainAreRefused)
{
    const std::string sheet =
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Close</t></is></c><c r=\"B1\" t=\"inlineStr\"><is>"
        "<t>Double</t></is></c></row>"
        "<row r=\"2\"><c r=\"A2\"><v>1</v></c><c r=\"B2\"><f t=\"shared\" ref=\"B2:B3\" "
        "si=\"0\">A2*2</f><v>2</v>"
        "</c></row><row r=\"3\"><c r=\"A3\"><v>2</v></c><c r=\"B3\"><f t=\"shared\" si=\"0\"/><v>4</v></c>"
        "</row></sheetData></worksheet>";
    const std::string quotes = testing_support::readBytes(testing_support::dataPath("Quotes.xlsx"));
    testing_support::writeBytes(folder.file("Shared.xlsx"),
                                testing_support::withPart(quotes, "xl/worksheets/sheet1.xml", sheet.c_str()));
    // LibreOffice's relationships, and one to a calculation chain.
    const zip::Archive archive(quotes);
    std::string chained = zip::readEntry(archive, *archive.find("xl/_rels/workbook.xml.rels"));
    chained.insert(chained.find("</Relationships>"),
                   "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                   "relationships/calcChain\" Target=\"calcChain.xml\"/>");
    testing_support::writeBytes(
        folder.file("Chained.xlsx"),
        testing_support::withPart(testing_support::readBytes(folder.file("Shared.xlsx")),
                                  "xl/_rels/workbook.xml.rels", chained.c_str()));
    for (const char* name : {"Shared.xlsx", "Chained.xlsx"}) {
        path = folder.file(name);
        connection.setConnectionString(workbook::connectionStringFor(path));
        connection.open();
        query.close();
        query.setStatement("SELECT * FROM [Sheet1$]");
        query.open();
        const std::string bytes = testing_support::readBytes(path);
        EXPECT_EQ(errorOf([&] { post(0, "Double", "5"); }),
                  refusal("cell B2 of sheet 'Sheet1' holds a shared, array or table formula"));
        // Another cell of the shared formula does not carry it: it takes the
        // value, unless the calculation chain lists it.
        const std::string other = errorOf([&] { post(1, "Double", "7"); });
        if (std::string(name) == "Shared.xlsx") {
            EXPECT_EQ(other, testing_support::kNoError);
            EXPECT_EQ(sheetTexts(path)[0],
                      (std::vector<std::vector<std::string>>{{"Close", "Double"}, {"1", "2"}, {"2", "7"}}));
        } else {
            EXPECT_EQ(other, refusal("cell B3 of sheet 'Sheet1' holds a formula that the workbook's "
                                     "calculation chain lists"));
            EXPECT_EQ(testing_support::readBytes(path), bytes);
        }
    }
}

} // namespace
