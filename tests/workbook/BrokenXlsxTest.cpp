// Damaged and unsuitable .xlsx files: each gives the data layer's clear
// message with bounded work, never a crash, a hang or a huge allocation.
// The damage is done by hand to a real package (LibreOffice's Quotes.xlsx);
// the sheets at the edge of the format are real packages with one part
// written by hand.
#include "support/WorkbookFileTest.h"
#include "support/WorkbookFixtures.h"
#include "support/ZipPatch.h"

#include "workbook/WorkbookFormat.h"

#include <gtest/gtest.h>

using namespace workbook_testing;
using testing_support::withPart;

namespace {

constexpr const char* kSheet = "xl/worksheets/sheet1.xml";
const std::string kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                          "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";

std::string quotes()
{
    return testing_support::readBytes(testing_support::dataPath("Quotes.xlsx"));
}

std::string sheetPackage(const std::string& sheetData)
{
    const std::string xml = kHead + sheetData + "</worksheet>";
    return withPart(quotes(), kSheet, xml.c_str());
}

class XlsxFile : public WorkbookFileTest {
  protected:
    XlsxFile() : WorkbookFileTest("Book.xlsx") {}
};

class BrokenXlsx : public XlsxFile, public testing::WithParamInterface<Broken> {};

TEST_P(BrokenXlsx, IsRefusedWithAClearReason)
{
    EXPECT_EQ(open(GetParam().bytes()), cannotOpen(GetParam().reason));
}

INSTANTIATE_TEST_SUITE_P(
    Damage, BrokenXlsx,
    testing::Values(
        Broken{"NotAZip", [] { return std::string("Code,Close\n600000,10.5\n"); },
               "it is not a zip package (no zip directory)"},
        Broken{"Truncated", [] { return quotes().substr(0, 3000); },
               "the file is truncated (its zip directory is missing)"},
        Broken{"ZipBomb",
               [] { return testing_support::patchCentralField(quotes(), kSheet, 24, 4, 3000000000u); },
               "its part \"xl/worksheets/sheet1.xml\" would inflate to 3000000000 bytes, far more than a "
               "package "
               "of this size holds"},
        Broken{"NoRelationships", [] { return withPart(quotes(), "_rels/.rels", nullptr); },
               "it is not an Office Open XML workbook (it has no part \"_rels/.rels\")"},
        Broken{"MissingSheet", [] { return withPart(quotes(), kSheet, nullptr); },
               "its part \"xl/worksheets/sheet1.xml\" is missing"},
        Broken{"DocumentType",
               [] {
                   return withPart(quotes(), kSheet,
                                   "<!DOCTYPE worksheet [<!ENTITY x \"x\">]><worksheet>&x;</worksheet>");
               },
               "its part \"xl/worksheets/sheet1.xml\" cannot be read: it declares a document type, which a "
               "package part may not"},
        Broken{"DimensionBeyond", [] { return sheetPackage("<dimension ref=\"A1:XFE1\"/><sheetData/>"); },
               "its part \"xl/worksheets/sheet1.xml\" cannot be read: it reaches beyond the last row or "
               "column a "
               "sheet can hold (1048576 rows, 16384 columns, up to XFD)"},
        Broken{"RowBeyond", [] { return sheetPackage("<sheetData><row r=\"1048577\"/></sheetData>"); },
               "its part \"xl/worksheets/sheet1.xml\" cannot be read: it reaches beyond the last row or "
               "column a "
               "sheet can hold (1048576 rows, 16384 columns, up to XFD)"},
        Broken{"NotANumber",
               [] { return sheetPackage("<sheetData><row><c r=\"B1\"><v>12,5</v></c></row></sheetData>"); },
               "its part \"xl/worksheets/sheet1.xml\" cannot be read: cell B1: its value \"12,5\" is not a "
               "number"},
        Broken{"NoSuchSharedString",
               [] {
                   return sheetPackage("<sheetData><row><c r=\"A1\" t=\"s\"><v>99</v></c></row></sheetData>");
               },
               "its part \"xl/worksheets/sheet1.xml\" cannot be read: cell A1: it names a shared string that "
               "does "
               "not exist"},
        // Excel keeps a password-protected workbook in a compound file that
        // holds the encrypted package. No program of Debian writes one: the
        // workbook stream of a LibreOffice .xls is renamed to stand in for it.
        Broken{"Encrypted",
               [] {
                   std::string bytes = testing_support::readBytes(testing_support::dataPath("Quotes.xls"));
                   const std::string from("W\0o\0r\0k\0b\0o\0o\0k\0\0\0", 18);
                   const std::string to("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0\0\0", 34);
                   const std::size_t at = bytes.find(from);
                   bytes.replace(at, to.size(), to);
                   bytes[at + 64] = static_cast<char>(to.size()); // the name's length in bytes
                   return bytes;
               },
               "it is protected by a password (encrypted workbooks are not supported)"}),
    caseNameOf);

TEST_F(XlsxFile, ASheetAsLargeAsTheFormatAllowsIsRead)
{
    ASSERT_EQ(open(sheetPackage("<dimension ref=\"A1:XFD1048576\"/><sheetData><row r=\"1\"><c r=\"A1\" "
                                "t=\"inlineStr\"><is><t>Code</t></is></c></row><row r=\"1048576\"><c "
                                "r=\"XFD1048576\"><v>1</v></c></row></sheetData>")),
              testing_support::kNoError);
    const table::Table& table = book->table(0);
    EXPECT_EQ(table.fieldCount(), 16384u);
    EXPECT_EQ(table.rowCount(), 1048575u);
    EXPECT_EQ(table.cellText(1048574, 16383, chineseSettings()), "1");
    EXPECT_EQ(table.fields()[16383].name, "F16384");
}

TEST_F(XlsxFile, CellsAndRowsWithoutReferencesFollowTheOnesBeforeInAnyOrder)
{
    // Rows 3, then 1 and 2 (counted on from 1); cells without "r" count on
    // in their row; an escaped CR and a phonetic guide in the texts.
    ASSERT_EQ(
        open(sheetPackage("<sheetData><row r=\"3\"><c><v>3</v></c><c r=\"C3\"><v>4</v></c><c><v>5</v></c>"
                          "</row><row r=\"1\"><c t=\"inlineStr\"><is><t>A_x000D_B</t></is></c></row><row>"
                          "<c r=\"B2\" t=\"inlineStr\"><is><r><t>东</t></r><rPh><t>とう</t></rPh>"
                          "<r><t>京</t></r></is></c></row></sheetData>")),
        testing_support::kNoError);
    EXPECT_EQ(tableTexts(book->table(0)),
              (std::vector<std::vector<std::string>>{
                  {"A\rB", "F2", "F3", "F4"}, {"", "东京", "", ""}, {"3", "", "4", "5"}}));
}

} // namespace
