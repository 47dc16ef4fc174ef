// Rewriting a .csv file with posted cells: the quoting a field needs, the
// records left as they were, new records, the file's line breaks and
// encoding; each result must pass the read-back check.
#include "csv/CsvWriter.h"

#include "common/Encoding.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using testing_support::errorOf;

namespace {

const common::CodePage kUtf8(65001);
const common::CodePage kGbk(936);
const std::string kBom = "\xEF\xBB\xBF";

// A posted text cell; an empty text empties the cell.
table::CellWrite text(std::uint32_t row, std::uint16_t column, std::string value)
{
    table::CellWrite cell{row, column, {}, std::move(value)};
    cell.value.kind = cell.text.empty() ? table::CellKind::Empty : table::CellKind::Text;
    return cell;
}

TEST(CsvWriter, RewritesTouchedRecordsWithTheQuotingTheyNeed)
{
    struct Case {
        std::string original;
        std::vector<table::CellWrite> cells;
        std::string written;
    };
    const Case cases[] = {
        {"a,b\r\n1,2\r\n", {text(1, 1, "x,y")}, "a,b\r\n1,\"x,y\"\r\n"},
        {"a,b\n1,2\n", {text(1, 0, " p\"q\r\n"), text(1, 1, "r\n")}, "a,b\n\" p\"\"q\r\n\",\"r\n\"\n"},
        {"a,b\n1,2\n", {text(1, 0, "tab\t")}, "a,b\n\"tab\t\",2\n"},
        // Untouched records keep their bytes; a touched one loses needless quotes.
        {"\"a\",\"b\"\n\"1\",\"2\"\n\"3\",\"4\"\n", {text(2, 1, "5")}, "\"a\",\"b\"\n\"1\",\"2\"\n3,5\n"},
        {"a\n\"x\r\ny\"\r\n2\r\n", {text(2, 0, "3")}, "a\n\"x\r\ny\"\r\n3\r\n"},
        // Widening a short record; emptying keeps a record's width.
        {"a,b,c\n1\n", {text(1, 2, "z")}, "a,b,c\n1,,z\n"},
        {"a,b\n1,2\n", {text(1, 1, "")}, "a,b\n1,\n"},
        {"a,b\n1\n", {text(1, 1, "")}, "a,b\n1\n"},
        {"a\n1\n2\n", {text(1, 0, "")}, "a\n\"\"\n2\n"},
        // New records: as wide as the header, with the file's line break,
        // ended as its last line was.
        {"a,b\n1,2\n", {text(2, 0, "3")}, "a,b\n1,2\n3,\n"},
        {"a,b\r\n1,2", {text(2, 1, "x")}, "a,b\r\n1,2\r\n,x"},
        {"a\rb\r", {text(2, 0, "c")}, "a\rb\rc\r"},
        {"a", {text(1, 0, "x")}, "a\r\nx"},
        {"", {text(1, 0, "x"), text(0, 0, "F1")}, "F1\r\nx\r\n"},
        {"a,b\n", {text(3, 0, "x")}, "a,b\n\"\"\n\"\"\nx,\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(csv::rewriteCsv(c.original, c.cells, kUtf8), c.written) << c.original;
        EXPECT_EQ(csv::differenceAfterWrite(c.original, c.written, c.cells, kUtf8), std::nullopt)
            << c.original;
    }
}

TEST(CsvWriter, KeepsTheFilesEncoding)
{
    const std::string name = common::utf8ToCodePage("名称", kGbk);
    const std::string posted = common::utf8ToCodePage("招商,银行", kGbk);
    // Behind a byte-order mark: UTF-8, whatever the code page.
    const std::string bom = kBom + "名称\n甲\n";
    const std::string bomWritten = kBom + "名称\n\"招商,银行\"\n";
    EXPECT_EQ(csv::rewriteCsv(bom, {text(1, 0, posted)}, kGbk), bomWritten);
    EXPECT_EQ(csv::differenceAfterWrite(bom, bomWritten, {text(1, 0, posted)}, kGbk), std::nullopt);
    // Without: the code page's bytes.
    const std::string gbk = name + "\r\n" + common::utf8ToCodePage("甲", kGbk) + "\r\n";
    EXPECT_EQ(csv::rewriteCsv(gbk, {text(1, 0, posted)}, kGbk), name + "\r\n\"" + posted + "\"\r\n");
}

TEST(CsvWriter, TheCheckFindsACellThatDiffersAndOnlyTextIsWritten)
{
    const std::vector<table::CellWrite> cells{text(1, 1, "x")};
    EXPECT_EQ(csv::differenceAfterWrite("a,b\n1,2\n", "a,b\n1,y\n", cells, kUtf8), "cell B2 of worksheet 1");
    EXPECT_EQ(csv::differenceAfterWrite("a,b\n1,2\n", "a,b\n1,x,3\n", cells, kUtf8),
              "cell C2 of worksheet 1");
    table::CellWrite number{1, 0, table::Cell::ofNumber(5), {}};
    EXPECT_EQ(errorOf([&] { csv::rewriteCsv("a\n1\n", {number}, kUtf8); }),
              "cell A2 of a .csv file can hold only text");
}

} // namespace
