// .ods files through the data layer: damaged and unsuitable ones give its
// clear message with bounded work; a sheet as large as the format allows is
// read; a posted row is refused, the edit cancelled and the file untouched.
// The damage is done by hand to a real package (LibreOffice's Quotes.ods).
#include "support/PostedWorkbook.h"
#include "support/WorkbookFileTest.h"
#include "support/WorkbookFixtures.h"
#include "support/ZipPatch.h"

#include "workbook/WorkbookFormat.h"

#include <gtest/gtest.h>

using namespace workbook_testing;
using testing_support::errorOf;
using testing_support::withPart;

namespace {

constexpr const char* kContent = "content.xml";

std::string quotes()
{
    return testing_support::readBytes(testing_support::dataPath("Quotes.ods"));
}

// Quotes.ods with one sheet whose rows are `rows`.
std::string sheetPackage(const std::string& rows)
{
    const std::string xml =
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
        "<table:table table:name=\"S\">" +
        rows + "</table:table></office:spreadsheet></office:body></office:document-content>";
    return withPart(quotes(), kContent, xml.c_str());
}

std::string numbers(const char* rowsRepeated, const char* columnsRepeated)
{
    return std::string("<table:table-row table:number-rows-repeated=\"") + rowsRepeated +
           "\"><table:table-cell table:number-columns-repeated=\"" + columnsRepeated +
           "\" office:value-type=\"float\" office:value=\"1\"/></table:table-row>";
}

std::string cannotRead(const std::string& reason)
{
    return "its part \"content.xml\" cannot be read: " + reason;
}

class OdsFile : public WorkbookFileTest {
  protected:
    OdsFile() : WorkbookFileTest("Book.ods") {}
};

class BrokenOds : public OdsFile, public testing::WithParamInterface<Broken> {};

TEST_P(BrokenOds, IsRefusedWithAClearReason)
{
    EXPECT_EQ(open(GetParam().bytes()), cannotOpen(GetParam().reason));
}

const std::string kBeyond = "it reaches beyond the last row or column a sheet can hold (1048576 rows, 16384 "
                            "columns, up to XFD)";

INSTANTIATE_TEST_SUITE_P(
    Damage, BrokenOds,
    testing::Values(
        Broken{"NotAZip", [] { return std::string("Code,Close\n600000,10.5\n"); },
               "it is not a zip package (no zip directory)"},
        Broken{"Truncated", [] { return quotes().substr(0, 3000); },
               "the file is truncated (its zip directory is missing)"},
        Broken{"ZipBomb",
               [] { return testing_support::patchCentralField(quotes(), kContent, 24, 4, 3000000000u); },
               "its part \"content.xml\" would inflate to 3000000000 bytes, far more than a package of this "
               "size "
               "holds"},
        Broken{"NoContent", [] { return withPart(quotes(), kContent, nullptr); },
               "it is not an OpenDocument spreadsheet (it has no part \"content.xml\")"},
        Broken{"TextDocument",
               [] { return withPart(quotes(), "mimetype", "application/vnd.oasis.opendocument.text"); },
               "it is an OpenDocument file, but not a spreadsheet (application/vnd.oasis.opendocument.text)"},
        Broken{"DocumentType",
               [] {
                   return withPart(quotes(), kContent,
                                   "<!DOCTYPE d [<!ENTITY x \"x\">]><office:document-content>&x;"
                                   "</office:document-content>");
               },
               cannotRead("it declares a document type, which a package part may not")},
        Broken{"NotANumber",
               [] {
                   return sheetPackage(
                       "<table:table-row><table:table-cell/><table:table-cell "
                       "office:value-type=\"float\" office:value=\"12,5\"/></table:table-row>");
               },
               cannotRead("sheet \"S\", cell B1: its value \"12,5\" is not a number")},
        Broken{"NotATime",
               [] {
                   return sheetPackage(
                       "<table:table-row table:number-rows-repeated=\"2\"/><table:table-row>"
                       "<table:table-cell office:value-type=\"time\" office:time-value=\"10:30\"/>"
                       "</table:table-row>");
               },
               cannotRead("sheet \"S\", cell A3: its time \"10:30\" cannot be read")},
        Broken{"BadRepeat", [] { return sheetPackage(numbers("-1", "1")); },
               cannotRead("sheet \"S\", cell A1: its repeat count \"-1\" cannot be read")},
        Broken{"ColumnBeyond", [] { return sheetPackage(numbers("1", "16385")); },
               cannotRead("sheet \"S\", cell A1: " + kBeyond)},
        Broken{"RowBeyond",
               [] {
                   return sheetPackage("<table:table-row table:number-rows-repeated=\"1048576\"/>" +
                                       numbers("1", "1"));
               },
               cannotRead("sheet \"S\", cell A1048577: " + kBeyond)},
        // Two repeat counts ask for 17 billion cells: refused once the
        // cells pass what a package of this size can honestly hold.
        Broken{"RepeatBomb", [] { return sheetPackage(numbers("1048576", "16384")); },
               cannotRead("its sheets repeat far more cells than it holds")}),
    caseNameOf);

TEST_F(OdsFile, ASheetAsLargeAsTheFormatAllowsIsRead)
{
    // Empty runs past the sheet's end, as some writers leave them, hold no value.
    ASSERT_EQ(open(sheetPackage(
                  "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>Code"
                  "</text:p></table:table-cell><table:table-cell "
                  "table:number-columns-repeated=\"99999\"/></table:table-row><table:table-row "
                  "table:number-rows-repeated=\"1048574\"/><table:table-row><table:table-cell "
                  "table:number-columns-repeated=\"16383\"/><table:table-cell office:value-type=\"float\" "
                  "office:value=\"1\"/></table:table-row><table:table-row "
                  "table:number-rows-repeated=\"99999999999\"/>")),
              testing_support::kNoError);
    const table::Table& table = book->table(0);
    EXPECT_EQ(table.fieldCount(), 16384u);
    EXPECT_EQ(table.rowCount(), 1048575u);
    EXPECT_EQ(table.cellText(1048574, 16383, chineseSettings()), "1");
    EXPECT_EQ(table.fields()[16383].name, "F16384");
}

class PostedOds : public testing::Test, protected PostedWorkbook {};

TEST_F(PostedOds, IsRefusedAndTheEditCancelled)
{
    openCopy("Quotes.ods");
    const std::string close = query.cellText(1, column("Close"));
    EXPECT_EQ(errorOf([&] { post(1, "Close", "13.75"); }),
              "The workbook \"" + path +
                  "\" is an OpenDocument spreadsheet (.ods), which cannot take posted rows: the edit was "
                  "cancelled and nothing was written; save it as .xlsx or .xls to edit it");
    EXPECT_EQ(query.state(), workbook::Query::State::Browse);
    EXPECT_EQ(query.cellText(1, column("Close")), close);
    EXPECT_EQ(testing_support::readBytes(path), original);
}

} // namespace
