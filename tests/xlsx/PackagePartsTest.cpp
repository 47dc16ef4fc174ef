// Finding parts as the relationships name them, and the texts and
// references of cells as SpreadsheetML stores them.
#include "xlsx/PackageParts.h"
#include "xlsx/CellReference.h"
#include "xlsx/CellTexts.h"

#include <gtest/gtest.h>

namespace {

TEST(PackageParts, TargetsResolveAgainstTheirSourcePartsFolder)
{
    struct Case {
        const char* source;
        const char* target;
        const char* part;
    };
    for (const Case& c : {Case{"", "xl/workbook.xml", "xl/workbook.xml"},
                          Case{"xl/workbook.xml", "worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
                          Case{"xl/workbook.xml", "/xl/worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
                          Case{"xl/workbook.xml", "../customXml/item1.xml", "customXml/item1.xml"},
                          Case{"xl/workbook.xml", "./styles.xml", "xl/styles.xml"}})
        EXPECT_EQ(xlsx::resolveTarget(c.source, c.target), c.part) << c.source << " + " << c.target;
    EXPECT_EQ(xlsx::relationshipsPartOf("xl/workbook.xml"), "xl/_rels/workbook.xml.rels");
    EXPECT_EQ(xlsx::relationshipsPartOf(""), "_rels/.rels");
}

TEST(CellTexts, EscapesOfCharactersXmlCannotHoldGoBothWays)
{
    EXPECT_EQ(xlsx::unescapeText("a_x000D_b_x0009_c"), "a\rb\tc");
    EXPECT_EQ(xlsx::unescapeText("_xD83D__xDE00_"), "\xF0\x9F\x98\x80"); // a surrogate pair
    EXPECT_EQ(xlsx::unescapeText("_x005F_x0041_ _xZZ_"), "_x0041_ _xZZ_");
    EXPECT_EQ(xlsx::escapeText("a\rb\x01"), "a_x000D_b_x0001_");
    EXPECT_EQ(xlsx::escapeText("_x0041_\tc\n"), "_x005F_x0041_\tc\n");
    for (const std::string text : {"a\rb\x01", "_x0041_", "plain", "__x"})
        EXPECT_EQ(xlsx::unescapeText(xlsx::escapeText(text)), text);
}

TEST(CellReference, ColumnsAToXfdAndRowsUpToTheLastAreValid)
{
    std::uint32_t row = 0;
    std::uint32_t column = 0;
    EXPECT_EQ(xlsx::parseCellReference("B7", row, column), xlsx::Reference::Valid);
    EXPECT_EQ(row, 6u);
    EXPECT_EQ(column, 1u);
    EXPECT_EQ(xlsx::parseCellReference("XFD1048576", row, column), xlsx::Reference::Valid);
    EXPECT_EQ(row, 1048575u);
    EXPECT_EQ(column, 16383u);
    for (const char* beyond : {"XFE1", "A1048577", "AAAAAAAAAAAAAA1", "A99999999999999999999"})
        EXPECT_EQ(xlsx::parseCellReference(beyond, row, column), xlsx::Reference::BeyondSheet) << beyond;
    for (const char* malformed : {"", "7", "B", "B0", "B7x", "$B$7"})
        EXPECT_EQ(xlsx::parseCellReference(malformed, row, column), xlsx::Reference::Malformed) << malformed;
}

} // namespace
