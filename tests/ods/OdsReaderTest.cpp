// Reading real .ods workbooks: the same data as an .xls gives the same
// tables, from LibreOffice and from Gnumeric; and the cells and rows only
// OpenDocument stores its own way, in a real package (LibreOffice's
// Quotes.ods) whose content.xml is written by hand.
#include "ods/Workbook.h"

#include "support/WorkbookFixtures.h"
#include "support/ZipPatch.h"

#include <gtest/gtest.h>

using namespace workbook_testing;
using Rows = std::vector<std::vector<std::string>>;

namespace {

std::unique_ptr<ods::Workbook> openOds(const std::string& name, const common::CodePage& codePage = kUtf8)
{
    return ods::Workbook::read(testing_support::readBytes(testing_support::dataPath(name)), codePage,
                               chineseSettings());
}

const std::string kNamespaces = " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
                                " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
                                " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
                                " xmlns:calcext=\"urn:org:documentfoundation:names:experimental:calc:"
                                "xmlns:calcext:1.0\""
                                " xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\""
                                " xmlns:xlink=\"http://www.w3.org/1999/xlink\"";

// LibreOffice's Quotes.ods with content.xml made of `spreadsheet`, the
// content of office:spreadsheet.
std::string withContent(const std::string& spreadsheet, const std::string& namespaces = kNamespaces)
{
    const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content" +
                            namespaces + "><office:body><office:spreadsheet>" + spreadsheet +
                            "</office:spreadsheet></office:body></office:document-content>";
    return testing_support::withPart(testing_support::readBytes(testing_support::dataPath("Quotes.ods")),
                                     "content.xml", xml.c_str());
}

std::unique_ptr<ods::Workbook> readContent(const std::string& spreadsheet,
                                           const std::string& namespaces = kNamespaces)
{
    return ods::Workbook::read(withContent(spreadsheet, namespaces), kUtf8, chineseSettings());
}

std::string cell(const std::string& attributes, const std::string& content = "")
{
    return "<table:table-cell " + attributes + ">" + content + "</table:table-cell>";
}

std::string text(const std::string& paragraph)
{
    return cell("office:value-type=\"string\"", "<text:p>" + paragraph + "</text:p>");
}

std::string row(const std::string& cells, const std::string& attributes = "")
{
    return "<table:table-row " + attributes + ">" + cells + "</table:table-row>";
}

std::string sheet(const std::string& name, const std::string& rows)
{
    return "<table:table table:name=\"" + name + "\">" + rows + "</table:table>";
}

struct SameData {
    const char* ods;
    const char* xls;
};

void PrintTo(const SameData& data, std::ostream* out)
{
    *out << data.ods;
}

class SameDataAsXls : public testing::TestWithParam<SameData> {};

TEST_P(SameDataAsXls, GivesTheSameTablesAsTheXls)
{
    for (const common::CodePage& codePage : {kUtf8, kGbk})
        EXPECT_EQ(viewsOf(openOds(GetParam().ods, codePage)->sheets()),
                  viewsOf(openFixture(GetParam().xls, codePage)->sheets()));
}

// OdsCells: times, percentages, currencies, paragraphs, spaces, comments,
// links, a merged cell's hidden value, repeated cells, LibreOffice's and
// Gnumeric's error values (Gnumeric's as texts, 1E300*1E300 as 1e600).
INSTANTIATE_TEST_SUITE_P(
    Writers, SameDataAsXls,
    testing::Values(SameData{"Mixed.ods", "Mixed.xls"}, SameData{"MixedGnumeric.ods", "MixedGnumeric.xls"},
                    SameData{"Quotes.ods", "Quotes.xls"}, SameData{"Dates1904.ods", "Dates1904.xls"},
                    SameData{"EmptySheet.ods", "EmptySheet.xls"}, SameData{"OdsCells.ods", "OdsCells.xls"},
                    SameData{"OdsCellsGnumeric.ods", "OdsCellsGnumeric.xls"},
                    SameData{"Large.ods", "Large.xls"}),
    [](const auto& info) {
        const std::string name = info.param.ods;
        return name.substr(0, name.find('.'));
    });

struct CellCase {
    const char* name;
    std::string cell;
    const char* text;
};

void PrintTo(const CellCase& cell, std::ostream* out)
{
    *out << cell.name;
}

class OdsCell : public testing::TestWithParam<CellCase> {};

// A cell under the header "H" gives its text.
TEST_P(OdsCell, GivesItsText)
{
    const auto book = readContent(sheet("S", row(text("H")) + row(GetParam().cell)));
    Rows expected{{"H"}};
    if (*GetParam().text)
        expected.push_back({GetParam().text});
    EXPECT_EQ(tableTexts(*book->sheets()[0].table), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, OdsCell,
    testing::Values(
        CellCase{"Spaces", text("a<text:s text:c=\"3\"/>b<text:s/>c"), "a   b c"},
        CellCase{"TabAndLineBreak", text("a<text:tab/>b<text:line-break/>c"), "a\tb\nc"},
        CellCase{"Paragraphs",
                 cell("office:value-type=\"string\"", "<text:p>one</text:p><text:p>two</text:p>"),
                 "one\ntwo"},
        CellCase{"SpansAndLinks",
                 text("平安<text:span>银行</text:span> <text:a xlink:href=\"x\">link</text:a>"),
                 "平安银行 link"},
        CellCase{"CommentShapeAndNoteSkipped",
                 cell("office:value-type=\"string\"",
                      "<office:annotation><text:p>comment</text:p></office:annotation><text:p>a<draw:frame>"
                      "<draw:text-box><text:p>shape</text:p></draw:text-box></draw:frame>b<text:note>"
                      "<text:note-body><text:p>note</text:p></text:note-body></text:note></text:p>"),
                 "ab"},
        CellCase{
            "StoredStringBeforeParagraphs",
            cell("office:value-type=\"string\" office:string-value=\"stored\"", "<text:p>shown</text:p>"),
            "stored"},
        CellCase{"NoTypeIsText", cell("", "<text:p>untyped</text:p>"), "untyped"},
        CellCase{"VoidIsEmpty", cell("office:value-type=\"void\"", "<text:p>x</text:p>"), ""},
        CellCase{"NumberNotItsDisplay",
                 cell("office:value-type=\"float\" office:value=\"0.5\"", "<text:p>50%</text:p>"), "0.5"},
        CellCase{"Percentage", cell("office:value-type=\"percentage\" office:value=\"0.05\""), "0.05"},
        CellCase{"Currency",
                 cell("office:value-type=\"currency\" office:value=\"-3\" office:currency=\"CNY\""), "-3"},
        CellCase{"BeyondDouble", cell("office:value-type=\"float\" office:value=\"-1.5e600\""), "-INF"},
        CellCase{"DateTime", cell("office:value-type=\"date\" office:date-value=\"2024-01-05T10:30:00\""),
                 "2024-1-5 10:30:00"},
        // A time of day as the .xls of it shows one: a serial of the 1900
        // system (or of the 1904 system, below).
        CellCase{"Time", cell("office:value-type=\"time\" office:time-value=\"PT10H30M00S\""),
                 "1899-12-31 10:30:00"},
        CellCase{"Boolean", cell("office:value-type=\"boolean\" office:boolean-value=\"false\""), "False"},
        CellCase{"LibreOfficeError",
                 cell("office:value-type=\"string\" office:string-value=\"\" calcext:value-type=\"error\"",
                      "<text:p>#N/A</text:p>"),
                 "#N/A"},
        CellCase{"LibreOfficesOwnErrorAsItsXlsHasIt",
                 cell("office:value-type=\"string\" office:string-value=\"\" calcext:value-type=\"error\"",
                      "<text:p>Err:502</text:p>"),
                 "#VALUE!"},
        CellCase{"EmptyText", text(""), ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OdsReader, TimesOfA1904WorkbookAreSerialsOfThe1904System)
{
    const auto book =
        readContent("<table:calculation-settings><table:null-date table:date-value=\"1904-01-01\"/>"
                    "</table:calculation-settings>" +
                    sheet("S", row(text("H")) + row(cell("office:value-type=\"time\" "
                                                         "office:time-value=\"PT10H30M00S\""))));
    EXPECT_EQ(book->sheets()[0].table->cellText(0, 0, chineseSettings()), "1904-1-1 10:30:00");
}

TEST(OdsReader, RepeatedCellsAndRowsAreLaidOutWhereTheyHoldValues)
{
    // Header rows and row groups hold rows; columns and shapes hold none; a
    // covered (merged) cell keeps its value; empty runs only move on.
    const std::string repeated = "table:number-rows-repeated=\"2\"";
    const auto book = readContent(
        sheet("Data",
              "<table:table-column "
              "table:number-columns-repeated=\"1024\"/><table:shapes><draw:frame><draw:text-box>"
              "<table:table><table:table-row>" +
                  text("no") +
                  "</table:table-row></table:table></draw:text-box></draw:frame></table:shapes>"
                  "<table:table-header-rows>" +
                  row(cell("table:number-columns-repeated=\"2\"") + text("Code") +
                      cell("table:number-columns-repeated=\"2\" office:value-type=\"string\"",
                           "<text:p>V</text:p>")) +
                  "</table:table-header-rows><table:table-row-group>" +
                  row(cell("table:number-columns-repeated=\"2\"") + text("600000") +
                          cell("table:number-columns-repeated=\"2\" office:value-type=\"float\" "
                               "office:value=\"1\"") +
                          cell("table:number-columns-repeated=\"16378\""),
                      repeated) +
                  "</table:table-row-group>" +
                  row(cell("table:number-columns-repeated=\"16384\""), "table:number-rows-repeated=\"3\"") +
                  row(cell("table:number-columns-repeated=\"3\"") +
                      cell("table:number-columns-spanned=\"2\"") +
                      "<table:covered-table-cell office:value-type=\"float\" office:value=\"2\"/>") +
                  row(cell("table:number-columns-repeated=\"16384\""),
                      "table:number-rows-repeated=\"1048569\"")) +
        sheet("Empty", row(cell("table:number-columns-repeated=\"16384\""),
                           "table:number-rows-repeated=\"1048576\"")));
    EXPECT_EQ(
        viewsOf(book->sheets()),
        (std::vector<TableView>{{"Data",
                                 {table::FieldType::Text, table::FieldType::Float, table::FieldType::Float},
                                 0,
                                 2,
                                 {{"Code", "V", "V"},
                                  {"600000", "1", "1"},
                                  {"600000", "1", "1"},
                                  {"", "", ""},
                                  {"", "", ""},
                                  {"", "", ""},
                                  {"", "", "2"}}},
                                {"Empty", {table::FieldType::Text}, 0, 0, {{"F1"}}}}));
}

// The same document with its prefixes bound in other ways: without
// namespace processing where the root binds them once, with it where one
// is declared below the root or OpenDocument's table namespace is the
// default one.
TEST(OdsReader, PrefixesAreReadAsTheDocumentBindsThem)
{
    const std::string office = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
    const std::string table = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
    const std::string text = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
    const std::string body = "<t:table t:name=\"S\"><t:table-row><t:table-cell o:value-type=\"string\">"
                             "<x:p>Code</x:p></t:table-cell></t:table-row><t:table-row><t:table-cell "
                             "o:value-type=\"float\" o:value=\"7\"/></t:table-row></t:table>";
    const std::string prefixes = " xmlns:t=\"" + table + "\" xmlns:x=\"" + text + "\"";
    const std::string xml = "<?xml version=\"1.0\"?><o:document-content xmlns:o=\"" + office + "\"";
    const std::string end = "</o:spreadsheet></o:body></o:document-content>";
    const Rows expected{{"Code"}, {"7"}};
    for (const std::string& document :
         {xml + prefixes + "><o:body><o:spreadsheet>" + body + end,
          xml + "><o:body" + prefixes + "><o:spreadsheet>" + body + end,
          xml + prefixes + " xmlns:table=\"urn:other\"><o:body><o:spreadsheet><table:table/>" + body + end,
          xml + " xmlns:x=\"" + text + "\"><o:body><o:spreadsheet><table xmlns=\"" + table + "\" xmlns:t=\"" +
              table +
              "\" t:name=\"S\"><table-row><table-cell o:value-type=\"string\"><x:p>Code</x:p></table-cell>"
              "</table-row><table-row><table-cell o:value-type=\"float\" "
              "o:value=\"7\"/></table-row></table>" +
              end}) {
        const auto book = ods::Workbook::read(
            testing_support::withPart(testing_support::readBytes(testing_support::dataPath("Quotes.ods")),
                                      "content.xml", document.c_str()),
            kUtf8, chineseSettings());
        ASSERT_EQ(book->sheets().size(), 1u) << document;
        EXPECT_EQ(book->sheets()[0].name, "S");
        EXPECT_EQ(tableTexts(*book->sheets()[0].table), expected) << document;
    }
}

TEST(OdsReader, TextsAreConvertedFromUtf8IntoTheSystemCodePage)
{
    const auto book = openOds("Mixed.ods", kGbk);
    EXPECT_EQ(book->sheets()[1].name, "\xC8\xD5\xCF\xDF\x20\xCA\xFD\xBE\xDD"); // 日线 数据
    EXPECT_EQ(book->sheets()[0].table->cellText(0, 1, chineseSettings()), "\xC6\xD6\xB7\xA2\xD2\xF8\xD0\xD0");
}

} // namespace
